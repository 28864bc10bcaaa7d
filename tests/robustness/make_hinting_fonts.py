"""Builds the font set of the tests and benchmarks of hinting: IPAGothic and DejaVu Sans (TrueType
with instructions) and Noto Sans CJK (CFF with hints), copied from the machine's fonts, and two
faces whose instructions fail, each glyph in its own way. Usage: make_hinting_fonts.py OUTPUT_DIR

"Moji Hinting Hostile": every glyph is the same triangle, and every glyph's program rounds its
apex to the pixel grid; then "G"'s ends and the others' fail: "A" jumps back to itself for ever,
"B" moves a point the glyph does not have, "C" reads storage past the font's, "D" pops an empty
stack, "E" pushes past the stack's depth, "F" calls itself for ever, "H" calls a function that
never returns 32767 times.
"Moji Hinting Prep Loop": its control value program jumps back to itself for ever, so that no
glyph can be hinted; its "G" is the same triangle.
"Moji Hinting Long Loop": "A" is a contour of 3,000 points round a circle whose program jumps
back for ever, among 400 empty glyphs: the longest loop FreeType lets such a glyph run.
"""

import math
import pathlib
import shutil
import sys

from fontTools.fontBuilder import FontBuilder
from fontTools.pens.ttGlyphPen import TTGlyphPointPen
from fontTools.ttLib import newTable
from fontTools.ttLib.tables import ttProgram

# The standard set's helpers, imported without leaving a byte-code cache there.
sys.dont_write_bytecode = True
sys.path.insert(0, str(pathlib.Path(__file__).resolve().parent.parent / "fonts"))
from make_font_set import installed_file, write_config  # noqa: E402

COPIED = [("IPAGothic", "Regular", "ipag.ttf"), ("DejaVu Sans", "Book", "DejaVuSans.ttf"),
          ("Noto Sans CJK JP", "Regular", "NotoSansCJK-Regular.ttc")]

TRIANGLE = [(100, 0), (500, 0), (300, 700)]
# Rounds the apex (point 2) to the grid along y.
ROUND_APEX = ["SVTCA[0]", "PUSHB[ ]", "2", "MDAP[1]"]
# A backward jump onto the push before it: the program never ends.
JUMP_BACK = ["PUSHW[ ]", "-3", "JMPR[ ]"]

# Each failing program rounds the apex first: FreeType, going on past the failure, would give
# that hinted in part.
GLYPH_PROGRAMS = {name: ROUND_APEX + failing for name, failing in {
    "A": JUMP_BACK,
    "B": ["PUSHW[ ]", "1000", "MDAP[1]"],
    "C": ["PUSHW[ ]", "30000", "RS[ ]", "POP[ ]"],
    "D": ["POP[ ]"],
    "E": ["NPUSHB[ ]"] + [" ".join(["0"] * 100)],
    "F": ["PUSHB[ ]", "0", "CALL[ ]"],
    "G": [],
    "H": ["PUSHW[ ]", "32767", "1", "LOOPCALL[ ]"],
}.items()}
# Function 0 calls itself; function 1 jumps back for ever.
FUNCTIONS = ["PUSHB[ ]", "0", "FDEF[ ]", "PUSHB[ ]", "0", "CALL[ ]", "ENDF[ ]",
             "PUSHB[ ]", "1", "FDEF[ ]"] + JUMP_BACK + ["ENDF[ ]"]


def program(assembly):
    code = ttProgram.Program()
    code.fromAssembly(assembly)
    return code


def glyph_of(points, assembly):
    """A glyph of one contour of on-curve points, with its program."""
    pen = TTGlyphPointPen(None)
    pen.beginPath()
    for point in points:
        pen.addPoint(point, "line")
    pen.endPath()
    glyph = pen.glyph()
    glyph.program = program(assembly)
    return glyph


def save_font(path, family, glyphs, control_values_program, empty_glyphs=0):
    """A face of the glyphs, each mapped from the character its name is, and as many empty
    glyphs more."""
    order = [".notdef"] + list(glyphs) + [f"empty{i}" for i in range(empty_glyphs)]
    builder = FontBuilder(1000, isTTF=True)
    builder.setupGlyphOrder(order)
    builder.setupCharacterMap({ord(name): name for name in glyphs})
    builder.setupGlyf({name: glyphs.get(name, TTGlyphPointPen(None).glyph()) for name in order})
    builder.setupHorizontalMetrics({name: (600, 100) for name in order})
    builder.setupHorizontalHeader(ascent=800, descent=-200)
    builder.setupNameTable({"familyName": family, "styleName": "Regular"})
    builder.setupOS2(usWinAscent=800, usWinDescent=200)
    builder.setupPost()
    font = builder.font
    for tag, assembly in (("fpgm", FUNCTIONS), ("prep", control_values_program)):
        font[tag] = newTable(tag)
        font[tag].program = program(assembly)
    maxp = font["maxp"]
    maxp.maxZones, maxp.maxTwilightPoints, maxp.maxStorage = 2, 0, 4
    maxp.maxFunctionDefs, maxp.maxInstructionDefs, maxp.maxStackElements = 2, 0, 16
    maxp.maxSizeOfInstructions = 256
    builder.save(str(path))


def main():
    out = pathlib.Path(sys.argv[1]).resolve()
    shutil.rmtree(out, ignore_errors=True)
    fonts = out / "fonts"
    fonts.mkdir(parents=True)
    for family, style, file_name in COPIED:
        shutil.copyfile(installed_file(family, style), fonts / file_name)
    triangles = {name: glyph_of(TRIANGLE, code) for name, code in GLYPH_PROGRAMS.items()}
    save_font(fonts / "MojiHintingHostile.ttf", "Moji Hinting Hostile", triangles, ["SVTCA[0]"])
    save_font(fonts / "MojiHintingPrepLoop.ttf", "Moji Hinting Prep Loop",
              {"G": glyph_of(TRIANGLE, ROUND_APEX)}, JUMP_BACK)
    # FreeType ends a loop after 10 backward jumps a point of the glyph, at most 100 a glyph of
    # the face: 3,000 points among 400 glyphs make the longest loop it runs for such a glyph.
    # They go round a circle, which any rasterizer renders at any size.
    circle = [(round(350 + 300 * math.cos(2 * math.pi * i / 3000)),
               round(350 + 300 * math.sin(2 * math.pi * i / 3000))) for i in range(3000)]
    save_font(fonts / "MojiHintingLongLoop.ttf", "Moji Hinting Long Loop",
              {"A": glyph_of(circle, ROUND_APEX + JUMP_BACK)}, ["SVTCA[0]"], empty_glyphs=400)
    write_config(out)


if __name__ == "__main__":
    main()
