#!/usr/bin/env bash
# Builds the benchmarks (the CMake preset "bench": Release, in build/bench) and runs them all on a
# private font set: every benchmark program beside its baseline in one process, then the peer
# comparisons with fontTools, with a bare Qt window and of pathological glyphs on the command
# line. Prints the ratios at the end; the whole output is kept in build/bench/results.txt.
# Only ratios taken within one run mean something: absolute figures vary between processes.
# bench/README.md says what each benchmark compares and keeps the latest figures.
set -euo pipefail
cd "$(dirname "$0")/.."

bash scripts/install-deps.sh
build=build/bench
cmake --preset bench >/dev/null
benches=()
for source in bench/*_bench.cpp; do benches+=("$(basename "$source" .cpp)"); done
cmake --build --preset bench --target "${benches[@]}" bare_window window_first_frame moji-outline

# The python3 CMake chose because it can import fontTools (not necessarily the first on PATH).
python=$(sed -n 's/^Python3_EXECUTABLE:[A-Z]*=//p' "$build/CMakeCache.txt")
if [ -z "$python" ] || ! "$python" -c 'import fontTools' 2>/dev/null; then
  echo "bench/run.sh: no python3 with fontTools in $build/CMakeCache.txt (Python3_EXECUTABLE)" >&2
  exit 1
fi

# Every benchmark runs on the bench font set (the standard test fonts, IPAGothic and DejaVu Sans
# among them, and the pathological faces "Moji Bench Far" and "Moji Bench Many"), so the figures
# do not depend on what the machine has installed; cjk_motion_bench runs on the set "bench_cjk"
# (the machine's Noto Sans CJK collection and DejaVu Sans, copied as the tests' set "cjk"), and
# the second start-up comparison on the standard fonts and 2,000 more families (built once and
# kept while bench/fonts/make_many_families.py is unchanged; its cache is built there, not
# during the timed start-ups).
font_set="$PWD/$build/font-sets/bench"
"$python" bench/fonts/make_bench_fonts.py "$font_set" >/dev/null
cjk_set="$PWD/$build/font-sets/bench_cjk"
"$python" tests/fonts/make_font_set.py cjk "$cjk_set" >/dev/null
hinting_set="$PWD/$build/font-sets/bench_hinting"
"$python" tests/robustness/make_hinting_fonts.py "$hinting_set" >/dev/null
many_set="$PWD/$build/font-sets/bench_many_families"
"$python" bench/fonts/make_many_families.py "$many_set" --count 2000
declare -A bench_font_set=([cjk_motion_bench]="$cjk_set" [inspector_bench]="$cjk_set" [glyph_table_bench]="$cjk_set" [hinting_bench]="$hinting_set")
export FONTCONFIG_FILE="$font_set/fonts.conf"
export QT_QPA_PLATFORM=offscreen

results="$build/results.txt"
{
  cpu=$(grep -m1 'model name' /proc/cpuinfo | cut -d: -f2- | sed 's/^ *//')
  echo "machine: $(nproc) cores, $cpu"
  echo "load average: $(cut -d' ' -f1-3 /proc/loadavg)"
  echo "commit: $(git rev-parse --short HEAD 2>/dev/null || echo unknown)$(
    git diff --quiet HEAD 2>/dev/null || echo ' with uncommitted changes')"
  echo "font set: $FONTCONFIG_FILE ($(cd "$font_set/fonts" && ls | tr '\n' ' ' | sed 's/ $//'))"
  for bench in "${benches[@]}"; do
    echo
    echo "== $bench"
    set_of_bench="${bench_font_set[$bench]:-$font_set}"
    if [ "$set_of_bench" != "$font_set" ]; then
      echo "font set: $set_of_bench/fonts.conf ($(cd "$set_of_bench/fonts" && ls | tr '\n' ' '))"
    fi
    FONTCONFIG_FILE="$set_of_bench/fonts.conf" "$build/bench/$bench" 2>/dev/null
  done
  echo
  echo "== fontTools beside FetchGlyphOutline"
  "$python" bench/peers/fonttools_vs_acquisition.py --bench "$build/bench/acquisition_bench"
  echo
  echo "== a whole face as data beside fontTools"
  FONTCONFIG_FILE="$cjk_set/fonts.conf" "$python" bench/peers/fonttools_whole_face.py \
    --moji "$build/src/moji-outline"
  echo
  echo "== pathological glyphs on the command line beside 龍"
  "$python" bench/peers/pathological_render.py --moji "$build/src/moji-outline"
  echo
  echo "== start-up beside a bare Qt window"
  "$python" bench/peers/startup_vs_bare_qt.py --bin "$build/bench" --moji "$build/src/moji-outline"
  echo
  echo "== start-up beside a bare Qt window, with 2,000 more installed families"
  FONTCONFIG_FILE="$many_set/fonts.conf" "$python" bench/peers/startup_vs_bare_qt.py \
    --bin "$build/bench" --moji "$build/src/moji-outline" --fonts 2000_families
  echo
  echo "== start-up beside a bare Qt window, with the machine's own fonts"
  "$python" bench/peers/startup_vs_bare_qt.py --bin "$build/bench" \
    --moji "$build/src/moji-outline" --fonts machine_fonts
} | tee "$results"

echo
echo "== summary"
grep -E '^(ratio|share) ' "$results"
