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
            and a terminal escape; a family of three styles "Moji Test Styles" (Regular, Bold,
            Italic); two variable faces built with varLib from two masters each, "Moji Test
            Weight" (TrueType, gvar and HVAR) and "Moji Test Weight CFF2" (CFF2 blends), with a
            weight axis 300 to 700 and three named instances, Japanese names for the axis and
            the instances; and the Type 1 face Nimbus Sans (NimbusSans-Regular.t1, copied from
            Debian's fonts-urw-base35). Beside the set, not installed, in the folder "extra":
            the Bold style of "Moji Test Pair One" in two files of different names, and Nimbus
            Sans as a .pfb and as a .pfa (the same font, its encrypted part in binary and in
            hex), "Moji Test Weight" as WOFF and WOFF2, in "extra/broken" those faces
            broken in their variation data and charstrings (broken_faces.py), and the
            composite glyphs, unencoded glyphs and vertical forms of "Moji Test Composite"
            (glyph_faces.py).
  cjk       Noto Sans CJK (the OpenType collection with CFF outlines most Japanese desktops
            use) and DejaVu Sans, copied from the machine's fonts: no TrueType Japanese face.
"""

import os
import pathlib
import shutil
import subprocess
import sys

from fontTools import designspaceLib, t1Lib, varLib
from fontTools.fontBuilder import FontBuilder
from fontTools.pens.t2CharStringPen import T2CharStringPen
from fontTools.pens.ttGlyphPen import TTGlyphPen
from fontTools.ttLib import TTCollection, TTFont
from fontTools.ttLib.tables.TupleVariation import TupleVariation

from broken_faces import write_broken_faces
from glyph_faces import save_glyph_faces

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


def triangle_of(first, second, third):
    """What draws a triangle of lines through the three points."""
    def draw(pen):
        pen.moveTo(first)
        pen.lineTo(second)
        pen.lineTo(third)
        pen.closePath()
    return draw


triangle = triangle_of((100, 0), (500, 0), (300, 700))


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


def truetype_face(family, variable=False, style="Regular", draw=triangle, weight=400, italic=False):
    """A TrueType face whose "A" is drawn by `draw` (one triangle); with `variable`, a weight axis
    and two named instances; `weight` and `italic` as its OS/2, head and post tables say them."""
    pen = TTGlyphPen(None)
    draw(pen)
    glyph = pen.glyph()
    builder = FontBuilder(1000, isTTF=True)
    builder.setupGlyphOrder([".notdef", "A"])
    builder.setupCharacterMap({ord("A"): "A"})
    builder.setupGlyf({".notdef": TTGlyphPen(None).glyph(), "A": glyph})
    builder.setupHorizontalMetrics({".notdef": (600, 0), "A": (600, glyph.xMin)})
    builder.setupHorizontalHeader(ascent=800, descent=-200)
    builder.setupNameTable({"familyName": family, "styleName": style})
    bold = weight >= 700
    builder.setupOS2(usWinAscent=800, usWinDescent=200, usWeightClass=weight,
                     fsSelection=(0x01 if italic else 0) | (0x20 if bold else 0) |
                     (0x40 if not (italic or bold) else 0))
    builder.setupHead(macStyle=(0x02 if italic else 0) | (0x01 if bold else 0))
    builder.setupPost(italicAngle=-12 if italic else 0)
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


# The copied Type 1 face: Nimbus Sans from Debian's fonts-urw-base35, found by its file name.
TYPE1_FILE = "NimbusSans-Regular.t1"
TYPE1_PFB = "NimbusSans-Regular.pfb"


def installed_file_named(file_name):
    """The installed font file of that name, asked of the machine's own fontconfig."""
    environment = {k: v for k, v in os.environ.items() if k != "FONTCONFIG_FILE"}
    listing = subprocess.run(["fc-list", "--format", "%{file}\n"], capture_output=True, text=True,
                             check=True, env=environment).stdout
    for path in sorted(listing.splitlines()):
        if pathlib.Path(path).name == file_name:
            return path
    sys.exit(f"make_font_set.py: {file_name} is not installed (scripts/install-deps.sh installs "
             "fonts-urw-base35)")


def save_type1_faces(fonts, extra):
    """Nimbus Sans as installed (.t1), and beside the set as .pfb and as .pfa."""
    shutil.copyfile(installed_file_named(TYPE1_FILE), fonts / TYPE1_FILE)
    shutil.copyfile(installed_file_named(TYPE1_PFB), extra / TYPE1_PFB)
    t1Lib.T1Font(str(fonts / TYPE1_FILE)).saveAs(str(extra / "NimbusSans-Regular.pfa"), "OTHER",
                                                  dohex=True)


def save_styled_faces(fonts):
    bold = triangle_of((60, 0), (540, 0), (300, 720))
    italic = triangle_of((100, 0), (500, 0), (450, 700))
    for style, weight, slanted, draw in (("Regular", 400, False, triangle), ("Bold", 700, False, bold),
                                         ("Italic", 400, True, italic)):
        truetype_face("Moji Test Styles", style=style, draw=draw, weight=weight, italic=slanted).save(
            str(fonts / f"MojiTestStyles-{style}.ttf"))


# The two masters of the variable faces: the light one (wght 300, the default) and the bold one
# (wght 700). Every bold coordinate differs from the light one by a multiple of 4, so that the
# named instance at 400 (a quarter of the way) lands on whole units in any rounding.
MASTER_POINTS = {
    300: {"outer": [(100, 0), (500, 0), (300, 700)],
          "inner": [(200, 200), (300, 100), (400, 200), (400, 400), (300, 400)],
          "bowl": [(300, 0), (520, 0), (560, 400), (300, 700), (40, 400), (80, 0)],
          "advance": 600},
    700: {"outer": [(60, 0), (540, 0), (300, 740)],
          "inner": [(180, 180), (300, 60), (420, 180), (440, 420), (300, 440)],
          "bowl": [(300, -20), (560, -20), (600, 420), (300, 740), (0, 420), (40, -20)],
          "advance": 680},
}


def draw_master_a(pen, master, cubic):
    """"A": a triangle of lines, and a contour of curves (quadratic, or cubic for CFF)."""
    outer, inner = master["outer"], master["inner"]
    pen.moveTo(outer[0])
    pen.lineTo(outer[1])
    pen.lineTo(outer[2])
    pen.closePath()
    pen.moveTo(inner[0])
    if cubic:
        pen.curveTo(inner[1], inner[2], inner[3])
        pen.lineTo(inner[4])
    else:
        pen.qCurveTo(inner[1], inner[2])
        pen.qCurveTo(inner[3], inner[4])
    pen.closePath()


def draw_master_o(pen, master, cubic):
    """"O": one contour of curves; quadratic with two controls in a row (an implied point)."""
    bowl = master["bowl"]
    pen.moveTo(bowl[0])
    if cubic:
        pen.curveTo(bowl[1], bowl[2], bowl[3])
        pen.curveTo(bowl[4], bowl[5], bowl[0])
    else:
        pen.qCurveTo(bowl[1], bowl[2], bowl[3])
        pen.qCurveTo(bowl[4], bowl[5], bowl[0])
    pen.closePath()


def weight_master(family, weight, cubic):
    master = MASTER_POINTS[weight]
    builder = FontBuilder(1000, isTTF=not cubic)
    order = [".notdef", "A", "O"]
    builder.setupGlyphOrder(order)
    builder.setupCharacterMap({ord("A"): "A", ord("O"): "O"})
    draws = {".notdef": lambda pen, master, cubic: None, "A": draw_master_a, "O": draw_master_o}
    if cubic:
        glyphs = {}
        for name in order:
            pen = T2CharStringPen(master["advance"], None)
            draws[name](pen, master, True)
            glyphs[name] = pen.getCharString()
        builder.setupCFF(family.replace(" ", "") + "-Master", {"FullName": family}, glyphs, {})
    else:
        glyphs = {}
        for name in order:
            pen = TTGlyphPen(None)
            draws[name](pen, master, False)
            glyphs[name] = pen.glyph()
        builder.setupGlyf(glyphs)
    metrics = {name: (master["advance"], 0) for name in order}
    if not cubic:
        glyf = builder.font["glyf"]
        metrics = {name: (master["advance"], getattr(glyf[name], "xMin", 0)) for name in order}
    else:
        metrics = {"A": (master["advance"], min(x for x, _ in master["outer"])),
                   "O": (master["advance"], min(x for x, _ in master["bowl"])),
                   ".notdef": (master["advance"], 0)}
    builder.setupHorizontalMetrics(metrics)
    builder.setupHorizontalHeader(ascent=800, descent=-200)
    builder.setupNameTable({"familyName": family, "styleName": "Light" if weight == 300 else "Bold"})
    builder.setupOS2(usWinAscent=800, usWinDescent=200, usWeightClass=weight)
    builder.setupPost()
    return builder.font


# The named instances of the variable faces: English and Japanese names, and the weight.
WEIGHT_INSTANCES = [("Light", "細字", 300), ("Regular", "標準", 400), ("Bold", "太字", 700)]


def variable_weight_face(family, cubic):
    """A variable face from two masters, built with varLib: CFF2 from CFF masters."""
    document = designspaceLib.DesignSpaceDocument()
    document.addAxis(designspaceLib.AxisDescriptor(
        tag="wght", name="Weight", labelNames={"en": "Weight", "ja": "ウエイト"},
        minimum=300, default=300, maximum=700))
    for weight in (300, 700):
        document.addSource(designspaceLib.SourceDescriptor(
            font=weight_master(family, weight, cubic), name=f"master{weight}",
            location={"Weight": weight}, familyName=family))
    for style, japanese, weight in WEIGHT_INSTANCES:
        document.addInstance(designspaceLib.InstanceDescriptor(
            familyName=family, styleName=style, localisedStyleName={"en": style, "ja": japanese},
            location={"Weight": weight}))
    font, _, _ = varLib.build(document)
    return font


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
        save_styled_faces(out / "fonts")
        variable_weight_face("Moji Test Weight", cubic=False).save(str(out / "fonts" / "MojiTestWeight.ttf"))
        variable_weight_face("Moji Test Weight CFF2", cubic=True).save(
            str(out / "fonts" / "MojiTestWeightCFF2.otf"))
        save_type1_faces(out / "fonts", out / "extra")
        for flavor in ("woff", "woff2"):
            packed = TTFont(str(out / "fonts" / "MojiTestWeight.ttf"))
            packed.flavor = flavor
            packed.save(str(out / "extra" / f"MojiTestWeight.{flavor}"))
        write_broken_faces(out / "fonts", out / "extra" / "broken")
        save_glyph_faces(out / "extra")
    write_config(out)


if __name__ == "__main__":
    main()
