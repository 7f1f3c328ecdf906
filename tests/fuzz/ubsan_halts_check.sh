#!/usr/bin/env bash
# The settings scripts/fuzz runs the fuzzer with stop it at undefined
# behaviour: a fuzz target with a signed overflow, built with clang's
# libFuzzer and UBSan as it comes (reports recoverable), is run on an input
# that overflows. Usage: ubsan_halts_check.sh SOURCE_ROOT
# Exits 77 (skipped) without clang's libFuzzer.
set -u
root=$(readlink -f "${1:?the source root}")
command -v clang++ >/dev/null || { echo "missing clang++"; exit 77; }
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cat >"$work/overflow.cpp" <<'CPP'
#include <climits>
#include <cstddef>
#include <cstdint>
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  volatile int sum = INT_MAX;
  if (size > 0) sum = sum + data[0];
  return 0;
}
CPP
clang++ -g -fsanitize=fuzzer,undefined "$work/overflow.cpp" -o "$work/overflow" 2>"$work/build.log" || {
  cat "$work/build.log"; echo "clang++ cannot build a libFuzzer target"; exit 77; }
printf '\001' >"$work/input"
grep -q "^source fuzz/sanitizer_options.sh$" "$root/scripts/fuzz" || { echo "scripts/fuzz does not use the settings"; exit 1; }
(source "$root/fuzz/sanitizer_options.sh" && "$work/overflow" "$work/input") >"$work/run.log" 2>&1
code=$?
grep -q "runtime error: signed integer overflow" "$work/run.log" || { cat "$work/run.log"; exit 1; }
[ $code -ne 0 ] || { echo "undefined behaviour did not stop the run"; exit 1; }
echo "undefined behaviour stops a fuzzing run"
