#!/usr/bin/env bash
# kamerol-cli project report: one PDF of the summary (landscape) and every
# room's page, the chart and trace sheets where asked, the grand total as
# project calc prints it, and the exit codes. Skipped without pdfinfo and
# pdftotext. Usage: project_report_check.sh CLI SOURCE_DIR
set -u
command -v pdfinfo >/dev/null && command -v pdftotext >/dev/null || exit 77
cli=$(readlink -f "${1:?kamerol-cli}")
examples=$(readlink -f "${2:?the source root}")/examples
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cd "$work" || exit 1
failed=0
fail() { echo "FAILED: $*"; failed=1; }

expect() {
  local code=$1
  shift
  "$cli" "$@" >out 2>err
  local got=$?
  [ "$got" -eq "$code" ] || fail "kamerol-cli $* exited $got, not $code: $(cat err)"
}
pages() { pdfinfo "$1" | sed -n 's/^Pages: *//p'; }

expect 0 project create obj.kamerol --title "Склад №1" --system "Средняя=-10,0.8" "$examples/worked-example.tpl" \
  "$examples/potato-store.tpl" --system "Низкая=-30" "$examples/freezing-lamb.tpl" "$examples/fish-freezer-store.tpl"

expect 0 project report obj.kamerol -o plain.pdf
[ "$(pages plain.pdf)" = 5 ] || fail "summary and four rooms: $(pages plain.pdf) pages"
pdfinfo -f 1 -l 2 plain.pdf | grep -q 'Page *1 size: *84[12][.0-9]* x 595' || fail "the summary is not landscape"
pdfinfo -f 1 -l 2 plain.pdf | grep -q 'Page *2 size: *595[.0-9]* x 84[12]' || fail "a room's page is not portrait"
total=$("$cli" project calc obj.kamerol | sed -n 's/^Требуемая холодопроизводительность объекта, кВт: //p')
[ -n "$total" ] && pdftotext -f 1 -l 1 plain.pdf - | grep -q "^$total\$" || fail "the summary lacks the grand total $total"
pdftotext -f 1 -l 1 plain.pdf - | grep -q "potato-store" || fail "the summary lacks a room"
pdftotext -f 3 -l 3 plain.pdf - | grep -q "помещение 2 из 4: potato-store" || fail "page 3 is not the second room's"

# --chart: a chart sheet after each room's page; --trace: the trace's sheets after that.
expect 0 project report obj.kamerol --chart -o chart.pdf
[ "$(pages chart.pdf)" = 9 ] || fail "--chart: $(pages chart.pdf) pages, not 9"
expect 0 project report obj.kamerol --chart --trace -o trace.pdf
[ "$(pages trace.pdf)" -gt 9 ] || fail "--trace: $(pages trace.pdf) pages"
pdftotext trace.pdf - | grep -c 'Ход расчёта, лист 1 из' | grep -qx 4 || fail "--trace: not every room's trace"

# Exit codes as calc's.
expect 1 project report obj.kamerol
expect 1 project report obj.kamerol -o -
expect 1 project report obj.kamerol -o x.pdf --no-logo
expect 2 project report missing.kamerol -o x.pdf
expect 2 project report obj.kamerol -o no-such-folder/x.pdf
grep -q "cannot write no-such-folder/x.pdf" err || fail "an unwritable PDF: $(cat err)"
expect 3 project report "$examples/worked-example.tpl" -o x.pdf
[ ! -e x.pdf ] || fail "a failed report wrote its file"

exit $failed
