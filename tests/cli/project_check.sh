#!/usr/bin/env bash
# kamerol-cli project: its exit codes, calc --json against each room's own
# calc --json, extract byte for byte, and the XLSX read back with openpyxl
# (skipped where no python3 has it). Usage: project_check.sh CLI SOURCE_DIR
set -u
cli=$(readlink -f "${1:?kamerol-cli}")
source=$(readlink -f "${2:?the source root}")
examples=$source/examples
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cd "$work" || exit 1
failed=0
fail() { echo "FAILED: $*"; failed=1; }

# expect CODE ARGS...: the tool exits with CODE.
expect() {
  local code=$1
  shift
  "$cli" "$@" >out 2>err
  local got=$?
  [ "$got" -eq "$code" ] || fail "kamerol-cli $* exited $got, not $code: $(cat err)"
}

expect 0 project create obj.kamerol --title "Склад №1" --system "Средняя=-10" "$examples/worked-example.tpl" \
  "$examples/potato-store.tpl" --system "Низкая=-30,0.8" "$examples/freezing-lamb.tpl" "$examples/fish-freezer-store.tpl"
cp obj.kamerol obj-before.kamerol

# Usage errors.
expect 1 project
expect 1 project frobnicate obj.kamerol
expect 1 project create bad.kamerol --system "X=-10,1.5" "$examples/worked-example.tpl"
expect 1 project create bad.kamerol --system "=-10" "$examples/worked-example.tpl"
expect 1 project calc
expect 1 project calc obj.kamerol --jsonl
expect 1 project export obj.kamerol -o out.pdf
expect 1 project extract obj.kamerol
[ ! -e bad.kamerol ] || fail "a refused create wrote its file"

# Files that cannot be opened or written: 2, naming the file.
expect 2 project calc missing.kamerol
grep -q "cannot open missing.kamerol" err || fail "calc of a missing project: $(cat err)"
expect 2 project create bad.kamerol "$examples/worked-example.tpl" missing.tpl
grep -q "cannot open missing.tpl" err || fail "create from a missing file: $(cat err)"
expect 2 project extract obj.kamerol --out-dir no-such-folder
expect 2 project export obj.kamerol -o no-such-folder/out.csv

# Not a project, or a room not a calculation: 3, naming the room.
expect 3 project calc "$examples/worked-example.tpl"
printf 'not a calculation\r\n' >bad.tpl
expect 3 project create bad.kamerol "$examples/worked-example.tpl" bad.tpl
grep -q "bad.tpl" err || fail "create from a non-calculation: $(cat err)"
sed '0,/"Железобетон"/s//"Желе\\r\\nзо"/' obj.kamerol >bad-room.kamerol
expect 3 project calc bad-room.kamerol
grep -q "Помещение «worked-example»: Другой формат файла" err || fail "a bad room: $(cat err)"
sed 's/"version": 1/"version": 9/' obj.kamerol >newer.kamerol
expect 3 project export newer.kamerol -o newer.csv
grep -q "версия формата 9" err && [ ! -e newer.csv ] || fail "a newer project: $(cat err)"
[ ! -e bad.kamerol ] || fail "a failed create wrote its file"

# calc: the table, and the JSON with each room's results as calc --json gives them.
expect 0 project calc obj.kamerol
grep -q "Требуемая холодопроизводительность объекта, кВт: 30.41" out || fail "project calc: $(cat out)"
expect 0 project calc obj.kamerol --json
mv out project.json
for room in worked-example potato-store freezing-lamb fish-freezer-store; do
  "$cli" calc "$examples/$room.tpl" --json >"$room.json" || fail "calc $room"
done

source "$source/tests/cli/openpyxl_python.sh"
if [ -z "$python" ]; then
  echo "no python3 with openpyxl: the JSON and XLSX checks are skipped"
  [ $failed -eq 0 ] && exit 77
  exit $failed
fi

"$python" - <<'EOF' || fail "project calc --json"
import json
project = json.load(open("project.json"))
rooms = {room["name"]: room for room in project["rooms"]}
assert list(rooms) == ["worked-example", "potato-store", "freezing-lamb", "fish-freezer-store"], list(rooms)
for name, room in rooms.items():
    alone = json.load(open(name + ".json"))
    assert room["results"] == alone["results"], name
mid, low = project["systems"]
assert (mid["name"], mid["t0"], mid["factor"], mid["rooms"]) == ("Средняя", -10, 1, 2), mid
assert (low["name"], low["t0"], low["factor"], low["rooms"]) == ("Низкая", -30, 0.8, 2), low
need = lambda *names: sum(rooms[n]["results"]["requiredCapacity"] for n in names)
assert abs(mid["requiredCapacity"] - need("worked-example", "potato-store")) < 1e-4, mid
assert abs(low["requiredCapacity"] - 0.8 * need("freezing-lamb", "fish-freezer-store")) < 1e-4, low
assert abs(project["requiredCapacity"] - mid["requiredCapacity"] - low["requiredCapacity"]) < 1e-4
assert project["warnings"] == [], project["warnings"]
EOF

# export: the XLSX has the numbers as numbers.
expect 0 project export obj.kamerol -o obj.xlsx
"$python" "$source/tests/cli/project_xlsx_check.py" obj.xlsx project.json "Склад №1" || fail "the XLSX read back"

# export: CSV in the user's number format (a decimal point here).
expect 0 project export obj.kamerol -o obj.csv
head -c 3 obj.csv | od -An -tx1 | grep -q "ef bb bf" || fail "CSV without its byte-order mark"
grep -q '^Средняя,-10,1,2,' obj.csv || fail "CSV systems: $(grep Средняя obj.csv)"

# extract: each room as its own .tpl, byte for byte.
mkdir rooms
expect 0 project extract obj.kamerol --out-dir rooms
for room in worked-example potato-store freezing-lamb fish-freezer-store; do
  "$cli" calc "$examples/$room.tpl" -o "$room.tpl" >/dev/null
  cmp -s "$room.tpl" "rooms/$room.tpl" || fail "extract: $room.tpl differs"
done

cmp -s obj.kamerol obj-before.kamerol || fail "the project file changed"

# The sample project: its rooms are the sample calculations under names of their own.
mkdir sample
expect 0 project extract "$examples/cold-store.kamerol" --out-dir sample
for pair in "Камера 1 — картофель +2:potato-store" "Камера 3 — замораживание баранины:freezing-lamb" \
  "Камера 5 — низкотемпературная −30:fao-cold-store"; do
  "$cli" calc "$examples/${pair#*:}.tpl" -o "${pair#*:}.tpl" >/dev/null
  cmp -s "${pair#*:}.tpl" "sample/${pair%%:*}.tpl" || fail "the sample's ${pair%%:*} is not ${pair#*:}.tpl"
done
[ $failed -eq 0 ] && echo "kamerol-cli project checked"
exit $failed
