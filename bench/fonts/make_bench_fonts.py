"""Builds the bench font set, which every benchmark runs on (bench/run.sh, and the CTest smoke
runs as the fixture font_set_bench): the standard test fonts and two pathological TrueType faces
beside them, in a private fontconfig set. Usage: make_bench_fonts.py OUT

  "Moji Bench Far"   "A": 4,000 points whose coordinates land far outside the drawing area
                     (a cell of 2 font units makes every unit 16 pixels of the 32-pixel height)
  "Moji Bench Many"  "A": 32,000 points at an ordinary scale: a run of lines, then one of
                     quadratic controls
"""

import os
import pathlib
import random
import subprocess
import sys

from fontTools.fontBuilder import FontBuilder

HERE = pathlib.Path(__file__).resolve().parent
# glyph(*contours): a glyf glyph from contours of (x, y, on_curve), the helper the hostile fonts
# of the robustness tests are built with, imported without leaving a byte-code cache there.
sys.dont_write_bytecode = True
sys.path.insert(0, str(HERE.parent.parent / "tests" / "robustness"))
from make_hostile_fonts import glyph  # noqa: E402


def save_font(path, family, contours, ascent, descent):
    order = [".notdef", "A"]
    builder = FontBuilder(1000, isTTF=True)
    builder.setupGlyphOrder(order)
    builder.setupCharacterMap({ord("A"): "A"})
    builder.setupGlyf({".notdef": glyph(), "A": glyph(*contours)})
    builder.setupHorizontalMetrics({name: (500, 0) for name in order})
    builder.setupHorizontalHeader(ascent=ascent, descent=-descent)
    builder.setupNameTable({"familyName": family, "styleName": "Regular"})
    builder.setupOS2(usWinAscent=ascent, usWinDescent=descent, sTypoAscender=ascent,
                     sTypoDescender=-descent)
    builder.setupPost()
    builder.save(str(path))


def main():
    out = pathlib.Path(sys.argv[1]).resolve()
    subprocess.run([sys.executable, str(HERE.parent.parent / "tests/fonts/make_font_set.py"),
                    "standard", str(out)], check=True)
    fonts = out / "fonts"
    rng = random.Random(7)
    far = [[(rng.randint(-1000, 1000), rng.randint(-1000, 1000), rng.random() < 0.5)
            for _ in range(400)] for _ in range(10)]
    save_font(fonts / "BenchFar.ttf", "Moji Bench Far", far, ascent=1, descent=1)
    many = [[(20 + i % 900, 100 + i % 2 * 500, i < 20000) for i in range(32000)]]
    save_font(fonts / "BenchMany.ttf", "Moji Bench Many", many, ascent=800, descent=200)
    subprocess.run(["fc-cache", "-f", str(fonts)], check=True,
                   env={**os.environ, "FONTCONFIG_FILE": str(out / "fonts.conf")})


if __name__ == "__main__":
    main()
