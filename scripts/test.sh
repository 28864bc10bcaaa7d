#!/usr/bin/env bash
# Builds and runs every test (warnings are errors here), then builds and runs them again with
# AddressSanitizer and UndefinedBehaviorSanitizer, then a short run of each fuzz target.
# Benchmarks are built and each run once, briefly.
set -euo pipefail
cd "$(dirname "$0")/.."

bash scripts/install-deps.sh
export QT_QPA_PLATFORM=offscreen

cmake --preset ci >/dev/null
cmake --build --preset ci
ctest --preset ci

# The sanitizers' settings come first: the build itself runs the program (the manual page).
export ASAN_OPTIONS="${ASAN_OPTIONS:-detect_leaks=1}"
export LSAN_OPTIONS="suppressions=$PWD/scripts/lsan.supp:print_suppressions=0"
export UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1"
cmake --preset asan >/dev/null
cmake --build --preset asan
ctest --preset asan

# Fuzz targets (clang, libFuzzer): a short smoke run of each from the project's own seeds.
cmake --preset fuzz >/dev/null
cmake --build --preset fuzz --target native_walk_fuzz font_bytes_fuzz draw_report_fuzz variation_fuzz dump_native
ctest --preset fuzz
