# Sourced by the project checks: sets python to a python3 that has openpyxl,
# or to nothing where none has it (the checks that read an XLSX back are then
# skipped).
python=
for candidate in python3 /usr/bin/python3; do
  if "$candidate" -c 'import openpyxl' 2>/dev/null; then
    python=$candidate
    break
  fi
done
