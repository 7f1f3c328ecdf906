#!/usr/bin/env bash
# Starts the program on a virtual display with an accessibility bus and
# drives it through AT-SPI. Usage: tests/accessibility/run.sh PATH/TO/kamerol
# Exits 77 (skipped) where the tools are missing.
set -u
program=${1:?the kamerol executable}
here=$(cd "$(dirname "$0")" && pwd)
for tool in Xvfb dbus-run-session /usr/bin/python3; do
  command -v "$tool" >/dev/null || { echo "missing $tool"; exit 77; }
done
/usr/bin/python3 -c 'import pyatspi' 2>/dev/null || { echo "missing pyatspi"; exit 77; }
launcher=$(ls /usr/libexec/at-spi-bus-launcher /usr/lib/at-spi2-core/at-spi-bus-launcher 2>/dev/null | head -1)
[ -n "$launcher" ] || { echo "missing at-spi-bus-launcher"; exit 77; }

work=$(mktemp -d)
export XDG_DATA_HOME=$work/data XDG_CONFIG_HOME=$work/config XDG_RUNTIME_DIR=$work/runtime
mkdir -p "$XDG_RUNTIME_DIR" && chmod 700 "$XDG_RUNTIME_DIR"

# The X server picks a free display itself and tells which.
Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp 3>"$work/display" 2>"$work/xvfb.log" &
xvfb=$!
trap 'kill $xvfb 2>/dev/null; wait $xvfb 2>/dev/null; rm -rf "$work"' EXIT
for _ in $(seq 100); do [ -s "$work/display" ] && break; sleep 0.1; done
[ -s "$work/display" ] || { echo "Xvfb did not start"; cat "$work/xvfb.log"; exit 1; }
export DISPLAY=:$(head -n1 "$work/display")

dbus-run-session -- bash -c '
  "$1" --launch-immediately &
  sleep 1
  QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1 QT_ACCESSIBILITY=1 QT_QPA_PLATFORM=xcb "$2" &
  app=$!
  /usr/bin/python3 "$3" kamerol
  status=$?
  kill $app 2>/dev/null
  exit $status
' _ "$launcher" "$program" "$here/drive_form.py"
