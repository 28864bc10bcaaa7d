"""Builds a private fontconfig set for the tests: a folder of fonts, a fonts.conf that names that
folder alone (no system fonts, no system rules) and its own cache, so that a test sees the same
fonts on every machine, whatever is installed there.

Usage: make_font_set.py SET OUTPUT_DIR

Sets:
  standard  IPAGothic and DejaVu Sans (copied from the machine's fonts, found by family and
            style through fontconfig); "Moji Test CFF", a tiny CFF face, and a tiny TrueType
            face whose family name holds a line break and a terminal escape, generated here.
"""

import os
import pathlib
import shutil
import subprocess
import sys

from fontTools.fontBuilder import FontBuilder
from fontTools.pens.t2CharStringPen import T2CharStringPen
from fontTools.pens.ttGlyphPen import TTGlyphPen

# Fonts copied into a set: (family, style, file name in the set).
COPIED = {
    "standard": [("IPAGothic", "Regular", "ipag.ttf"), ("DejaVu Sans", "Book", "DejaVuSans.ttf")],
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


def save_cff_triangle(path):
    """"Moji Test CFF": a CFF-flavoured OpenType face whose "A" is one triangle."""
    pen = T2CharStringPen(600, None)
    pen.moveTo((100, 0))
    pen.lineTo((500, 0))
    pen.lineTo((300, 700))
    pen.closePath()
    glyphs = {".notdef": pen.getCharString(), "A": pen.getCharString()}
    builder = FontBuilder(1000, isTTF=False)
    builder.setupGlyphOrder(list(glyphs))
    builder.setupCharacterMap({ord("A"): "A"})
    builder.setupCFF("MojiTestCFF-Regular", {"FullName": "Moji Test CFF"}, glyphs, {})
    builder.setupHorizontalMetrics({name: (600, 100) for name in glyphs})
    builder.setupHorizontalHeader(ascent=800, descent=-200)
    builder.setupNameTable({"familyName": "Moji Test CFF", "styleName": "Regular"})
    builder.setupOS2(sTypoAscender=800, usWinAscent=800, usWinDescent=200)
    builder.setupPost()
    builder.save(str(path))


# A family name no terminal should receive raw: a line break and an escape sequence.
CONTROL_NAME = "Moji\nTest\x1b[7mControl"


def save_control_name_face(path):
    """A TrueType face named CONTROL_NAME whose "A" is one triangle."""
    pen = TTGlyphPen(None)
    pen.moveTo((100, 0))
    pen.lineTo((500, 0))
    pen.lineTo((300, 700))
    pen.closePath()
    builder = FontBuilder(1000, isTTF=True)
    builder.setupGlyphOrder([".notdef", "A"])
    builder.setupCharacterMap({ord("A"): "A"})
    builder.setupGlyf({".notdef": TTGlyphPen(None).glyph(), "A": pen.glyph()})
    builder.setupHorizontalMetrics({".notdef": (600, 0), "A": (600, 100)})
    builder.setupHorizontalHeader(ascent=800, descent=-200)
    builder.setupNameTable({"familyName": CONTROL_NAME, "styleName": "Regular"})
    builder.setupOS2(usWinAscent=800, usWinDescent=200)
    builder.setupPost()
    builder.save(str(path))


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
        save_cff_triangle(out / "fonts" / "MojiTestCFF.otf")
        save_control_name_face(out / "fonts" / "MojiTestControl.ttf")
    write_config(out)


if __name__ == "__main__":
    main()
