#!/usr/bin/env bash
# kamerol-cli's output compared byte for byte with tests/cli/golden/.
#   golden_check.sh CLI SOURCE_DIR           compare
#   golden_check.sh CLI SOURCE_DIR --update  write the golden files anew
# Under an emulator (KAMEROL_GOLDEN_EMULATED=1) a case that differs is run
# once more: Wine has ended a start now and then with nothing printed, which
# is Wine's fault, not the program's; the first output is still shown.
set -uo pipefail
cli=$1 source=$2 update=${3:-}
here=$(cd "$(dirname "$0")" && pwd)
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
failed=0
cd "$source" || exit 1
run() {  # NAME ARGUMENT...: the case's output, exit code and standard error in $scratch/NAME.out
  local out=$scratch/$1.out
  shift
  { "$cli" "$@" 2>"$scratch/err" </dev/null; echo "exit $?"; cat "$scratch/err"; } >"$out"
}
differs() {  # NAME: the case's output is not the recorded one; says how
  cmp -s "$scratch/$1.out" "$here/golden/$1.out" && return 1
  echo "== $1 differs:"
  diff "$here/golden/$1.out" "$scratch/$1.out" | head -20
  # A long recorded output fills the lines above: what came instead is shown too.
  echo "-- $1 printed (first lines):"
  head -5 "$scratch/$1.out"
}
while read -r name args; do
  [[ -z $name || $name == \#* ]] && continue
  read -ra argv <<<"$args"
  run "$name" "${argv[@]}"
  if [[ $update == --update ]]; then
    cp "$scratch/$name.out" "$here/golden/$name.out"
  elif differs "$name"; then
    if [[ ${KAMEROL_GOLDEN_EMULATED:-} == 1 ]]; then
      echo "-- $name run once more"
      run "$name" "${argv[@]}"
      differs "$name" || continue
    fi
    failed=1
  fi
done <"$here/golden_cases.txt"
exit $failed
