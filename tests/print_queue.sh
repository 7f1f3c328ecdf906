#!/usr/bin/env bash
# A print queue of the tests' own, so that printing is tested without a
# printer and never reaches one: Debian's CUPS scheduler run from a scratch
# folder with its own configuration, spool, logs and socket (nothing of the
# machine's CUPS or /etc), and one queue, the default, that writes each job as
# it comes (PDF from Qt on Linux, PostScript from Wine) to a file. Qt's print
# support and Wine's spooler find it through CUPS_SERVER.
#
# Sourced: start_print_queue FOLDER starts it in FOLDER (a short path: the
# socket is in it) and exports CUPS_SERVER and KAMEROL_PRINT_QUEUE_OUTPUT, the
# file the job is written to; stop_print_queue ends it; print_jobs says how
# many jobs it has taken; printed_one_page FILE checks that FILE holds one
# page with ink.
# Run: print_queue.sh COMMAND... runs COMMAND with a queue in a scratch folder,
# then checks what it printed; 77 (skipped) without CUPS or Ghostscript.

cupsd=/usr/sbin/cupsd

start_print_queue() {
  local folder=$1
  [ -x "$cupsd" ] || { echo "print queue: no $cupsd (Debian's cups-daemon)" >&2; return 1; }
  mkdir -p "$folder"/{etc,spool/tmp,cache,state,log,bin/backend}
  # The scheduler runs its helpers from its own folder of programs: Debian's, and a backend that writes the
  # job to the output file whole (renamed into place, so a reader never sees half a job).
  ln -sfn /usr/lib/cups/daemon "$folder/bin/daemon"
  cat >"$folder/bin/backend/output" <<'EOF'
#!/bin/sh
[ $# -eq 0 ] && exit 0  # asked which devices it finds: none
out=${DEVICE_URI#output:}
if [ -n "$6" ]; then cat "$6"; else cat; fi >"$out.part" && mv "$out.part" "$out"
EOF
  # Private to its owner: run as root, the scheduler runs it as root, able to write into the folder.
  chmod 700 "$folder/bin/backend/output"
  cat >"$folder/cups-files.conf" <<EOF
ServerRoot $folder/etc
ServerBin $folder/bin
RequestRoot $folder/spool
TempDir $folder/spool/tmp
CacheDir $folder/cache
StateDir $folder/state
AccessLog $folder/log/access_log
ErrorLog $folder/log/error_log
PageLog $folder/log/page_log
Printcap $folder/printcap
EOF
  cat >"$folder/cupsd.conf" <<EOF
Listen $folder/cups.sock
Browsing No
WebInterface No
DefaultAuthType None
<Location />
  Order allow,deny
  Allow all
</Location>
EOF
  # No driver: the job goes to the backend as the program sent it.
  cat >"$folder/etc/printers.conf" <<EOF
<DefaultPrinter kamerol-test>
Info Kamerol's tests
DeviceURI output:$folder/printed
State Idle
Accepting Yes
Shared No
</DefaultPrinter>
EOF
  "$cupsd" -f -c "$folder/cupsd.conf" -s "$folder/cups-files.conf" </dev/null >"$folder/log/cupsd.log" 2>&1 &
  print_queue_pid=$!
  print_queue_folder=$folder
  # The socket is made once the queue is loaded.
  for _ in $(seq 100); do [ -S "$folder/cups.sock" ] && break; sleep 0.05; done
  if [ ! -S "$folder/cups.sock" ]; then
    echo "print queue: the scheduler did not start" >&2
    cat "$folder/log/cupsd.log" "$folder/log/error_log" >&2 2>/dev/null
    stop_print_queue
    return 1
  fi
  export CUPS_SERVER=$folder/cups.sock KAMEROL_PRINT_QUEUE_OUTPUT=$folder/printed
  # A default of the user's own would name a queue this scheduler has not.
  unset LPDEST PRINTER
}

stop_print_queue() {
  [ -n "${print_queue_pid:-}" ] || return 0
  kill "$print_queue_pid" 2>/dev/null
  wait "$print_queue_pid" 2>/dev/null
  print_queue_pid=
}

# The page log has a line a job (a job without a driver counts no pages).
print_jobs() { { wc -l <"$print_queue_folder/log/page_log"; } 2>/dev/null || echo 0; }

# printed_one_page FILE: Ghostscript reads the job (PDF or PostScript) and measures each page's ink.
printed_one_page() {
  local coverage
  coverage=$(gs -q -dSAFER -dBATCH -dNOPAUSE -sDEVICE=inkcov -o - "$1" 2>&1 | grep 'CMYK OK')
  if [ "$(wc -l <<<"$coverage")" -ne 1 ] || ! awk '{ exit !($1 + $2 + $3 + $4 > 0) }' <<<"$coverage"; then
    echo "print queue: $1 is not one page with ink: ${coverage:-(no page)}" >&2
    return 1
  fi
}

if [ "${BASH_SOURCE[0]}" = "$0" ]; then
  if [ ! -x "$cupsd" ] || ! command -v gs >/dev/null; then
    echo "skipped: no cupsd or gs"
    exit 77
  fi
  folder=$(mktemp -d)
  trap 'stop_print_queue; rm -rf "$folder"' EXIT
  start_print_queue "$folder" || exit 1
  "$@" || exit
  printed_one_page "$KAMEROL_PRINT_QUEUE_OUTPUT" || exit
  [ "$(print_jobs)" -eq 1 ] || { echo "print queue: $(print_jobs) jobs, not one" >&2; exit 1; }
fi
