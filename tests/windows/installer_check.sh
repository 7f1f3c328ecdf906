#!/usr/bin/env bash
# The installer under Wine, in a fresh prefix (WINEPREFIX): a silent install,
# for the current user or for all users, puts the program folder with its
# licences, the Start-menu entry, the .tpl and .kamerol associations and the entry in the
# installed programs in place; the installed program calculates; a silent
# uninstall leaves none of it behind. The installed desktop program opens a
# calculation in a Cyrillic folder as a double-click opens it, on a virtual
# display, and keeps calculations in the user's documents.
# Usage: installer_check.sh SETUP.EXE SOURCE_ROOT
set -u
setup=${1:?kamerol-VERSION-setup.exe} root=${2:?the source root}
: "${WINEPREFIX:?a fresh Wine prefix}"
failed=0
fail() {
  echo "FAILED: $*"
  failed=1
}
# Each Wine program under a time limit that names the step when it ends it.
wine_step() {
  local step=$1
  shift
  KAMEROL_WINE_TIMEOUT=60 KAMEROL_WINE_STEP="installer: $step" "$root/scripts/wine-run" "$@" </dev/null
}
# A key's value as `wine reg query` prints it, or nothing when the key is absent.
value() {  # STEP KEY [NAME]
  local name=(/ve)
  [ -n "${3:-}" ] && name=(/v "$3")
  wine_step "$1" reg query "$2" "${name[@]}" 2>/dev/null | tr -d '\r' | sed -n 's/^ *[^ ].*  *REG_[A-Z_]*  *//p'
}
unmet() { echo "NOT YET PASSING: installer: $*"; }
scratch=$(mktemp -d)
source "$root/tests/windows/virtual_display.sh"
trap 'stop_virtual_display; rm -rf "$scratch"' EXIT
display=
if command -v Xvfb >/dev/null && command -v xwininfo >/dev/null; then
  start_virtual_display || fail "no virtual display"
fi
version=$(basename "$setup")
version=${version#kamerol-}
version=${version%-setup.exe}
start_menu_links() { find "$WINEPREFIX/drive_c" -iname 'Kamerol.lnk' 2>/dev/null; }

# MODE (CurrentUser or AllUsers, as the setup's command line says) installs
# into a folder whose path holds WHERE, with its keys in HIVE.
install_and_uninstall() {  # MODE HIVE WHERE
  local mode=$1 where=$3
  local classes="$2\\Software\\Classes"
  local uninstall="$2\\Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\Kamerol"
  local location folder got out key
  wine_step "setup /S" "$setup" /S "/$mode" || fail "$mode: the setup exits $?"
  location=$(value "the install location" "$uninstall" InstallLocation)
  [ -n "$location" ] || fail "$mode: no entry in the installed programs"
  folder=$(wine_step "winepath" winepath -u "$location" 2>/dev/null | tr -d '\r')
  [ -n "$folder" ] && [ -f "$folder/kamerol-cli.exe" ] && [ -f "$folder/uninstall.exe" ] &&
    [ -f "$folder/examples/worked-example.tpl" ] && [ -f "$folder/NOTICES.txt" ] &&
    [ -f "$folder/licenses/mingw-w64.txt" ] || fail "$mode: the program folder $folder is incomplete"
  # The program's licence, as the installer's licence page shows it, with Windows line ends.
  tr -d '\r' <"$folder/LICENSE.txt" 2>/dev/null | cmp -s - "$root/LICENSE" && grep -q $'\r$' "$folder/LICENSE.txt" ||
    fail "$mode: the program folder has no LICENSE.txt with the GPL"
  [[ $location == *"$where"* ]] || fail "$mode: the install went to $location"
  [ -n "$(start_menu_links)" ] || fail "$mode: no Start-menu entry"
  # The desktop program opens calculations where the folder has it.
  local main=kamerol-cli.exe
  [ -f "$folder/kamerol.exe" ] && main=kamerol.exe

  while IFS='|' read -r what key name expected; do
    got=$(value "$what" "$key" "$name")
    [[ $got == "$expected" || ($expected == '*' && -n $got) ]] || fail "$mode: $what: \"$got\", not \"$expected\""
  done <<EOF_KEYS
the .tpl association|$classes\\.tpl||Kamerol
the open command|$classes\\Kamerol\\shell\\open\\command||"$location\\$main" "%1"
the program's icon|$classes\\Kamerol\\DefaultIcon||$location\\$main,0
the .kamerol association|$classes\\.kamerol||Kamerol.Project
the projects' open command|$classes\\Kamerol.Project\\shell\\open\\command||"$location\\$main" "%1"
the projects' icon|$classes\\Kamerol.Project\\DefaultIcon||$location\\$main,0
the name in the installed programs|$uninstall|DisplayName|Kamerol
the version in the installed programs|$uninstall|DisplayVersion|$version
the publisher in the installed programs|$uninstall|Publisher|Kamerol
the uninstaller|$uninstall|UninstallString|"$location\\uninstall.exe" /$mode
the icon in the installed programs|$uninstall|DisplayIcon|$location\\$main,0
no Modify button|$uninstall|NoModify|0x1
no Repair button|$uninstall|NoRepair|0x1
the size in the installed programs|$uninstall|EstimatedSize|*
EOF_KEYS

  # reg query prints in the console's code page, which has no Cyrillic here: the
  # file types' Russian names are read from an export, which is UTF-16.
  while IFS='|' read -r type name; do
    rm -f "$WINEPREFIX/drive_c/kamerol-type.reg"
    wine_step "export the file type $type" reg export "$classes\\$type" 'C:\kamerol-type.reg' /y >/dev/null 2>&1
    iconv -f UTF-16 -t UTF-8 "$WINEPREFIX/drive_c/kamerol-type.reg" 2>/dev/null | tr -d '\r' |
      grep -qxF "@=\"$name\"" || fail "$mode: the file type $type is not named \"$name\""
  done <<EOF_TYPES
Kamerol|Расчет холод. камеры
Kamerol.Project|Объект Kamerol
EOF_TYPES

  out=$(wine_step "the installed program" "$folder/kamerol-cli.exe" calc "$folder/examples/worked-example.tpl")
  [[ $(tail -n 1 <<<"$out") == *" 1.64" ]] || fail "$mode: the installed program gives $(tail -n 1 <<<"$out")"

  if [ "$main" = kamerol.exe ] && [ -n "$display" ]; then
    local calculations="$scratch/Расчёты 2026"
    mkdir -p "$calculations"
    cp "$folder/examples/worked-example.tpl" "$calculations/Камера №1.tpl"
    desktop_on_virtual_display || fail "$mode: the Wine desktop on the virtual display"
    double_click "$classes" "$calculations/Камера №1.tpl"
    run_kamerol "$mode: the installed kamerol.exe" "" env WINEDEBUG=-all "${opener[@]}"
    [ "$(required_capacity)" = 1.64 ] ||
      fail "$mode: opened by the association, the installed program shows \"$(required_capacity)\""
    # An installed program keeps calculations among the user's documents, never in its own folder.
    local calculations
    calculations=$(cat "$scratch/check/calculations-folder.txt" 2>/dev/null)
    [[ $calculations == *'\Kamerol' && $calculations != "$location" ]] ||
      fail "$mode: the installed program's calculations folder is \"$calculations\""
  fi

  # The uninstaller runs from a copy of itself in the temporary folder and ends
  # after the one started: its work is done when its entry is gone.
  wine_step "uninstall /S" "$folder/uninstall.exe" /S "/$mode" || fail "$mode: the uninstaller exits $?"
  for _ in $(seq 60); do
    [ -e "$folder" ] || break
    sleep 1
  done
  [ ! -e "$folder" ] || fail "$mode: the program folder stays: $(find "$folder" | tr '\n' ' ')"
  [ -z "$(start_menu_links)" ] || fail "$mode: the Start-menu entry stays"
  for key in "$classes\\.tpl" "$classes\\Kamerol" "$classes\\.kamerol" "$classes\\Kamerol.Project" "$uninstall"; do
    wine_step "after uninstall: $key" reg query "$key" >/dev/null 2>&1 && fail "$mode: $key stays"
  done
}

# A standard user's install, and an administrator's for all users (Wine's user is one).
install_and_uninstall CurrentUser HKCU '\AppData\'
install_and_uninstall AllUsers HKLM '\Program Files\'

[ $failed -eq 0 ] && echo "The installer installs and uninstalls under Wine"
exit $failed
