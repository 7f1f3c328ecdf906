# The sanitizers' settings for a fuzzing run (sourced by scripts/fuzz): a
# report of undefined behaviour stops the run and keeps the input, as a
# memory error does, instead of scrolling past.
export ASAN_OPTIONS=detect_leaks=1
export UBSAN_OPTIONS=halt_on_error=1:print_stacktrace=1
