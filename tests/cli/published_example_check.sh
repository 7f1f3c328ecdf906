#!/usr/bin/env bash
# The README's table of the published FAO example quotes the program: each
# number of its "Kamerol, kW" column is what kamerol-cli calc prints in that
# row for examples/fao-cold-store.tpl. Usage:
# published_example_check.sh CLI SOURCE_DIR
set -u
cli=${1:?kamerol-cli}
source=${2:?the source root}
command -v python3 >/dev/null || exit 77
exec python3 - "$cli" "$source" <<'PY'
import re, subprocess, sys

cli, source = sys.argv[1], sys.argv[2]
printed = subprocess.run([cli, "calc", f"{source}/examples/fao-cold-store.tpl"], check=True,
                         capture_output=True, text=True).stdout
boxes = dict(re.split(r"\s{2,}", line.strip(), maxsplit=1) for line in printed.splitlines()[1:])

with open(f"{source}/README.md", encoding="utf-8") as readme:
    section = readme.read().split("### Published example", 1)[1].split("\n## ", 1)[0]
rows = [[cell.strip() for cell in line.strip().strip("|").split("|")]
        for line in section.splitlines() if line.startswith("|")]
header, rows = rows[0], rows[2:]
caption, kamerol = header.index("Kamerol row"), header.index("Kamerol, kW")
failures, quoted = [], 0
for row in rows:
    if row[caption] in boxes and row[kamerol]:
        quoted += 1
        if row[kamerol] != boxes[row[caption]]:
            failures.append(f"{row[caption]}: the README says {row[kamerol]}, kamerol-cli prints {boxes[row[caption]]}")
if quoted < 9:
    failures.append(f"only {quoted} rows of the README's table quote the program")
for f in failures:
    print("FAILED:", f)
sys.exit(1 if failures else 0)
PY
