"""A TrueType face for asking glyphs by index: "Moji Test Composite", written beside the standard
set (not installed). Its glyphs, in order:

  0 .notdef      empty
  1 A            a triangle (U+0041 and U+0391 both map to it)
  2 acute        a small triangle (U+00B4)
  3 Aacute       A, then acute offset by (150, 650); A with USE_MY_METRICS (U+00C1)
  4 A.small      A scaled to a half, offset (50, 100), with SCALED_COMPONENT_OFFSET
  5 A.matched    A, then acute placed by point matching: its point 0 on A's point 2
  6 A.turned     A through a 2 x 2 transform, offset (700, 0), with UNSCALED_COMPONENT_OFFSET
  7 A.alt        a square no character maps to
  8 uni30FC      a horizontal bar (U+30FC)
  9 uni30FC.vert a vertical bar: what the vert feature sets for uni30FC (script kana)
 10 space        no contours (U+0020)

Every glyph has vertical metrics (vhea, vmtx): an advance of 1000 and a top side bearing of
100 + its index.
"""

from fontTools.feaLib.builder import addOpenTypeFeaturesFromString
from fontTools.fontBuilder import FontBuilder
from fontTools.pens.ttGlyphPen import TTGlyphPen
from fontTools.ttLib.tables._g_l_y_f import Glyph, GlyphComponent

USE_MY_METRICS, SCALED_OFFSET, UNSCALED_OFFSET = 0x0200, 0x0800, 0x1000

ORDER = [".notdef", "A", "acute", "Aacute", "A.small", "A.matched", "A.turned", "A.alt", "uni30FC",
         "uni30FC.vert", "space"]
CMAP = {0x41: "A", 0x391: "A", 0xB4: "acute", 0xC1: "Aacute", 0x30FC: "uni30FC", 0x20: "space"}
FEATURES = """
languagesystem DFLT dflt;
languagesystem kana dflt;
feature vert { sub uni30FC by uni30FC.vert; } vert;
"""


def polygon(*points):
    pen = TTGlyphPen(None)
    pen.moveTo(points[0])
    for point in points[1:]:
        pen.lineTo(point)
    pen.closePath()
    return pen.glyph()


def composite(*parts):
    """A composite glyph of (name, transform, offset or matched points, extra flags) parts."""
    glyph = Glyph()
    glyph.numberOfContours = -1
    glyph.components = []
    for name, transform, place, flags in parts:
        component = GlyphComponent()
        component.glyphName = name
        if place[0] == "points":
            component.firstPt, component.secondPt = place[1], place[2]
        else:
            component.x, component.y = place
        if transform != (1, 0, 0, 1):
            component.transform = [[transform[0], transform[1]], [transform[2], transform[3]]]
        component.flags = flags
        glyph.components.append(component)
    return glyph


def composite_face():
    glyphs = {
        ".notdef": TTGlyphPen(None).glyph(),
        "A": polygon((100, 0), (500, 0), (300, 700)),
        "acute": polygon((0, 0), (100, 0), (150, 120)),
        "Aacute": composite(("A", (1, 0, 0, 1), (0, 0), USE_MY_METRICS), ("acute", (1, 0, 0, 1), (150, 650), 0)),
        "A.small": composite(("A", (0.5, 0, 0, 0.5), (50, 100), SCALED_OFFSET)),
        "A.matched": composite(("A", (1, 0, 0, 1), (0, 0), 0), ("acute", (1, 0, 0, 1), ("points", 2, 0), 0)),
        "A.turned": composite(("A", (0, 1, -1, 0), (700, 0), UNSCALED_OFFSET)),
        "A.alt": polygon((100, 100), (500, 100), (500, 500), (100, 500)),
        "uni30FC": polygon((100, 350), (900, 350), (900, 450), (100, 450)),
        "uni30FC.vert": polygon((450, -100), (550, -100), (550, 700), (450, 700)),
        "space": TTGlyphPen(None).glyph(),
    }
    builder = FontBuilder(1000, isTTF=True)
    builder.setupGlyphOrder(ORDER)
    builder.setupCharacterMap(CMAP)
    builder.setupGlyf(glyphs)
    glyf = builder.font["glyf"]
    for name in ORDER:
        glyf[name].recalcBounds(glyf)
    builder.setupHorizontalMetrics({name: (1000, getattr(glyf[name], "xMin", 0)) for name in ORDER})
    builder.setupHorizontalHeader(ascent=880, descent=-120)
    builder.setupVerticalMetrics({name: (1000, 100 + i) for i, name in enumerate(ORDER)})
    builder.setupVerticalHeader(ascent=500, descent=-500)
    builder.setupNameTable({"familyName": "Moji Test Composite", "styleName": "Regular"})
    builder.setupOS2(usWinAscent=880, usWinDescent=120)
    builder.setupPost()
    addOpenTypeFeaturesFromString(builder.font, FEATURES)
    return builder.font


def save_glyph_faces(folder):
    composite_face().save(str(folder / "MojiTestComposite.ttf"))
