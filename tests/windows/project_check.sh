#!/usr/bin/env bash
# kamerol-cli.exe's project under Wine, in a folder and with files named in
# Cyrillic: made from the examples, computed, and exported as XLSX and CSV
# beside them, the XLSX also with a temporary folder named in Cyrillic; the
# XLSX read back (openpyxl) holds the numbers of project calc --json, and the
# export leaves no temporary file behind. Exits 77 (skipped) without Wine, or
# without a python3 with openpyxl once the rest has passed.
# Usage: project_check.sh KAMEROL-CLI.EXE SOURCE_ROOT
set -u
cli=$(readlink -f "${1:?kamerol-cli.exe}") root=$(readlink -f "${2:?the source root}")
source "$(dirname "$0")/wine_script_check.sh"
export WINEPREFIX=${WINEPREFIX:-${TMPDIR:-/tmp}/kamerol-wine-$(id -u)}
export KAMEROL_WINE_TIMEOUT=${KAMEROL_WINE_TIMEOUT:-60}
project() { "$root/scripts/wine-run" "$cli" project "$@"; }
temporaries() { find "$WINEPREFIX/drive_c" -name 'kamerol-export-*' 2>/dev/null; }
before=$(temporaries)

cd "$scratch" || exit 1
folder="Объекты/Склад №1"
mkdir -p "$folder"
for room in worked-example potato-store freezing-lamb fish-freezer-store; do
  cp "$root/examples/$room.tpl" "$folder/$room.tpl"
done
file="$folder/Склад №1.kamerol"
project create "$file" --title "Склад №1" --system "Средняя=-10" "$folder/worked-example.tpl" \
  "$folder/potato-store.tpl" --system "Низкая=-30,0.8" "$folder/freezing-lamb.tpl" "$folder/fish-freezer-store.tpl" ||
  fail "project create"
out=$(project calc "$file")
grep -q "Требуемая холодопроизводительность объекта, кВт: 30.41" <<<"$out" || fail "project calc: $out"
project calc "$file" --json >project.json || fail "project calc --json"

project export "$file" -o "$folder/Склад №1.xlsx" || fail "export to XLSX"
project export "$file" -o "$folder/Склад №1.csv" || fail "export to CSV"
names=$(ls "$folder" | grep -v '\.tpl$' | tr '\n' '|')
[[ $names == "Склад №1.csv|Склад №1.kamerol|Склад №1.xlsx|" ]] || fail "the folder holds $names"
# The English locale's number format: a decimal point, fields between commas.
head -c 3 "$folder/Склад №1.csv" | od -An -tx1 | grep -q "ef bb bf" || fail "CSV without its byte-order mark"
grep -q '^Низкая,-30,0.8,2,' "$folder/Склад №1.csv" || fail "CSV systems: $(grep Низкая "$folder/Склад №1.csv")"
[ "$(temporaries)" = "$before" ] || fail "the export left $(temporaries)"

# A temporary folder named in Cyrillic (a Cyrillic user name), which this
# system's ANSI code page cannot hold. Wine gives a program started from here
# the registry's TEMP: cmd sets it for the program it starts. (Names without
# blanks, which cmd would take apart.)
windows() { echo "Z:${1//\//\\}"; }
temporary="$scratch/Временные"
mkdir "$temporary"
cp "$file" склад.kamerol
"$root/scripts/wine-run" cmd /c "set TMP=$(windows "$temporary")&&set TEMP=$(windows "$temporary")&&$(windows "$cli") \
project export склад.kamerol -o склад.xlsx" || fail "export with a Cyrillic temporary folder"
[ -s склад.xlsx ] && [ -z "$(ls "$temporary")" ] || fail "export with a Cyrillic temporary folder: $(ls "$temporary")"

source "$root/tests/cli/openpyxl_python.sh"
if [ -z "$python" ]; then
  echo "no python3 with openpyxl: the XLSX is not read back"
  [ $failed -eq 0 ] && exit 77
  exit $failed
fi
for xlsx in "$folder/Склад №1.xlsx" склад.xlsx; do
  [ -f "$xlsx" ] || continue  # its export failed above
  "$python" "$root/tests/cli/project_xlsx_check.py" "$xlsx" project.json "Склад №1" || fail "$xlsx read back"
done

[ $failed -eq 0 ] && echo "kamerol-cli project works under Wine"
exit $failed
