#!/usr/bin/env bash
# Makes the seed corpora of the fuzz targets from the fonts of the font set that FONTCONFIG_FILE
# names: native buffers of a few glyphs, small subsets of its fonts, and a handful of short byte
# strings. Usage: make_seeds.sh OUTPUT_DIR PYTHON (a python3 with fontTools)
set -euo pipefail
out="$1"
python="$2"
fonts="$(dirname "$FONTCONFIG_FILE")/fonts"
here="$(cd "$(dirname "$0")" && pwd)"
bin="$(dirname "$out")"
mkdir -p "$out/native_walk_fuzz" "$out/draw_report_fuzz" "$out/font_bytes_fuzz" "$out/variation_fuzz"

"$bin/dump_native" "$out/native_walk_fuzz" IPAGothic
"$bin/dump_native" "$out/native_walk_fuzz" "DejaVu Sans"
"$bin/dump_native" "$out/native_walk_fuzz" "Moji Test CFF"
printf '' > "$out/native_walk_fuzz/empty"

for i in 1 2 3 4 5 6 7 8; do
  head -c $((i * 97)) "$here/draw_report_fuzz.cpp" > "$out/draw_report_fuzz/text$i"
done

"$python" -m fontTools.subset "$fonts/ipag.ttf" \
  --text="龍Aあ" --output-file="$out/font_bytes_fuzz/ipag-subset.ttf" --no-hinting 2>/dev/null
"$python" -m fontTools.subset "$fonts/DejaVuSans.ttf" \
  --text="Ao%" --output-file="$out/font_bytes_fuzz/dejavu-subset.ttf" --no-hinting 2>/dev/null
# Small whole fonts: a CFF face (cubic records) and a variable one.
cp "$fonts/MojiTestCFF.otf" "$fonts/MojiTestVariable.ttf" "$out/font_bytes_fuzz/"
# Variable faces (gvar and HVAR; CFF2), and broken faces of the tests: variation data that lie,
# and a Type 1 face whose other glyphs are Nimbus Sans's own.
cp "$fonts/MojiTestWeight.ttf" "$fonts/MojiTestWeightCFF2.otf" "$fonts/MojiTestVariable.ttf" \
  "$out/variation_fuzz/"
for broken in gvar-noise.ttf HVAR-noise.ttf avar-count.ttf cff2-blend-operands.otf t1-charstrings.t1; do
  cp "$fonts/../extra/broken/$broken" "$out/variation_fuzz/"
done
