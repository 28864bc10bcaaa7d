"""The outline as data, checked from the outside: `report --json` against its schema, against the
report's lines, and against the font's own points and runs read with fontTools (quadratic runs
with their start rules, cubic segments of two controls and an end point, the last segment ending
at the start, lines closing implicitly); the point marks of `render --points --numbers` in the
SVG against the placed points; the SVG of the outline in font units (`render --units font`, and
the blocks of `render --view inspector`) against the same runs, to the digit. For TrueType and
CFF glyphs of the standard font set; with --cjk, for glyphs of Noto Sans CJK JP in the cjk set.

Usage: outline_data_test.py MOJI_OUTLINE SCHEMA [--cjk]   (FONTCONFIG_FILE names the font set)
"""

import json
import os
import pathlib
import re
import subprocess
import sys
import tempfile

import jsonschema
from fontTools.pens.recordingPen import RecordingPen
from fontTools.ttLib import TTFont

sys.path.insert(0, str(pathlib.Path(__file__).resolve().parent.parent / "fonts"))
from outline_records import glyph_contours  # noqa: E402

PROGRAM, SCHEMA = sys.argv[1], sys.argv[2]
FONTS = pathlib.Path(os.environ["FONTCONFIG_FILE"]).parent / "fonts"


def run(*arguments):
    return subprocess.run([PROGRAM, *arguments], capture_output=True, check=True).stdout


def font_points(path, character):
    """The glyph's points in the font's own numbering: glyf's points, or the CFF outline's
    points in drawing order with each contour's closing repeat of its start left out."""
    font = TTFont(path)
    name = font.getBestCmap()[ord(character)]
    if "glyf" in font:
        coordinates, _, _ = font["glyf"][name].getCoordinates(font["glyf"])
        return [tuple(point) for point in coordinates]
    pen = RecordingPen()
    font.getGlyphSet()[name].draw(pen)
    points, contour = [], []
    for operator, operands in pen.value + [("moveTo", None)]:
        if operator == "moveTo" and contour:
            if len(contour) > 1 and contour[-1] == contour[0]:
                contour.pop()
            points += contour
            contour = []
        if operands:
            contour += [tuple(point) for point in operands]
    return points


def json_points(outline):
    for block in outline["blocks"]:
        yield block["start"]
        for curve in block["curves"]:
            yield from curve["points"]


def report_points(report):
    """(x, y) of each start and point line of the report, as printed."""
    return re.findall(r"\( (-?\d+\.\d{3}) , (-?\d+\.\d{3}) ?\)", report)


def check(failures, what, condition):
    if not condition:
        failures.append(what)


def check_glyph(face_arguments, font_file, character, failures):
    outline = json.loads(run("report", character, "--json", *face_arguments))
    jsonschema.validate(outline, json.loads(pathlib.Path(SCHEMA).read_text(encoding="utf-8")))
    points = list(json_points(outline))
    printed = report_points(run("report", character, *face_arguments).decode("utf-8"))
    check(failures, f"{character}: as many points as the report", len(points) == len(printed))
    for point, (x, y) in zip(points, printed):
        # The report rounds the same single-precision number to three decimals.
        check(failures, f"{character}: x {point['x']} printed {x}", abs(point["x"] - float(x)) <= 0.0005001)
        check(failures, f"{character}: y {point['y']} printed {y}", abs(point["y"] - float(y)) <= 0.0005001)
    own = font_points(FONTS / font_file, character)
    for point in points:
        number = point["fontPoint"]
        if number >= 0:
            check(failures, f"{character}: point {number} is the font's",
                  own[number] == (point["fontX"], point["fontY"]))
    check(failures, f"{character}: every point of the font numbered",
          {p["fontPoint"] for p in points if p["fontPoint"] >= 0} == set(range(len(own))))

    with tempfile.TemporaryDirectory() as folder:
        svg_file = pathlib.Path(folder) / "marks.svg"
        run("render", character, *face_arguments, "--points", "--numbers", "-o", str(svg_file))
        svg = svg_file.read_text(encoding="utf-8")
    check(failures, f"{character}: the SVG says which glyph", f"U+{ord(character):04X}" in svg and
          str(outline["glyphIndex"]) in svg)
    marks = re.findall(r'<g class="point ([a-z-]+)" data-block="(\d+)" data-curve="(-?\d+)" '
                       r'data-point="(\d+)" data-font-point="(-?\d+)" data-x="([^"]+)" data-y="([^"]+)"',
                       svg)
    placed = {}
    for b, block in enumerate(outline["blocks"]):
        placed[(b, -1, 0)] = block["start"]
        for c, curve in enumerate(block["curves"]):
            for p, point in enumerate(curve["points"]):
                placed.setdefault((b, c, p), point)
    marked = set()
    for kind, b, c, p, number, x, y in marks:
        if kind == "implied" and c != "-1":
            continue  # between two controls: no point of the outline
        key = (int(b), int(c), int(p))
        marked.add(key)
        point = placed.get(key)
        check(failures, f"{character}: mark {b}/{c}/{p} at its point", point is not None and
              abs(160 * point["x"] + 20 - float(x)) < 0.01 and
              abs(160 * (1 - point["y"]) - float(y)) < 0.01 and int(number) == point["fontPoint"])
    # A run that closes at the start ends on the start point again: it is marked as the start.
    unmarked = {(b, len(block["curves"]) - 1, len(block["curves"][-1]["points"]) - 1)
                for b, block in enumerate(outline["blocks"])
                if block["curves"] and block["curves"][-1]["points"][-1] == block["start"]}
    check(failures, f"{character}: a mark for every point", marked == set(placed) - unmarked)


def runs_of(outline):
    """The JSON's contours in the form glyph_contours gives, in font units."""
    at = lambda point: (point["fontX"], point["fontY"])
    return [(at(block["start"]), [(curve["type"], [at(p) for p in curve["points"]])
                                  for curve in block["curves"]])
            for block in outline["blocks"]]


def check_runs(face_arguments, font_file, characters, failures):
    for character in characters:
        outline = json.loads(run("report", character, "--json", *face_arguments))
        expected = glyph_contours(str(FONTS / font_file), 0, ord(character))
        check(failures, f"{character}: runs of {font_file}", runs_of(outline) == expected)


def number(value):
    """A coordinate as the SVG writes it: the shortest text that reads back as the number."""
    return str(int(value)) if value == int(value) else repr(float(value))


def expected_path(start, records):
    """The exact path of a contour: M, then L, Q (through the implied points halfway between
    quadratic controls) or C per record, then Z."""
    pair = lambda point: f"{number(point[0])} {number(point[1])}"
    d = "M" + pair(start)
    for kind, points in records:
        if kind == 1:
            d += "".join(" L" + pair(p) for p in points)
        elif kind == 2:
            for i in range(len(points) - 1):
                end = points[i + 1] if i + 2 == len(points) else \
                    ((points[i][0] + points[i + 1][0]) / 2, (points[i][1] + points[i + 1][1]) / 2)
                d += " Q" + pair(points[i]) + " " + pair(end)
        else:
            d += "".join(" C" + " ".join(pair(p) for p in points[i:i + 3])
                         for i in range(0, len(points), 3))
    return d + (" Z" if records else "")


def check_font_unit_svg(face_arguments, font_file, characters, failures):
    with tempfile.TemporaryDirectory() as folder:
        for character in characters:
            expected = [expected_path(start, records) for start, records in
                        glyph_contours(str(FONTS / font_file), 0, ord(character))]
            for view in (["--units", "font"], ["--view", "inspector", "--metrics"]):
                svg = pathlib.Path(folder) / "units.svg"
                run("render", character, *face_arguments, *view, "-o", str(svg))
                paths = re.findall(r'<path id="block-\d+" d="([^"]*)"', svg.read_text(encoding="utf-8"))
                check(failures, f"{character}: {' '.join(view)}: the font's points, exactly",
                      paths == expected)


def main():
    failures = []
    if "--cjk" in sys.argv:
        check_runs([], "NotoSansCJK-Regular.ttc", "龍永あAz☃", failures)
        check_font_unit_svg([], "NotoSansCJK-Regular.ttc", "龍あ", failures)
    else:
        check_glyph(["--face", "IPAGothic"], "ipag.ttf", "あ", failures)
        check_glyph(["--font-file", str(FONTS / "MojiTestCFF.otf")], "MojiTestCFF.otf", "C", failures)
        check_runs(["--face", "IPAGothic"], "ipag.ttf", "龍あA@", failures)
        check_runs(["--font-file", str(FONTS / "MojiTestCFF.otf")], "MojiTestCFF.otf", "ABC", failures)
        check_font_unit_svg(["--face", "IPAGothic"], "ipag.ttf", "龍あA@", failures)
        check_font_unit_svg(["--font-file", str(FONTS / "MojiTestCFF.otf")], "MojiTestCFF.otf", "ABC",
                            failures)
        empty = json.loads(run("report", "ก", "--json", "--face", "IPAGothic"))
        check(failures, "a character the face lacks: no blocks",
              empty["blocks"] == [] and empty["glyphIndex"] == 0)
    for failure in failures:
        print(failure)
    sys.exit(1 if failures else 0)


if __name__ == "__main__":
    main()
