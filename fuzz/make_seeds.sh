#!/usr/bin/env bash
# Makes the seed corpora of the fuzz targets from the installed fonts: native buffers of a few
# glyphs, a small subset of IPAGothic, and a handful of short byte strings.
set -euo pipefail
out="$1"
here="$(cd "$(dirname "$0")" && pwd)"
bin="$(dirname "$out")"
mkdir -p "$out/native_walk_fuzz" "$out/draw_report_fuzz" "$out/font_bytes_fuzz"

"$bin/dump_native" "$out/native_walk_fuzz" IPAGothic
"$bin/dump_native" "$out/native_walk_fuzz" "DejaVu Sans"
printf '' > "$out/native_walk_fuzz/empty"

for i in 1 2 3 4 5 6 7 8; do
  head -c $((i * 97)) "$here/draw_report_fuzz.cpp" > "$out/draw_report_fuzz/text$i"
done

/usr/bin/python3 -m fontTools.subset /usr/share/fonts/opentype/ipafont-gothic/ipag.ttf \
  --text="龍Aあ" --output-file="$out/font_bytes_fuzz/ipag-subset.ttf" --no-hinting 2>/dev/null
/usr/bin/python3 -m fontTools.subset /usr/share/fonts/truetype/dejavu/DejaVuSans.ttf \
  --text="Ao%" --output-file="$out/font_bytes_fuzz/dejavu-subset.ttf" --no-hinting 2>/dev/null
