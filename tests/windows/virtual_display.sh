# Sourced by the checks that run kamerol.exe under Wine: a virtual display,
# and kamerol.exe started on it with its check hook (KAMEROL_CHECK_DIR), read
# and closed as a window manager's close box closes it.
# The caller has: root (the source root), scratch (a scratch folder, removed
# by the caller), WINEPREFIX, and the functions fail and unmet.

# step SECONDS NAME COMMAND...: the command, stopped with its step's name when it takes too long.
step() {
  local seconds=$1 name=$2 status=0
  shift 2
  timeout --kill-after=5 "$seconds" "$@" || status=$?
  [ "$status" -eq 124 ] || [ "$status" -eq 137 ] && echo "TIMEOUT after ${seconds}s: $name"
  return "$status"
}

# start_virtual_display: an Xvfb of its own; sets display and xvfb (its pid, for stop_virtual_display).
start_virtual_display() {
  Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp 3>"$scratch/display" 2>"$scratch/xvfb.log" &
  xvfb=$!
  for _ in $(seq 100); do [ -s "$scratch/display" ] && break; sleep 0.1; done
  [ -s "$scratch/display" ] || { cat "$scratch/xvfb.log"; echo "FAILED: Xvfb did not start"; return 1; }
  display=:$(head -n1 "$scratch/display")
}
stop_virtual_display() {
  [ -n "${xvfb:-}" ] && kill "$xvfb" 2>/dev/null && wait "$xvfb" 2>/dev/null
  xvfb=
}

# desktop_on_virtual_display: the prefix's Wine server starts again, with its desktop (which every later
# window belongs to) on the virtual display; the desktop takes the display it first meets, and a Windows
# program run without one (an installer) can end it.
desktop_on_virtual_display() {
  local wineserver
  wineserver=$(command -v wineserver || ls /usr/lib/wine/wineserver64)
  timeout 60 "$wineserver" -k 2>/dev/null
  timeout 60 "$wineserver" -w 2>/dev/null
  timeout 60 "$wineserver" -p600
  step 120 "the Wine desktop on the virtual display" env DISPLAY="$display" WINEDEBUG=-all wine wineboot \
    </dev/null >/dev/null 2>&1
}

windowsPath() { step 60 "winepath $1" wine winepath -w "$1" 2>/dev/null | tr -d '\r'; }

# run_kamerol NAME SCREENSHOT COMMAND...: COMMAND starts kamerol.exe on the virtual display; it writes what it
# shows into $scratch/check (results.txt, report.pdf); then its window is closed and the command must end.
# SCREENSHOT (may be empty) gets the screen as it then is. Its log is $scratch/NAME.log.
run_kamerol() {
  local name=$1 screenshot=$2 status=0
  shift 2
  mkdir -p "$scratch/check"
  rm -f "$scratch/check"/*
  local checkDir
  checkDir=$(windowsPath "$scratch/check")
  DISPLAY=$display KAMEROL_CHECK_DIR=$checkDir WINEDEBUG=+mmio timeout --kill-after=5 60 "$@" \
    >"$scratch/$name.log" 2>&1 &
  local program=$!
  for _ in $(seq 600); do [ -s "$scratch/check/report.pdf" ] && break; sleep 0.1; done
  [ -s "$scratch/check/report.pdf" ] || fail "$name: no check files"
  if [ -n "$screenshot" ]; then
    sleep 2  # the window drawn
    DISPLAY=$display import -window root "$screenshot" && echo "screenshot: $screenshot"
  fi
  step 30 "$name: closing the window" env DISPLAY="$display" python3 "$root/tests/package/close_window.py" \
    "Расчет теплопритоков в холодильной камере" ||
    fail "$name: no window titled Расчет теплопритоков в холодильной камере"
  wait "$program" || status=$?
  [ "$status" -eq 124 ] && echo "TIMEOUT after 60s: $name"
  [ "$status" -eq 0 ] || unmet "$name: kamerol.exe ended with $status after its window was closed"
}

# required_capacity: what the last run's required capacity box showed.
required_capacity() { sed -n 's/^Text49=//p' "$scratch/check/results.txt" 2>/dev/null; }

# double_click CLASSES FILE: sets opener to the command that opening the Unix FILE with a double-click runs,
# by the .tpl association under CLASSES (HKLM\Software\Classes or HKCU\Software\Classes). Wine's shell reads
# HKCR, which is HKLM's classes alone (Windows merges the user's into it, Wine 8 does not): for the user's
# association the command is the association's own open command, as Windows would run it.
double_click() {
  local classes=$1 file=$2 command exe
  if [[ $classes == HKLM* ]]; then
    opener=(wine start /wait /unix "$file")
    return
  fi
  command=$(step 30 "reg query the open command" wine reg query "$classes\\Kamerol\\shell\\open\\command" /ve \
    2>/dev/null | tr -d '\r' | sed -n 's/^ *(Default) *REG_SZ *//p')
  exe=${command#\"}
  exe=${exe%%\"*}
  opener=(false)
  [ "$command" = "\"$exe\" \"%1\"" ] && opener=(wine "$exe" "$(windowsPath "$file")")
}
