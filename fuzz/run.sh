#!/usr/bin/env bash
# Builds the fuzz targets and runs each from the project's seeds for RUNS executions
# (default 1,000,000) or ten minutes, whichever comes first. Findings land in build/fuzz/findings.
set -euo pipefail
cd "$(dirname "$0")/.."
runs="${1:-1000000}"

bash scripts/install-deps.sh
cmake --preset fuzz >/dev/null
cmake --build --preset fuzz --target native_walk_fuzz font_bytes_fuzz draw_report_fuzz variation_fuzz dump_native
export LSAN_OPTIONS="suppressions=$PWD/scripts/lsan.supp:print_suppressions=0"
# The seeds: the smoke runs' fixtures build the font set and the corpus.
ctest --preset fuzz -R '^(font_set_standard|fuzz_seeds)$' >/dev/null
mkdir -p build/fuzz/findings
status=0
for target in native_walk_fuzz font_bytes_fuzz draw_report_fuzz variation_fuzz; do
  log="build/fuzz/$target.log"
  if build/fuzz/fuzz/$target -runs="$runs" -max_total_time=600 -print_final_stats=1 \
      -artifact_prefix=build/fuzz/findings/ build/fuzz/fuzz/corpus/$target >"$log" 2>&1; then
    echo "$target: $(grep -E '^Done' "$log")"
  else
    echo "$target: finding, see $log and build/fuzz/findings/"
    status=1
  fi
done
exit $status
