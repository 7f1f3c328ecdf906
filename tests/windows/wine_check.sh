#!/usr/bin/env bash
# kamerol-cli.exe under Wine as a Windows user meets it: the worked example, a
# calculation in a folder and a file named in Cyrillic with blanks (on a
# system whose ANSI code page has no Cyrillic, so only the wide API reaches
# them), and numbers typed in a decimal-comma and a decimal-point locale.
# Exits 77 (skipped) without Wine.
# Usage: wine_check.sh KAMEROL-CLI.EXE SOURCE_ROOT
set -u
cli=${1:?kamerol-cli.exe} root=${2:?the source root}
source "$(dirname "$0")/wine_script_check.sh"
# C.UTF-8 is English (United States) to Wine: ANSI code page 1252, a decimal point.
# Wine keeps the number format of the last locale in the prefix's registry and
# programs started soon after another locale's may read it: each locale has a
# prefix of its own.
prefix=${WINEPREFIX:-${TMPDIR:-/tmp}/kamerol-wine-$(id -u)}
# A hanging call is stopped, and named, well before ctest stops the whole check.
export KAMEROL_WINE_TIMEOUT=${KAMEROL_WINE_TIMEOUT:-60}
cli() {
  local l=${locale:-C.UTF-8}
  local p=$prefix
  [ "$l" = C.UTF-8 ] || p=$prefix-$l
  WINEPREFIX=$p LC_ALL=$l "$root/scripts/wine-run" "$cli" calc "$@"
}
lastLine() { tail -n 1 <<<"$1"; }

out=$(cli "$root/examples/worked-example.tpl")
[[ $(lastLine "$out") == *" 1.64" ]] || fail "the worked example gives $(lastLine "$out")"

# Open and save under Cyrillic names, relative and absolute.
cd "$scratch" || exit 1
folder="Расчёты 2026"
file="$folder/Камера №1.tpl"
mkdir "$folder"
cp "$root/examples/worked-example.tpl" "$file"
out=$(cli "$file")
[[ $(lastLine "$out") == *" 1.64" ]] || fail "$file opens: $out"
cli "$file" --set "clientInfo=Склад №2" -o "$file" >/dev/null || fail "$file is saved in place"
# The client line in Windows-1251: "Склад №2".
[[ $(tail -c 10 "$file" | od -An -tx1 | tr -d ' \n') == d1eaebe0e420b9320d0a ]] || fail "$file holds the client"
cli "$scratch/$file" -o "$scratch/$folder/Копия №1.tpl" >/dev/null || fail "a copy is saved by absolute path"
names=$(ls "$folder" | tr '\n' '|')
[[ $names == "Камера №1.tpl|Копия №1.tpl|" ]] || fail "the folder holds $names"
out=$(cli "$folder/Копия №1.tpl" --json)
grep -q '"clientInfo": "Склад №2"' <<<"$out" || fail "the copy reads back: $out"
grep -q '"modified": false' <<<"$out" || fail "the copy reads back unmodified"
# The batch forms with the same names, on two threads, and -o - as the very
# bytes of a save.
mkdir "Копии"
printf '%s\n' "$file" "$folder/Копия №1.tpl" >list.txt
out=$(cli --files-from list.txt --csv --out-dir "Копии" -j 2)
[[ $(wc -l <<<"$out") -eq 3 && $(sed -n 2p <<<"$out") == "$file,"* ]] || fail "the batch prints: $out"
names=$(ls "Копии" | tr '\n' '|')
[[ $names == "Камера №1.tpl|Копия №1.tpl|" ]] || fail "the batch saved $names"
cli "$file" -o - >stdout.tpl || fail "-o - writes"
cmp -s stdout.tpl "Копии/Камера №1.tpl" || fail "-o - writes other bytes than a save"
# No report module beside the program: report says so and writes nothing.
WINEPREFIX=$prefix "$root/scripts/wine-run" "$cli" report "$file" -o report.pdf 2>/dev/null
[[ $? -eq 2 && ! -e report.pdf ]] || fail "report without its module"

# Numbers as the user's locale types them, and with the other decimal separator
# where the locale reads no number; the boxes show the text as typed.
if localedef -i ru_RU -f UTF-8 "$scratch/ru_RU.UTF-8" 2>/dev/null; then
  export LOCPATH=$scratch
  nbsp=$'\xc2\xa0'
  while IFS='|' read -r locale typed length shown; do
    out=$(cli --set "roomLength=$typed" --json)
    grep -q "\"roomLength\": $length," <<<"$out" && grep -q "\"Text1\": \"$shown\"" <<<"$out" ||
      fail "$locale: \"$typed\" gives $(grep -E '"(roomLength|Text1)"' <<<"$out" | tr -d '\n')"
  done <<EOF_CASES
C.UTF-8|512.5|5.125|512.5
C.UTF-8|1,000.5|10.0050001|1,000.5
C.UTF-8|512,5|5.125|512,5
C.UTF-8|1,500|15|1,500
ru_RU.UTF-8|512,5|5.125|512,5
ru_RU.UTF-8|1${nbsp}000,5|10.0050001|1${nbsp}000,5
ru_RU.UTF-8|512.5|5.125|512.5
EOF_CASES
  comma=$(locale=ru_RU.UTF-8 cli "$root/examples/worked-example.tpl" --set roomLength=712,5)
  point=$(locale=C.UTF-8 cli "$root/examples/worked-example.tpl" --set roomLength=712.5)
  [[ $(lastLine "$comma") == *" 2.09" && $comma == "$point" ]] || fail "the results in both locales: $comma / $point"
else
  fail "localedef cannot make ru_RU.UTF-8 (Debian's locales package)"
fi

[ $failed -eq 0 ] && echo "kamerol-cli works under Wine"
exit $failed
