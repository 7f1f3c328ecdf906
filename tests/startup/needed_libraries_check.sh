#!/usr/bin/env bash
# The program starts without Qt Multimedia and the audio libraries behind it:
# they are loaded with the sound module when the first cue plays. Loading them
# at start-up costs a good part of it, so the program must not name them.
# Usage: needed_libraries_check.sh PROGRAM
set -u
program=${1:?the program}
command -v readelf >/dev/null || { echo "missing readelf"; exit 77; }
needed=$(readelf -d "$program" | sed -n 's/.*(NEEDED).*\[\(.*\)\]/\1/p')
[ -n "$needed" ] || { echo "no libraries listed for $program"; exit 1; }
if printf '%s\n' "$needed" | grep -E 'Qt6Multimedia|libpulse|libasound'; then
  echo "$program loads the libraries above as it starts"
  exit 1
fi
echo "$program starts without Qt Multimedia"
