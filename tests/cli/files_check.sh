#!/usr/bin/env bash
# kamerol-cli with files that fight back, as a user's shell would give them:
# a full disk (the file size limit, its signal ignored so that the write
# fails), a FIFO as the input and as the output, standard output as the
# calculation file, a system that gives no threads. Usage: files_check.sh CLI
# SOURCE_DIR
set -u
cli=$(readlink -f "${1:?kamerol-cli}")
source=$(readlink -f "${2:?the source root}")
example=$source/examples/worked-example.tpl
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cd "$work" || exit 1
failed=0
fail() { echo "FAILED: $*"; failed=1; }

# A full disk: the old PDF and the old calculation file stay as they were, nothing else is left.
echo "old report" >old.pdf
echo "old calculation" >old.tpl
(trap '' XFSZ; ulimit -f 2; "$cli" report "$example" -o old.pdf) 2>err
[ $? -eq 2 ] || fail "report on a full disk: exit $?"
grep -q "cannot write old.pdf" err || fail "report on a full disk: $(cat err)"
(trap '' XFSZ; ulimit -f 0; "$cli" calc "$example" -o old.tpl >/dev/null) 2>/dev/null
[ $? -eq 2 ] || fail "calc -o on a full disk"
[ "$(cat old.pdf)" = "old report" ] && [ "$(cat old.tpl)" = "old calculation" ] || fail "old files changed"
[ "$(ls -A | sort | tr '\n' ' ')" = "err old.pdf old.tpl " ] || fail "left behind: $(ls -A)"
"$cli" report "$example" -o old.pdf && [ "$(head -c 4 old.pdf)" = "%PDF" ] || fail "report with room on the disk"

# A FIFO is neither read (it would wait for a writer for ever) nor replaced.
mkfifo fifo
start=$(date +%s%N)
timeout 10 "$cli" calc fifo 2>err
code=$?
elapsed_ms=$((($(date +%s%N) - start) / 1000000))
[ $code -eq 2 ] && grep -q "cannot open fifo" err || fail "calc FIFO: exit $code, $(cat err)"
[ $elapsed_ms -lt 1000 ] || fail "calc FIFO took ${elapsed_ms} ms"
timeout 10 "$cli" calc -o fifo >/dev/null 2>err
[ $? -eq 2 ] && grep -q "not a regular file" err && [ -p fifo ] || fail "calc -o FIFO: $(cat err)"

# -o - is the calculation file and nothing else.
"$cli" calc "$example" -o saved.tpl >/dev/null && "$cli" calc "$example" -o - >dashed.tpl 2>err
cmp -s saved.tpl dashed.tpl && [ ! -s err ] || fail "-o - differs from -o FILE"
"$cli" calc "$example" -o - >/dev/full 2>err
[ $? -eq 2 ] || fail "-o - to a full device: $(cat err)"
"$cli" calc "$example" "$example" --jsonl >/dev/full 2>err
[ $? -eq 2 ] && grep -q "cannot write standard output" err || fail "--jsonl to a full device: $(cat err)"

# A system that gives no more threads than the one running: -j 4 still calculates every file.
nobody() { setpriv --reuid=65534 --regid=65534 --clear-groups "$@"; }
if [ "$(id -u)" -eq 0 ] && command -v setpriv >/dev/null && nobody test -x "$cli"; then
  chmod 755 "$work" && cp "$example" a.tpl && cp "$example" b.tpl && chmod 644 a.tpl b.tpl
  # A sanitizer build's leak check needs a thread of its own at the exit.
  ASAN_OPTIONS="${ASAN_OPTIONS:+$ASAN_OPTIONS:}detect_leaks=0" \
    nobody bash -c "ulimit -u 1 && exec '$cli' calc --jsonl -j 4 a.tpl b.tpl" >threads.jsonl 2>err
  [ $? -eq 0 ] && [ "$(grep -c '"requiredCapacity"' threads.jsonl)" -eq 2 ] || fail "-j 4 without threads: $(cat err)"
fi

[ $failed -eq 0 ] && echo "kamerol-cli files checked"
exit $failed
