#!/usr/bin/env bash
# The Windows code paths (registry association, PlaySound, drives, calc.exe)
# cannot be built here, but they can be compiled: the MinGW-w64 compiler with
# the Windows headers, against the Qt headers, checks every source for syntax
# and types with Q_OS_WIN in force. Exits 77 (skipped) without MinGW-w64.
# Usage: syntax_check.sh SOURCE_ROOT GENERATED_DIR (the headers CMake makes)
set -u
root=${1:?the source root}
generated=${2:?the folder of the generated headers}
compiler=$(command -v x86_64-w64-mingw32-g++-posix || command -v x86_64-w64-mingw32-g++) || {
  echo "missing x86_64-w64-mingw32-g++"; exit 77; }
qt=$(ls -d /usr/include/x86_64-linux-gnu/qt6 2>/dev/null || ls -d /usr/include/qt6 2>/dev/null) || {
  echo "missing Qt headers"; exit 77; }
includes=(-I"$root" -I"$generated" -I"$qt")
for module in QtCore QtGui QtWidgets QtMultimedia QtPrintSupport; do includes+=(-I"$qt/$module"); done
status=0
for source in "$root"/shell/*.cpp "$root"/window/*.cpp "$root"/app/kamerol_main.cpp "$root"/platform/file_access.cpp; do
  # Only our own diagnostics count: Qt's Linux headers warn about dllimport under MinGW.
  output=$("$compiler" -std=c++20 -fsyntax-only -Wall -Wextra "${includes[@]}" \
    "$source" 2>&1 | grep -E "^$root/(platform|shell|window|app|core|form|document|report)/" | grep -E 'error|warning')
  if [ -n "$output" ]; then
    echo "$output"
    status=1
  fi
done
[ $status -eq 0 ] && echo "Windows code paths compile"
exit $status
