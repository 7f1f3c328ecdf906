#!/usr/bin/env bash
# The Debian package as a user gets it: unpacked with dpkg -x into a scratch
# root, its programs run from there and find everything they need there.
# Usage: unpacked_check.sh build/kamerol_VERSION_ARCH.deb
set -euo pipefail
deb=$(readlink -f "${1:?the .deb}")
here=$(cd "$(dirname "$0")" && pwd)
work=$(mktemp -d)
xvfb=
cleanup() {
  [ -n "$xvfb" ] && kill "$xvfb" 2>/dev/null && wait "$xvfb" 2>/dev/null
  rm -rf "$work"
}
trap cleanup EXIT
fail() { echo "FAIL: $*"; exit 1; }

echo "== lintian"
# Errors fail the check; the remaining warnings are listed.
lintian --fail-on error --tag-display-limit 0 "$deb"

root=$work/root
dpkg -x "$deb" "$root"
usr=$root/usr
section=$(dpkg-deb -f "$deb" Section)
[ "$section" = science ] || fail "section $section"

echo "== kamerol-cli on the packaged worked example"
capacity=$("$usr/bin/kamerol-cli" calc "$usr/share/doc/kamerol/examples/worked-example.tpl" | tail -n1)
echo "$capacity"
[[ "$capacity" =~ [[:space:]]1\.64$ ]] || fail "required capacity"

echo "== the desktop entry and the AppStream metadata"
desktop-file-validate "$usr/share/applications/kamerol.desktop"
# Both file types, by their names, with the entry opening them.
update-mime-database "$usr/share/mime"
for glob in application/x-kamerol-calculation:*.tpl application/x-kamerol-project:*.kamerol; do
  grep -qF ":$glob" "$usr/share/mime/globs2" || fail "no MIME type for ${glob#*:}"
  grep -q "^MimeType=.*${glob%%:*};" "$usr/share/applications/kamerol.desktop" || fail "the entry opens no ${glob#*:}"
done
appstreamcli validate --no-net "$usr"/share/metainfo/*.metainfo.xml

# The user's folders are scratch ones; the system's are the unpacked root's.
export HOME=$work/home XDG_DATA_HOME=$work/home/data XDG_CONFIG_HOME=$work/home/config
export XDG_RUNTIME_DIR=$work/runtime XDG_DATA_DIRS=$usr/share PATH=$usr/bin:$PATH
mkdir -p "$HOME" "$XDG_RUNTIME_DIR" && chmod 700 "$XDG_RUNTIME_DIR"

echo "== kamerol offscreen"
# It starts and stays up; the system-wide association is its own, so it writes none per user.
status=0
QT_QPA_PLATFORM=offscreen timeout 5 "$usr/bin/kamerol" >"$work/offscreen.log" 2>&1 || status=$?
[ "$status" -eq 124 ] || { cat "$work/offscreen.log"; fail "kamerol ended with $status"; }
[ ! -e "$XDG_DATA_HOME/applications/kamerol.desktop" ] || fail "a per-user association was written"

echo "== kamerol's exit sound: the sound module and the cue from the unpacked root"
# Closing the window plays the exit sound (the sound setting is on by default), which loads the sound module;
# the cue plays on the main thread, the only one traced (tracing the audio threads can stall them).
Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp 3>"$work/display" 2>"$work/xvfb.log" &
xvfb=$!
for _ in $(seq 100); do [ -s "$work/display" ] && break; sleep 0.1; done
[ -s "$work/display" ] || { cat "$work/xvfb.log"; fail "Xvfb did not start"; }
export DISPLAY=:$(head -n1 "$work/display")
QT_QPA_PLATFORM=xcb timeout 60 strace -qq -e trace=openat -o "$work/opened" "$usr/bin/kamerol" \
  >"$work/xcb.log" 2>&1 &
program=$!
/usr/bin/python3 "$here/close_window.py" "Расчет теплопритоков" || { cat "$work/xcb.log"; fail "no window"; }
wait "$program" || { cat "$work/xcb.log"; fail "kamerol did not end by itself"; }
opened() { grep -F "\"$1\"" "$work/opened" | grep -qv ENOENT; }
modules=$usr/lib/$(dpkg-architecture -qDEB_HOST_MULTIARCH)/kamerol
opened "$modules/libkamerol_sound.so" || fail "sound module"
# Printing comes with its own module, loaded at the first print: a start and an end load no Qt Print Support.
[ -f "$modules/libkamerol_print.so" ] || fail "no print module"
! grep -v ENOENT "$work/opened" | grep -q "libQt6PrintSupport" || fail "Qt Print Support loaded with no printing"
opened "$usr/share/kamerol/Fcmcs.trc" || fail "exit cue"
echo "package check passed"
