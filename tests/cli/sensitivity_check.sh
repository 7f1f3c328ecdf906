#!/usr/bin/env bash
# The sensitivity computed by hand: each end of each variation typed into
# kamerol-cli calc with --set, its required capacity and gains compared with
# what kamerol-cli sensitivity reports for it. Usage:
# sensitivity_check.sh CLI SOURCE_DIR
set -u
cli=${1:?kamerol-cli}
source=${2:?the source root}
command -v python3 >/dev/null || exit 77
exec python3 - "$cli" "$source" <<'PY'
import json, subprocess, sys

cli, source = sys.argv[1], sys.argv[2]
failures = []
checked = 0
for example in ["worked-example.tpl", "potato-store.tpl", "fao-cold-store.tpl"]:
    path = f"{source}/examples/{example}"
    analysis = json.loads(subprocess.run([cli, "sensitivity", path, "--json"], check=True,
                                         capture_output=True, text=True).stdout)
    for v in analysis["variations"]:
        for side, capacity_key, gains_key in [("low", "requiredCapacityLow", "gainsLow"),
                                              ("high", "requiredCapacityHigh", "gainsHigh")]:
            if v["skipped"] and side in v["skipped"]:
                continue
            texts = v[side].split(" / ")
            if len(texts) == 1:
                texts = texts * len(v["fields"])
            args = [cli, "calc", path, "--json"]
            for field, text in zip(v["fields"], texts):
                args += ["--set", f"{field}={text}"]
            done = subprocess.run(args, capture_output=True, text=True)
            where = f"{example} {v['input']} {side} {v[side]!r}"
            if done.returncode != 0 or done.stderr:
                failures.append(f"{where}: calc --set refused it: {done.stderr.strip()}")
                continue
            results = json.loads(done.stdout)["results"]
            if results["requiredCapacity"] != v[capacity_key]:
                failures.append(f"{where}: requiredCapacity {results['requiredCapacity']} by hand, "
                                f"{v[capacity_key]} by the sensitivity")
            for key, value in v[gains_key].items():
                if results[key] != value:
                    failures.append(f"{where}: {key} {results[key]} by hand, {value} by the sensitivity")
            checked += 1
if checked < 40:
    failures.append(f"only {checked} variations checked")
for f in failures:
    print("FAILED:", f)
sys.exit(1 if failures else 0)
PY
