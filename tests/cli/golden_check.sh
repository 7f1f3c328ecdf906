#!/usr/bin/env bash
# kamerol-cli's output compared byte for byte with tests/cli/golden/.
#   golden_check.sh CLI SOURCE_DIR           compare
#   golden_check.sh CLI SOURCE_DIR --update  write the golden files anew
set -uo pipefail
cli=$1 source=$2 update=${3:-}
here=$(cd "$(dirname "$0")" && pwd)
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
failed=0
cd "$source" || exit 1
while read -r name args; do
  [[ -z $name || $name == \#* ]] && continue
  read -ra argv <<<"$args"
  actual=$scratch/$name.out
  { "$cli" "${argv[@]}" 2>"$scratch/err" </dev/null; echo "exit $?"; cat "$scratch/err"; } >"$actual"
  if [[ $update == --update ]]; then
    cp "$actual" "$here/golden/$name.out"
  elif ! cmp -s "$actual" "$here/golden/$name.out"; then
    echo "== $name differs:"
    diff "$here/golden/$name.out" "$actual" | head -20
    failed=1
  fi
done <"$here/golden_cases.txt"
exit $failed
