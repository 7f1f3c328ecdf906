#!/usr/bin/env bash
# Starts the program under a virtual display with an accessibility bus and
# drives it through AT-SPI. Usage: tests/accessibility/run.sh PATH/TO/kamerol
# Exits 77 (skipped) where the tools are missing.
set -u
program=${1:?the kamerol executable}
here=$(cd "$(dirname "$0")" && pwd)
for tool in xvfb-run dbus-run-session /usr/bin/python3; do
  command -v "$tool" >/dev/null || { echo "missing $tool"; exit 77; }
done
/usr/bin/python3 -c 'import pyatspi' 2>/dev/null || { echo "missing pyatspi"; exit 77; }
launcher=$(ls /usr/libexec/at-spi-bus-launcher /usr/lib/at-spi2-core/at-spi-bus-launcher 2>/dev/null | head -1)
[ -n "$launcher" ] || { echo "missing at-spi-bus-launcher"; exit 77; }

export XDG_DATA_HOME=$(mktemp -d) XDG_CONFIG_HOME=$(mktemp -d) XDG_RUNTIME_DIR=$(mktemp -d)
chmod 700 "$XDG_RUNTIME_DIR"
trap 'rm -rf "$XDG_DATA_HOME" "$XDG_CONFIG_HOME" "$XDG_RUNTIME_DIR"' EXIT

xvfb-run -a dbus-run-session -- bash -c '
  "$1" --launch-immediately &
  sleep 1
  QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1 QT_ACCESSIBILITY=1 "$2" &
  app=$!
  /usr/bin/python3 "$3" kamerol
  status=$?
  kill $app 2>/dev/null
  exit $status
' _ "$launcher" "$program" "$here/drive_form.py"
