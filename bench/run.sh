#!/usr/bin/env bash
# Builds the benchmarks (Release, in build/bench) and runs them all: every benchmark program
# beside its baseline in one process, then the peer comparisons with fontTools and with a bare
# Qt window. Prints the ratios at the end; the whole output is kept in build/bench/results.txt.
# Only ratios taken within one run mean something: absolute figures vary between processes.
set -euo pipefail
cd "$(dirname "$0")/.."

bash scripts/install-deps.sh
build=build/bench
cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release >/dev/null
benches=()
for source in bench/*_bench.cpp; do benches+=("$(basename "$source" .cpp)"); done
cmake --build "$build" -j2 --target "${benches[@]}" bare_window window_first_frame moji-outline

results="$build/results.txt"
{
  cpu=$(grep -m1 'model name' /proc/cpuinfo | cut -d: -f2- | sed 's/^ *//')
  echo "machine: $(nproc) cores, $cpu"
  echo "load average: $(cut -d' ' -f1-3 /proc/loadavg)"
  for bench in "${benches[@]}"; do
    echo
    echo "== $bench"
    QT_QPA_PLATFORM=offscreen "$build/bench/$bench" 2>/dev/null
  done
  echo
  echo "== fontTools beside FetchGlyphOutline"
  /usr/bin/python3 bench/peers/fonttools_vs_acquisition.py --bench "$build/bench/acquisition_bench"
  echo
  echo "== start-up beside a bare Qt window"
  /usr/bin/python3 bench/peers/startup_vs_bare_qt.py --bin "$build/bench" \
    --moji "$build/src/moji-outline"
} | tee "$results"

echo
echo "== summary"
grep -E '^(ratio|share) ' "$results"
