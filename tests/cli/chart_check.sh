#!/usr/bin/env bash
# kamerol-cli chart: the SVG holds each gain's caption and value as calc
# prints them, the PNG is an image, and the exit codes are those of report.
#   chart_check.sh CLI SOURCE_DIR
set -uo pipefail
cli=$1 source=$2
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
failed=0
fail() { echo "FAIL: $*"; failed=1; }
example=$source/examples/worked-example.tpl

"$cli" chart "$example" --set includeDoor=0 -o "$scratch/chart.svg" || fail "chart to SVG exited $?"
# The SVG escapes quotes as entities; the table's first nine rows are the gains.
svg=$(sed -e 's/&quot;/"/g' -e 's/&#34;/"/g' "$scratch/chart.svg")
rows=$("$cli" calc "$example" --set includeDoor=0 | sed -n '2,10p')
[[ $(wc -l <<<"$rows") -eq 9 ]] || fail "calc printed no nine gains"
while read -r line; do
  value=${line##* }
  caption=${line% *}
  caption=${caption%"${caption##*[![:space:]]}"}
  grep -qF ">$caption<" <<<"$svg" || fail "caption \"$caption\" missing"
  grep -qF ">$value кВт" <<<"$svg" || fail "value $value of \"$caption\" missing"
done <<<"$rows"
grep -qF "не учитывается" <<<"$svg" || fail "the excluded door is not drawn as excluded"

"$cli" chart "$example" -o "$scratch/chart.PNG" || fail "chart to PNG exited $?"
[[ $(head -c 8 "$scratch/chart.PNG" | od -An -tx1 | tr -d ' \n') == 89504e470d0a1a0a ]] || fail "not a PNG"

expect_exit() {
  local want=$1
  shift
  "$cli" "$@" >/dev/null 2>&1
  local got=$?
  [[ $got -eq $want ]] || fail "exit $got, not $want: $*"
}
expect_exit 1 chart "$example"
expect_exit 1 chart "$example" -o "$scratch/chart.pdf"
expect_exit 1 chart "$example" --chart -o "$scratch/chart.svg"
expect_exit 2 chart "$scratch/missing.tpl" -o "$scratch/chart.svg"
expect_exit 2 chart "$example" -o "$scratch/missing-folder/chart.svg"
expect_exit 2 chart "$example" -o "$scratch/missing-folder/chart.png"
printf 'not a calculation\r\n' >"$scratch/other.tpl"
expect_exit 3 chart "$scratch/other.tpl" -o "$scratch/chart.svg"

# The report with the chart as its second page.
"$cli" report "$example" --chart -o "$scratch/report.pdf" || fail "report --chart exited $?"
if command -v pdfinfo >/dev/null; then
  pdfinfo "$scratch/report.pdf" | grep -Eq '^Pages: +2$' || fail "report --chart has not two pages"
  "$cli" report "$example" -o "$scratch/one.pdf"
  pdfinfo "$scratch/one.pdf" | grep -Eq '^Pages: +1$' || fail "report without --chart has not one page"
  pdftotext -f 2 "$scratch/report.pdf" - | grep -q "Диаграмма теплопритоков" || fail "no chart on page 2"
fi
exit $failed
