#!/usr/bin/env bash
# The first start of the program associates .tpl and .kamerol files with it:
# the desktop (GIO, which file managers use) then sees a calculation file and a
# project file as our types and opens them with our entry. Usage: association_check.sh PATH/TO/kamerol
# Exits 77 (skipped) without gio.
set -u
program=$(readlink -f "${1:?the kamerol executable}")
command -v gio >/dev/null || { echo "missing gio"; exit 77; }
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
export XDG_DATA_HOME=$work/data XDG_CONFIG_HOME=$work/config XDG_RUNTIME_DIR=$work/runtime
mkdir -p "$XDG_RUNTIME_DIR" && chmod 700 "$XDG_RUNTIME_DIR"

# Start once (offscreen), long enough to write the association, then ask GIO
# what it makes of a calculation file. $1: the program, $2: the Exec line expected.
check() {
  local program=$1 exec=$2
  rm -rf "$work/data" "$work/config"
  QT_QPA_PLATFORM=offscreen timeout 5 "$program" >/dev/null 2>&1 &
  for _ in $(seq 50); do [ -f "$XDG_DATA_HOME/applications/kamerol.desktop" ] && break; sleep 0.1; done
  wait

  printf '0\r\n' >"$work/room.tpl"
  printf '{"format": "kamerol-project", "version": 1}\n' >"$work/plant.kamerol"
  local file expected type default
  for file in room.tpl:application/x-kamerol-calculation plant.kamerol:application/x-kamerol-project; do
    expected=${file#*:} file=$work/${file%%:*}
    type=$(gio info -a standard::content-type "$file" | sed -n 's/.*standard::content-type: //p')
    default=$(gio mime "$type" 2>/dev/null | sed -n 's/.*: //p' | head -n1)
    echo "$program: $(basename "$file"): type: $type, default: $default"
    [ "$type" = "$expected" ] && [ "$default" = "kamerol.desktop" ] || exit 1
  done
  grep -qxF "Exec=$exec" "$XDG_DATA_HOME/applications/kamerol.desktop" || { echo "Exec line"; exit 1; }
}

# Starts the entry as a file manager would, with a calculation file, and
# checks that the program runs with exactly that file. $1: the program.
check_launch() {
  local program=$1 pid=""
  QT_QPA_PLATFORM=offscreen gio launch "$XDG_DATA_HOME/applications/kamerol.desktop" "$work/room.tpl" || exit 1
  for _ in $(seq 50); do
    for p in /proc/[0-9]*; do [ "$(readlink "$p/exe" 2>/dev/null)" = "$program" ] && pid=${p#/proc/}; done
    [ -n "$pid" ] && break
    sleep 0.1
  done
  [ -n "$pid" ] || { echo "$program did not start"; exit 1; }
  local args
  args=$(tr '\0' '\n' <"/proc/$pid/cmdline")
  kill "$pid"
  [ "$args" = "$program"$'\n'"$work/room.tpl" ] || { echo "started as: $args"; exit 1; }
}

check "$program" "\"$program\" %f"
# A "%" in the program's path is escaped, and the entry still loads in GLib and
# starts the program, an "=" beside it too.
mkdir "$work/100% a=b"
cp "$program" "$work/100% a=b/kamerol"
check "$work/100% a=b/kamerol" 'sh -c "exec \\"\\$0\\" \\"\\$@\\"" "'"$work/100%% a=b/kamerol"'" %f'
check_launch "$work/100% a=b/kamerol"
