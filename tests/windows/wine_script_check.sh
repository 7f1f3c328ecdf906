# Sourced by the checks of kamerol-cli.exe under Wine: exits 77 (skipped)
# without Wine; else gives a scratch folder, removed on exit, and fail, which
# says what failed and makes the check's exit status (failed) 1.
command -v wine >/dev/null || command -v wine64 >/dev/null || [ -x /usr/lib/wine/wine64 ] || {
  echo "missing wine"; exit 77; }
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
failed=0
fail() {
  echo "FAILED: $*"
  failed=1
}
