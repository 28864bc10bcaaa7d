"""Builds a private fontconfig set for the tests: a folder of fonts, a fonts.conf that names that
folder alone (no system fonts, no system rules) and its own cache, so that a test sees the same
fonts on every machine, whatever is installed there.

Usage: make_font_set.py SET OUTPUT_DIR

Sets:
  standard  IPAGothic and DejaVu Sans (copied from the machine's fonts, found by family and
            style through fontconfig), and faces generated here: "Moji Test CFF" (CFF outlines:
            "A" a triangle of lines, "B" cubic curves, "C" lines and curves), a collection of two
            faces "Moji Test Pair One" and "Moji Test Pair Two", a variable face "Moji Test
            Variable" with two named instances, and a face whose family name holds a line break
            and a terminal escape. Beside the set, not installed, in the folder "extra": the
            Bold style of "Moji Test Pair One" in two files of different names.
  cjk       Noto Sans CJK (the OpenType collection with CFF outlines most Japanese desktops
            use) and DejaVu Sans, copied from the machine's fonts: no TrueType Japanese face.
"""

import os
import pathlib
import shutil
import subprocess
import sys

from fontTools.fontBuilder import FontBuilder
from fontTools.pens.t2CharStringPen import T2CharStringPen
from fontTools.pens.ttGlyphPen import TTGlyphPen
from fontTools.ttLib import TTCollection
from fontTools.ttLib.tables.TupleVariation import TupleVariation

# Fonts copied into a set: (family, style, file name in the set).
COPIED = {
    "standard": [("IPAGothic", "Regular", "ipag.ttf"), ("DejaVu Sans", "Book", "DejaVuSans.ttf")],
    "cjk": [("Noto Sans CJK JP", "Regular", "NotoSansCJK-Regular.ttc"),
            ("DejaVu Sans", "Book", "DejaVuSans.ttf")],
}


def installed_file(family, style):
    """The file of the installed face, asked of the machine's own fontconfig."""
    environment = {k: v for k, v in os.environ.items() if k != "FONTCONFIG_FILE"}
    listing = subprocess.run(["fc-list", "--format", "%{file}\t%{family}\t%{style}\n"],
                             capture_output=True, text=True, check=True, env=environment).stdout
    for line in sorted(listing.splitlines()):
        path, families, styles = (line.split("\t") + ["", ""])[:3]
        if family in families.split(",") and style in styles.split(","):
            return path
    sys.exit(f"make_font_set.py: {family} {style} is not installed (scripts/install-deps.sh "
             "installs the fonts the tests need)")


def cff_glyph(draw):
    pen = T2CharStringPen(600, None)
    draw(pen)
    return pen.getCharString()


def triangle(pen):
    pen.moveTo((100, 0))
    pen.lineTo((500, 0))
    pen.lineTo((300, 700))
    pen.closePath()


def cubic_drop(pen):
    """Two cubic segments, the second ending back at the start."""
    pen.moveTo((300, 0))
    pen.curveTo((500, 0), (550, 400), (300, 700))
    pen.curveTo((50, 400), (100, 0), (300, 0))
    pen.closePath()


def lines_and_curves(pen):
    """Lines, a cubic segment, a line back to the start; and a second contour of one curve."""
    pen.moveTo((100, 0))
    pen.lineTo((500, 0))
    pen.lineTo((500, 300))
    pen.curveTo((500, 600), (300, 700), (100, 700))
    pen.lineTo((100, 0))
    pen.closePath()
    pen.moveTo((200, 200))
    pen.curveTo((300, 100), (400, 200), (300, 400))
    pen.closePath()


def save_cff_face(path):
    """"Moji Test CFF": a CFF-flavoured OpenType face."""
    glyphs = {".notdef": cff_glyph(triangle), "A": cff_glyph(triangle),
              "B": cff_glyph(cubic_drop), "C": cff_glyph(lines_and_curves)}
    builder = FontBuilder(1000, isTTF=False)
    builder.setupGlyphOrder(list(glyphs))
    builder.setupCharacterMap({ord("A"): "A", ord("B"): "B", ord("C"): "C"})
    builder.setupCFF("MojiTestCFF-Regular", {"FullName": "Moji Test CFF"}, glyphs, {})
    builder.setupHorizontalMetrics({name: (600, 100) for name in glyphs})
    builder.setupHorizontalHeader(ascent=800, descent=-200)
    builder.setupNameTable({"familyName": "Moji Test CFF", "styleName": "Regular"})
    builder.setupOS2(sTypoAscender=800, usWinAscent=800, usWinDescent=200)
    builder.setupPost()
    builder.save(str(path))


def truetype_face(family, variable=False, style="Regular"):
    """A TrueType face whose "A" is one triangle; with `variable`, a weight axis and two named
    instances."""
    pen = TTGlyphPen(None)
    triangle(pen)
    builder = FontBuilder(1000, isTTF=True)
    builder.setupGlyphOrder([".notdef", "A"])
    builder.setupCharacterMap({ord("A"): "A"})
    builder.setupGlyf({".notdef": TTGlyphPen(None).glyph(), "A": pen.glyph()})
    builder.setupHorizontalMetrics({".notdef": (600, 0), "A": (600, 100)})
    builder.setupHorizontalHeader(ascent=800, descent=-200)
    builder.setupNameTable({"familyName": family, "styleName": style})
    builder.setupOS2(usWinAscent=800, usWinDescent=200)
    builder.setupPost()
    if variable:
        builder.setupFvar([("wght", 100, 400, 900, "Weight")],
                          [{"stylename": "Thin", "location": {"wght": 100}},
                           {"stylename": "Bold", "location": {"wght": 700}}])
        # Heavier weights widen the triangle's base (three points, then four phantom points).
        widen = [(-50, 0), (50, 0), (0, 0), (0, 0), (0, 0), (0, 0), (0, 0)]
        builder.setupGvar({"A": [TupleVariation({"wght": (0, 1, 1)}, widen)], ".notdef": []})
    return builder.font


def save_collection(path):
    collection = TTCollection()
    collection.fonts = [truetype_face("Moji Test Pair One"), truetype_face("Moji Test Pair Two")]
    collection.save(str(path))


# A family name no terminal should receive raw: a line break and an escape sequence.
CONTROL_NAME = "Moji\nTest\x1b[7mControl"


def save_control_name_face(path):
    truetype_face(CONTROL_NAME).save(str(path))


def write_config(out):
    fonts = out / "fonts"
    (out / "fonts.conf").write_text(
        '<?xml version="1.0"?>\n<!DOCTYPE fontconfig SYSTEM "urn:fontconfig:fonts.dtd">\n'
        f"<fontconfig>\n  <dir>{fonts}</dir>\n  <cachedir>{out / 'cache'}</cachedir>\n"
        "</fontconfig>\n", encoding="utf-8")
    subprocess.run(["fc-cache", "-f", str(fonts)], check=True,
                   env={**os.environ, "FONTCONFIG_FILE": str(out / "fonts.conf")})


def main():
    name, out = sys.argv[1], pathlib.Path(sys.argv[2]).resolve()
    shutil.rmtree(out, ignore_errors=True)
    (out / "fonts").mkdir(parents=True)
    for family, style, file_name in COPIED.get(name, []):
        shutil.copyfile(installed_file(family, style), out / "fonts" / file_name)
    if name == "standard":
        save_cff_face(out / "fonts" / "MojiTestCFF.otf")
        save_collection(out / "fonts" / "MojiTestPair.ttc")
        truetype_face("Moji Test Variable", variable=True).save(str(out / "fonts" / "MojiTestVariable.ttf"))
        save_control_name_face(out / "fonts" / "MojiTestControl.ttf")
        (out / "extra").mkdir()
        for name in ("MojiTestPairOne-Bold.ttf", "PairOneBoldCopy.ttf"):
            truetype_face("Moji Test Pair One", style="Bold").save(str(out / "extra" / name))
    write_config(out)


if __name__ == "__main__":
    main()
