#!/usr/bin/env bash
# kamerol-cli sensitivity -o: the SVG holds each input's caption and the
# capacities the JSON gives, the PNG is an image, and a wrong extension or
# folder is refused with report's exit codes.
#   sensitivity_chart_check.sh CLI SOURCE_DIR
set -uo pipefail
cli=$1 source=$2
command -v python3 >/dev/null || exit 77
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
failed=0
fail() { echo "FAIL: $*"; failed=1; }
example=$source/examples/worked-example.tpl

"$cli" sensitivity "$example" -o "$scratch/tornado.svg" || fail "sensitivity to SVG exited $?"
"$cli" sensitivity "$example" --json >"$scratch/tornado.json" || fail "sensitivity --json exited $?"
python3 - "$scratch/tornado.svg" "$scratch/tornado.json" <<'PY' || failed=1
import html, json, re, sys
svg = html.unescape(open(sys.argv[1], encoding="utf-8").read())
texts = re.findall(r">([^<>]+)<", svg)
analysis = json.load(open(sys.argv[2], encoding="utf-8"))
def kw(value):
    return "—" if value is None else ("%.2f" % value).rstrip("0").rstrip(".")
ok = True
def need(text, what):
    global ok
    if not any(text in t for t in texts):
        print(f"FAIL: {what} {text!r} missing from the SVG")
        ok = False
need("Чувствительность потребной холодопроизводительности", "title")
need(kw(analysis["base"]["requiredCapacity"]), "base capacity")
for v in analysis["variations"]:
    need(v["low"], f"{v['input']} low value")
    need(kw(v["requiredCapacityLow"]), f"{v['input']} capacity at the low value")
    need(kw(v["requiredCapacityHigh"]), f"{v['input']} capacity at the high value")
    if v["skipped"]:
        need("Пропущено: ", f"{v['input']} refused side")
sys.exit(0 if ok else 1)
PY

"$cli" sensitivity "$example" --set staffCount=3 -o "$scratch/tornado.PNG" || fail "sensitivity to PNG exited $?"
[[ $(head -c 8 "$scratch/tornado.PNG" | od -An -tx1 | tr -d ' \n') == 89504e470d0a1a0a ]] || fail "not a PNG"

expect_exit() {
  local want=$1
  shift
  "$cli" "$@" >/dev/null 2>&1
  local got=$?
  [[ $got -eq $want ]] || fail "exit $got, not $want: $*"
}
expect_exit 1 sensitivity "$example" -o "$scratch/tornado.pdf"
expect_exit 1 sensitivity "$example" --json -o "$scratch/tornado.svg"
expect_exit 2 sensitivity "$example" -o "$scratch/missing-folder/tornado.svg"
exit $failed
