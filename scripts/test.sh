#!/usr/bin/env bash
# Builds and runs every test, then builds and runs them again with AddressSanitizer and
# UndefinedBehaviorSanitizer. Benchmarks are built and each run once, briefly.
set -euo pipefail
cd "$(dirname "$0")/.."

bash scripts/install-deps.sh
export QT_QPA_PLATFORM=offscreen

cmake -S . -B build/release -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build/release -j2
ctest --test-dir build/release --output-on-failure -j2

cmake -S . -B build/asan -G Ninja -DCMAKE_BUILD_TYPE=Debug -DMOJI_SANITIZE=ON -DMOJI_BENCHMARKS=OFF >/dev/null
cmake --build build/asan -j2
export ASAN_OPTIONS="${ASAN_OPTIONS:-detect_leaks=1}"
export LSAN_OPTIONS="suppressions=$PWD/scripts/lsan.supp:print_suppressions=0"
export UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1"
ctest --test-dir build/asan --output-on-failure -j2

# Fuzz targets (clang, libFuzzer): a short smoke run of each from the project's own seeds.
CXX=clang++ cmake -S . -B build/fuzz -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DMOJI_FUZZ=ON -DMOJI_BENCHMARKS=OFF >/dev/null
cmake --build build/fuzz -j2 --target native_walk_fuzz font_bytes_fuzz draw_report_fuzz dump_native
ctest --test-dir build/fuzz --output-on-failure -L fuzz
