"""Builds a tiny CFF-flavoured OpenType face "Moji Test CFF" (not TrueType) and a fontconfig
file adding it to the system's fonts. Usage: make_cff_font.py OUTPUT_DIR"""

import pathlib
import sys

from fontTools.fontBuilder import FontBuilder
from fontTools.pens.t2CharStringPen import T2CharStringPen

out = pathlib.Path(sys.argv[1]).resolve()
(out / "fonts").mkdir(parents=True, exist_ok=True)
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
builder.save(str(out / "fonts" / "MojiTestCFF.otf"))
(out / "fonts.conf").write_text(
    '<?xml version="1.0"?>\n<!DOCTYPE fontconfig SYSTEM "urn:fontconfig:fonts.dtd">\n'
    f"<fontconfig>\n  <cachedir>{out / 'cache'}</cachedir>\n"
    '  <include ignore_missing="yes">/etc/fonts/fonts.conf</include>\n'
    f"  <dir>{out / 'fonts'}</dir>\n</fontconfig>\n",
    encoding="utf-8")
