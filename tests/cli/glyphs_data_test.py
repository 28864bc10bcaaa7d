"""Glyphs asked for by index, their components, their vertical forms and a whole face as data,
checked from the outside against fontTools' own reading of the same fonts.

- `report --glyph-index N --json` of every glyph of "Moji Test Composite" and "Moji Test CFF"
  and of unencoded glyphs of IPAGothic: the runs of fontTools' glyph of that index, under the
  engine's reading rules (a TrueType glyph moves by its left side bearing less its xMin); the
  report's first line names the glyph's character, else the glyph.
- The components of each composite: fontTools' composite records (glyph, offset or matched
  points, transform, flags), and the contours each gives the flattened outline.
- `report --all --json` of "Moji Test Composite": every line, whole.
- `render --all --format svg --output-dir`: one file a glyph, named by index and glyph name.
- An index outside the face is refused in one line giving the face's glyph count; glyphs that
  cannot be loaded (broken charstrings) are told one line each, the others written, exit 1.
- `--ppem` with `--glyph-index` and `--vertical`: the glyph asked for, named as unscaled.
- `--vertical`: the glyph GSUB's vert feature substitutes (with --cjk: 「ー」「（」「、」 of Noto
  Sans CJK JP in the cjk set), and the character's own glyph where it substitutes none.

Usage: glyphs_data_test.py MOJI_OUTLINE SCHEMA [--cjk]   (FONTCONFIG_FILE names the font set)
"""

import json
import os
import pathlib
import subprocess
import sys
import tempfile

import jsonschema
from fontTools.ttLib import TTFont

sys.path.insert(0, str(pathlib.Path(__file__).resolve().parent.parent / "fonts"))
from outline_records import named_glyph_contours  # noqa: E402

PROGRAM, SCHEMA = sys.argv[1], sys.argv[2]
SET = pathlib.Path(os.environ["FONTCONFIG_FILE"]).parent
COMPOSITE = SET / "extra" / "MojiTestComposite.ttf"
# The component flags fontTools keeps as they are; the argument kinds it keeps as attributes.
KEPT_FLAGS = {0x0004: "ROUND_XY_TO_GRID", 0x0200: "USE_MY_METRICS", 0x0800: "SCALED_COMPONENT_OFFSET",
              0x1000: "UNSCALED_COMPONENT_OFFSET"}


def run(*arguments, check=True):
    return subprocess.run([PROGRAM, *arguments], capture_output=True, check=check)


def check(failures, what, condition):
    if not condition:
        failures.append(what)


def expected_contours(font, name):
    """fontTools' runs of the glyph, moved as FreeType places a TrueType glyph: by its left side
    bearing less its xMin."""
    contours = named_glyph_contours(font, name)
    if "glyf" not in font or font["glyf"][name].numberOfContours == 0:
        return contours
    glyph = font["glyf"][name]
    shift = font["hmtx"][name][1] - glyph.xMin if glyph.numberOfContours > 0 else 0
    at = lambda point: (point[0] + shift, point[1])
    return [(at(start), [(kind, [at(p) for p in points]) for kind, points in records])
            for start, records in contours]


def json_runs(blocks, x="fontX", y="fontY"):
    at = lambda point: (point[x], point[y])  # a dict, or [x, y, number] with x 0 and y 1
    return [(at(block["start"]), [(curve["type"], [at(p) for p in curve["points"]])
                                  for curve in block["curves"]])
            for block in blocks]


def reverse_cmap(font):
    codes = {}
    for code, name in font.getBestCmap().items():
        codes.setdefault(name, []).append(code)
    return {name: sorted(found) for name, found in codes.items()}


def expected_components(font, name):
    """The composite's records as fontTools reads them, with the contours each component gives."""
    glyf = font["glyf"]
    if not glyf[name].isComposite():
        return []
    records, first = [], 0
    for component in glyf[name].components:
        transform = getattr(component, "transform", [[1, 0], [0, 1]])
        matched = hasattr(component, "firstPt")
        contours = len(named_glyph_contours(font, component.glyphName))
        records.append({
            "glyphIndex": font.getGlyphID(component.glyphName), "glyphName": component.glyphName,
            "offset": None if matched else [component.x, component.y],
            "matchedPoints": [component.firstPt, component.secondPt] if matched else None,
            # FreeType's xy is what the glyph table stores third (fontTools' transform[1][0]).
            "transform": [transform[0][0], transform[1][0], transform[0][1], transform[1][1]],
            "flags": ["POINT_MATCHING" if matched else "ARGS_ARE_XY_VALUES"] +
                     [flag for bit, flag in KEPT_FLAGS.items() if component.flags & bit],
            "firstContour": first, "contourCount": contours})
        first += contours
    return records


def check_by_index(failures, path, indices, schema):
    font = TTFont(str(path))
    codes = reverse_cmap(font)
    for index in indices:
        name = font.getGlyphOrder()[index]
        outline = json.loads(run("report", "--glyph-index", str(index), "--json", "--font-file", str(path)).stdout)
        jsonschema.validate(outline, schema)
        what = f"{path.name} glyph {index} {name}"
        check(failures, f"{what}: the glyph asked for", outline["glyphIndex"] == index and outline["glyphName"] == name)
        check(failures, f"{what}: its outline", json_runs(outline["blocks"]) == expected_contours(font, name))
        if "glyf" in font:
            check(failures, f"{what}: its components", outline["components"] == expected_components(font, name))
        first = run("report", "--glyph-index", str(index), "--font-file", str(path)).stdout.decode().split("\r\n")[0]
        named = chr(codes[name][0]) if name in codes else f"[グリフ {index} {name}]"
        check(failures, f"{what}: the report names {named}, not {first}", first == "文字：" + named)
        check(failures, f"{what}: its code point", outline["codePoint"] == (codes[name][0] if name in codes else None))


def check_whole_face(failures, path):
    font = TTFont(str(path))
    codes = reverse_cmap(font)
    lines = run("report", "--all", "--json", "--font-file", str(path)).stdout.decode().splitlines()
    check(failures, "a line a glyph", len(lines) == len(font.getGlyphOrder()))
    for index, (name, line) in enumerate(zip(font.getGlyphOrder(), lines)):
        glyph = json.loads(line)
        blocks = glyph.pop("blocks")
        expected = {"index": index, "name": name, "codePoints": codes.get(name, []),
                    "components": expected_components(font, name), "advance": font["hmtx"][name][0]}
        check(failures, f"line {index}: {glyph} is {expected}", glyph == expected)
        check(failures, f"line {index}: the outline", json_runs(blocks, 0, 1) == expected_contours(font, name))
        points = [block["start"] for block in blocks] + [p for block in blocks for c in block["curves"]
                                                         for p in c["points"]]
        numbered = {p[2] for p in points if p[2] >= 0}
        if "glyf" in font and font["glyf"][name].numberOfContours != 0:
            coordinates, _, _ = font["glyf"][name].getCoordinates(font["glyf"])
            check(failures, f"line {index}: every point numbered", numbered == set(range(len(coordinates))))


def check_svg_files(failures, path):
    font = TTFont(str(path))
    with tempfile.TemporaryDirectory() as folder:
        out = pathlib.Path(folder) / "svg"
        run("render", "--all", "--format", "svg", "--output-dir", str(out), "--font-file", str(path))
        expected = [f"{index:05d}-{name}.svg" for index, name in enumerate(font.getGlyphOrder())]
        check(failures, "one SVG a glyph, by index and name", sorted(p.name for p in out.iterdir()) == expected)
        for index, name in enumerate(font.getGlyphOrder()):
            svg = (out / expected[index]).read_text(encoding="utf-8")
            check(failures, f"{expected[index]}: a path a contour",
                  svg.count("<path ") == len(named_glyph_contours(font, name)))


def check_refusals(failures, path):
    for command in (["report", "--glyph-index", "11"], ["render", "--glyph-index", "4000", "-o", "x.svg"]):
        refused = run(*command, "--font-file", str(path), check=False)
        lines = refused.stderr.decode().splitlines()
        check(failures, f"{command}: refused in one line with the glyph count",
              refused.returncode == 2 and not refused.stdout and len(lines) == 1 and
              "it has 11 glyphs (0 to 10)" in lines[0])
    refused = run("report", "--glyph-index", "-1", "--font-file", str(path), check=False)
    check(failures, "a negative index refused", refused.returncode == 2 and b"--glyph-index" in refused.stderr)


def check_failing_glyphs(failures, path):
    """Glyphs whose charstrings are broken: each told in one line, the others written, exit 1."""
    font = TTFont(str(path))
    for command in (["report", "--all", "--json"], ["render", "--all", "--format", "svg", "--output-dir"]):
        with tempfile.TemporaryDirectory() as folder:
            arguments = command + ([folder] if command[0] == "render" else [])
            result = run(*arguments, "--font-file", str(path), check=False)
            told = result.stderr.decode().splitlines()
            failed = [int(line.split()[2]) for line in told if "cannot be loaded" in line]
            written = (len(result.stdout.decode().splitlines()) if command[0] == "report"
                       else len(list(pathlib.Path(folder).iterdir())))
            check(failures, f"{path.name} {command[0]}: failing glyphs told, the others written, exit 1",
                  result.returncode == 1 and failed and len(told) == len(failed) and
                  written == len(font.getGlyphOrder()) - len(failed))


def vertical_substitutes(font):
    """What GSUB's vert features substitute, by glyph name."""
    gsub = font["GSUB"].table
    lookups = {index for record in gsub.FeatureList.FeatureRecord if record.FeatureTag == "vert"
               for index in record.Feature.LookupListIndex}
    mapping = {}
    for index in sorted(lookups):
        for subtable in gsub.LookupList.Lookup[index].SubTable:
            subtable = getattr(subtable, "ExtSubTable", subtable)
            mapping.update(getattr(subtable, "mapping", {}))
    return mapping


def check_vertical(failures, face_arguments, path, characters, unchanged):
    font = TTFont(str(path), fontNumber=0)
    substitutes = vertical_substitutes(font)
    cmap = font.getBestCmap()
    for character in characters + unchanged:
        outline = json.loads(run("report", character, "--vertical", "--json", *face_arguments).stdout)
        name = cmap[ord(character)]
        expected = substitutes[name] if character in characters else name
        check(failures, f"{character} in vertical text is {expected}",
              outline["glyphIndex"] == font.getGlyphID(expected) and outline["codePoint"] == ord(character))
        info = run("report", character, "--vertical", "--info", *face_arguments).stdout.decode()
        check(failures, f"{character}: --info says whether the glyph differs",
              ("と別のグリフ" in info) == (character in characters))


def check_at_size(failures, path):
    """A glyph by index and a vertical form at a size in pixels: the very glyph, named as the
    unscaled report names it."""
    font = TTFont(str(path))
    size = ["--ppem", "16", "--hinting", "auto", "--font-file", str(path)]
    for index, name in enumerate(font.getGlyphOrder()):
        pixels = json.loads(run("report", "--glyph-index", str(index), "--json", *size).stdout)
        check(failures, f"glyph {index} at 16 ppem is itself",
              pixels["glyphIndex"] == index and pixels["glyphName"] == name)
        first = run("report", "--glyph-index", str(index), *size).stdout.decode().splitlines()[0]
        unscaled = run("report", "--glyph-index", str(index), *size[4:]).stdout.decode().splitlines()[0]
        check(failures, f"glyph {index} at 16 ppem is named as unscaled: {first}", first == unscaled)
    info = run("report", "--glyph-index", "0", "--info", *size[4:]).stdout.decode().splitlines()
    check(failures, f".notdef asked by index is a glyph, not a missing one: {info}",
          "グリフ 0 .notdef" in info)
    vertical = json.loads(run("report", "ー", "--vertical", "--json", *size).stdout)
    check(failures, "the vertical form at 16 ppem",
          vertical["glyphIndex"] == font.getGlyphID("uni30FC.vert") and vertical["codePoint"] == ord("ー"))
    with tempfile.TemporaryDirectory() as folder:
        picture = pathlib.Path(folder) / "notdef.png"
        drawn = run("render", "--glyph-index", "0", "--view", "inspector", "--grid", *size, "-o", str(picture))
        check(failures, ".notdef drawn at 16 ppem", drawn.returncode == 0 and picture.stat().st_size > 0)


def main():
    failures = []
    schema = json.loads(pathlib.Path(SCHEMA).read_text(encoding="utf-8"))
    if "--cjk" in sys.argv:
        noto = SET / "fonts" / "NotoSansCJK-Regular.ttc"
        check_vertical(failures, ["--face", "Noto Sans CJK JP"], noto, ["ー", "（", "、"], ["龍"])
    else:
        check_by_index(failures, COMPOSITE, range(11), schema)
        check_by_index(failures, SET / "fonts" / "MojiTestCFF.otf", range(4), schema)
        ipa = TTFont(str(SET / "fonts" / "ipag.ttf"))
        encoded = set(ipa.getBestCmap().values())
        unencoded = [i for i, name in enumerate(ipa.getGlyphOrder()) if name not in encoded]
        check_by_index(failures, SET / "fonts" / "ipag.ttf", [0] + unencoded[:3] + unencoded[-3:], schema)
        check_whole_face(failures, COMPOSITE)
        check_svg_files(failures, COMPOSITE)
        check_refusals(failures, COMPOSITE)
        check_at_size(failures, COMPOSITE)
        check_failing_glyphs(failures, SET / "extra" / "broken" / "cff2-noise.otf")
        check_vertical(failures, ["--font-file", str(COMPOSITE)], COMPOSITE, ["ー"], ["A"])
    for failure in failures:
        print(failure)
    sys.exit(1 if failures else 0)


if __name__ == "__main__":
    main()
