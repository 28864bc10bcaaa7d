"""Builds a folder of damaged and unusual fonts, and a fontconfig file that lists that folder
alone, for the start-up test against hostile fonts. Usage: make_hostile_fonts.py OUTPUT_DIR
Built families are "Moji Robust ...": "A" is the unusual glyph, "B" a triangle, space empty."""

import os
import pathlib
import random
import shutil
import subprocess
import sys

from fontTools.fontBuilder import FontBuilder
from fontTools.pens.ttGlyphPen import TTGlyphPointPen

TRIANGLE = [(100, 0, True), (500, 0, True), (300, 700, True)]


def glyph(*contours):
    """A glyf glyph from contours given as lists of (x, y, on_curve), points kept as given."""
    pen = TTGlyphPointPen(None)
    for contour in contours:
        pen.beginPath()
        for x, y, on_curve in contour:
            pen.addPoint((x, y), "line" if on_curve else None)
        pen.endPath()
    return pen.glyph()


def save_font(path, family, unusual):
    order = [".notdef", "A", "B", "space"]
    builder = FontBuilder(1000, isTTF=True)
    builder.setupGlyphOrder(order)
    builder.setupCharacterMap({ord("A"): "A", ord("B"): "B", ord(" "): "space"})
    builder.setupGlyf({".notdef": glyph(), "A": unusual, "B": glyph(TRIANGLE), "space": glyph()})
    builder.setupHorizontalMetrics({name: (500, 0) for name in order})
    builder.setupHorizontalHeader(ascent=800, descent=-200)
    builder.setupNameTable({"familyName": family, "styleName": "Regular"})
    builder.save(str(path))


UNUSUAL_GLYPHS = {
    "Good": glyph(TRIANGLE),
    "One Point": glyph([(300, 300, True)], TRIANGLE, [(50, 650, False)]),
    "Many Contours": glyph(*[[(20 + 110 * (i % 6) + x, 20 + 110 * (i // 6) + y, True)
                              for x, y in ((0, 0), (90, 0), (45, 90))] for i in range(20)]),
    "Off Curve Ends": glyph([(100, 100, False), (300, 0, True), (500, 100, False),
                             (500, 500, True), (100, 500, False)],
                            [(150, 150, False), (450, 150, True), (300, 450, False)]),
    "No On Curve": glyph([(100, 300, False), (300, 700, False), (500, 300, False),
                          (300, -100, False)], [(250, 250, False), (350, 350, False)]),
    # A run of 20000 lines, then one of 12000 spline points: FreeType refuses a glyph of 32767
    # points or more, so this is near the most it takes.
    "Long Runs": glyph([(20 + i % 900, 100 + i % 2 * 500, i < 20000) for i in range(32000)]),
}


def main():
    out = pathlib.Path(sys.argv[1]).resolve()
    fonts = out / "fonts"
    shutil.rmtree(out, ignore_errors=True)
    fonts.mkdir(parents=True)
    for family, unusual in UNUSUAL_GLYPHS.items():
        save_font(fonts / f"{family}.ttf", f"Moji Robust {family}", unusual)
    good = (fonts / "Good.ttf").read_bytes()
    (fonts / "Truncated.ttf").write_bytes(good[: len(good) // 2])
    (fonts / "Empty.ttf").write_bytes(b"")
    (fonts / "Random.ttf").write_bytes(random.Random(2024).randbytes(65536))
    # Only this folder: no system fonts, no system rules, so every face listed is one of these.
    (out / "fonts.conf").write_text(
        f"<fontconfig><cachedir>{out / 'cache'}</cachedir><dir>{fonts}</dir></fontconfig>\n")
    # fontconfig trusts its cache while the folder is unchanged: emptied after caching, this
    # font is still listed.
    save_font(fonts / "Damaged Later.ttf", "Moji Robust Damaged Later", glyph(TRIANGLE))
    subprocess.run(["fc-cache", "-f", str(fonts)], check=True,
                   env={**os.environ, "FONTCONFIG_FILE": str(out / "fonts.conf")})
    (fonts / "Damaged Later.ttf").write_bytes(b"")


if __name__ == "__main__":
    main()
