"""The outline at a size in pixels, checked from the outside: `report --ppem N --hinting MODE --json`
against FreeType's own loads of the same glyph with the same flags, read with python3-freetype
(the unhinted and the hinted points and contour ends, the advance widths, the rendered bitmap
byte for byte), the moves' lengths against those two point sets, the font's numbers of the points
against its unscaled outline, and the text report's points against the hinted ones. Then the
faces whose instructions fail: the unhinted outline and its bitmap, hintingFailed, and one line
on standard error, in the report and in the large view `render --ppem` draws.

Usage: pixel_data_test.py MOJI_OUTLINE   (FONTCONFIG_FILE names the set of make_hinting_fonts.py)
"""

import ctypes
import json
import math
import os
import pathlib
import re
import subprocess
import sys
import tempfile

import freetype
from freetype import (FT_LOAD_FORCE_AUTOHINT, FT_LOAD_NO_AUTOHINT, FT_LOAD_NO_BITMAP,
                      FT_LOAD_NO_HINTING, FT_LOAD_NO_SCALE, FT_LOAD_TARGET_LIGHT,
                      FT_LOAD_TARGET_MONO, FT_LOAD_TARGET_NORMAL, FT_RENDER_MODE_MONO,
                      FT_RENDER_MODE_NORMAL)
from freetype.raw import FT_Property_Set

PROGRAM = sys.argv[1]
FONTS = pathlib.Path(os.environ["FONTCONFIG_FILE"]).parent / "fonts"

# (face, file, characters): TrueType with instructions, and CFF with hints; U+3362 and U+2EDE
# are glyphs where one of the two loads leaves out a contour's closing point.
GLYPHS = [("IPAGothic", "ipag.ttf", "龍A"), ("DejaVu Sans", "DejaVuSans.ttf", "a&"),
          ("Noto Sans CJK JP", "NotoSansCJK-Regular.ttc", "龍\U0003106C\u3362\u2ede")]


def load_flags(hinting, mono):
    """What each mode asks of FreeType: no hinting, the autohinter (light, or full for the
    target), or the font's own hinter with the autohinter kept out."""
    target = FT_LOAD_TARGET_MONO if mono else FT_LOAD_TARGET_NORMAL
    return FT_LOAD_NO_BITMAP | {"none": FT_LOAD_NO_HINTING,
                                "light": FT_LOAD_FORCE_AUTOHINT | FT_LOAD_TARGET_LIGHT,
                                "auto": FT_LOAD_FORCE_AUTOHINT | target,
                                "font": FT_LOAD_NO_AUTOHINT | target}[hinting]


def freetype_load(path, face_index, code_point, ppem, flags, interpreter=40, mono=False):
    """FreeType's load of the glyph in a face of its own: points, contour ends, advance, bitmap."""
    version = ctypes.c_uint(interpreter)
    assert FT_Property_Set(freetype.get_handle(), b"truetype", b"interpreter-version",
                           ctypes.byref(version)) == 0
    face = freetype.Face(str(path), face_index)
    face.set_pixel_sizes(0, ppem)
    face.load_glyph(face.get_char_index(code_point), flags)
    slot = face.glyph
    loaded = {"points": [tuple(p) for p in slot.outline.points], "ends": list(slot.outline.contours),
              "advance": slot.advance.x}
    slot.render(FT_RENDER_MODE_MONO if mono else FT_RENDER_MODE_NORMAL)
    bitmap = slot.bitmap
    loaded["bitmap"] = {"width": bitmap.width, "rows": bitmap.rows, "pitch": bitmap.pitch,
                        "left": slot.bitmap_left, "top": slot.bitmap_top,
                        "mode": "mono" if mono else "grey", "pixels": bytes(bitmap.buffer).hex()}
    return loaded


def run(*arguments):
    done = subprocess.run([PROGRAM, *arguments], capture_output=True, check=True)
    return done.stdout.decode("utf-8"), done.stderr.decode("utf-8")


def request_arguments(face, character, ppem, hinting, mono, interpreter):
    arguments = ["report", character, "--face", face, "--ppem", str(ppem), "--hinting", hinting]
    if interpreter != 40:
        arguments += ["--interpreter", str(interpreter)]
    return arguments + (["--mono"] if mono else [])


def position(ends, index):
    """The contour of a point and its place in it."""
    first = 0
    for contour, end in enumerate(ends):
        if index <= end:
            return contour, index - first
        first = end + 1
    return None, None


def check_points(failures, what, outline, unhinted, hinted, unscaled_ends):
    points = outline["points"]
    for p in points:
        u, h = p["unhinted"], p["hinted"]
        if u["index"] >= len(unhinted["points"]) or h["index"] >= len(hinted["points"]):
            failures.append(f"{what}: point {p['fontPoint']} is not one of FreeType's")
            continue
        want_u, want_h = unhinted["points"][u["index"]], hinted["points"][h["index"]]
        if (u["x"] * 64, u["y"] * 64) != want_u or (h["x"] * 64, h["y"] * 64) != want_h:
            failures.append(f"{what}: point {p['fontPoint']} at {u}, {h}; FreeType: {want_u}, {want_h}")
        length = math.hypot(want_h[0] - want_u[0], want_h[1] - want_u[1]) / 64
        if abs(p["moved"] - length) > 1e-9:
            failures.append(f"{what}: point {p['fontPoint']} moved {p['moved']}, not {length}")
        (cu, ku), (ch, kh) = position(unhinted["ends"], u["index"]), position(hinted["ends"], h["index"])
        # A closing point the unscaled outline leaves out repeats its contour's first point.
        first = 0 if cu == 0 else unscaled_ends[cu - 1] + 1
        number = first + max(ku, kh) if first + max(ku, kh) <= unscaled_ends[cu] else first
        if cu != ch or p["fontPoint"] != number:
            failures.append(f"{what}: point {p['fontPoint']} is not the font's {number}")
    for side, loaded in (("unhinted", unhinted), ("hinted", hinted)):
        if sorted({p[side]["index"] for p in points}) != list(range(len(loaded["points"]))):
            failures.append(f"{what}: not every {side} point is paired")
    moved = [p["moved"] for p in points]
    largest = outline["largestMove"]
    if outline["unmovedPoints"] != moved.count(0) or (largest or {}).get("moved", 0) != max(moved + [0]):
        failures.append(f"{what}: unmoved {outline['unmovedPoints']}, largest {largest}")


def check_report_text(failures, what, text, outline):
    """Every point the report prints is a hinted point or the midpoint of two."""
    hinted = [(p["hinted"]["x"], p["hinted"]["y"]) for p in outline["points"]]
    places = set(hinted) | {((a[0] + b[0]) / 2, (a[1] + b[1]) / 2) for a in hinted for b in hinted}
    printed = [(float(x), float(y)) for x, y in
               re.findall(r"\( (-?\d+\.\d{3}) , (-?\d+\.\d{3}) ?\)", text)]
    for x, y in printed:
        if not any(abs(x - px) <= 0.0005001 and abs(y - py) <= 0.0005001 for px, py in places):
            failures.append(f"{what}: the report prints ({x}, {y}), which is no hinted point")
    if len(printed) < len(set(hinted)):
        failures.append(f"{what}: the report prints {len(printed)} points of {len(hinted)}")


def check_glyph(failures, face, file_name, character, ppem, hinting, mono=False, interpreter=40):
    what = f"{face} U+{ord(character):04X} {ppem} ppem {hinting} {interpreter} {'mono' if mono else 'grey'}"
    arguments = request_arguments(face, character, ppem, hinting, mono, interpreter)
    out, err = run(*arguments, "--json")
    outline = json.loads(out)
    path = FONTS / file_name
    if pathlib.Path(outline["file"]).name != file_name or err or outline["hintingFailed"]:
        failures.append(f"{what}: drawn from {outline['file']}, failed {outline['hintingFailed']}: {err}")
    index = outline["faceIndex"]
    hinted = freetype_load(path, index, ord(character), ppem, load_flags(hinting, mono), interpreter, mono)
    unhinted = freetype_load(path, index, ord(character), ppem, load_flags("none", mono))
    unscaled = freetype_load(path, index, ord(character), ppem, FT_LOAD_NO_SCALE | load_flags("none", mono))
    for name, ours, theirs in (
            ("unhinted contour ends", outline["contourEnds"]["unhinted"], unhinted["ends"]),
            ("hinted contour ends", outline["contourEnds"]["hinted"], hinted["ends"]),
            ("advances", [outline["advance"][side] * 64 for side in ("unhinted", "hinted")],
             [unhinted["advance"], hinted["advance"]]),
            ("bitmap", outline["bitmap"], hinted["bitmap"])):
        if ours != theirs:
            failures.append(f"{what}: {name} {ours}; FreeType: {theirs}")
    check_points(failures, what, outline, unhinted, hinted, unscaled["ends"])
    if hinting == "font" and not mono:
        check_report_text(failures, what, run(*arguments)[0], outline)
    return outline["contourEnds"]["unhinted"] != outline["contourEnds"]["hinted"]


def check_failing_instructions(failures):
    """Each failing glyph program, and a failing control value program: the unhinted outline and
    its bitmap, said once on standard error; the same glyphs hint as FreeType hints them with the
    autohinter, and the glyph whose program ends is hinted."""
    for face, file_name, characters in (("Moji Hinting Hostile", "MojiHintingHostile.ttf", "ABCDEFGH"),
                                        ("Moji Hinting Prep Loop", "MojiHintingPrepLoop.ttf", "G"),
                                        ("Moji Hinting Long Loop", "MojiHintingLongLoop.ttf", "A")):
        path = FONTS / file_name
        for character in characters:
            fails = not (face == "Moji Hinting Hostile" and character == "G")
            for ppem, mono, interpreter in ((16, False, 40), (200, True, 40), (16, False, 35)):
                what = f"{face} {character} {ppem} ppem {interpreter}"
                out, err = run(*request_arguments(face, character, ppem, "font", mono, interpreter), "--json")
                outline = json.loads(out)
                flags = load_flags("none" if fails else "font", mono)
                expected = freetype_load(path, 0, ord(character), ppem, flags, interpreter, mono)
                said = f"moji-outline: hinting failed for U+{ord(character):04X} in {face} at {ppem} ppem"
                if outline["hintingFailed"] != fails or (err.startswith(said) and err.count("\n") == 1) != fails:
                    failures.append(f"{what}: failed {outline['hintingFailed']}, said {err!r}")
                hinted = [(p["hinted"]["x"] * 64, p["hinted"]["y"] * 64) for p in outline["points"]]
                if hinted != expected["points"] or outline["bitmap"] != expected["bitmap"]:
                    failures.append(f"{what}: hinted {hinted}; expected {expected['points']}")
            out, err = run(*request_arguments(face, character, 16, "auto", False, 40), "--json")
            if json.loads(out)["hintingFailed"] or err:
                failures.append(f"{face} {character}: the autohinter failed: {err}")
    check_failing_render(failures)


def check_failing_render(failures):
    """The large view of a glyph whose instructions fail is drawn, unhinted, and the failure is
    said once on standard error."""
    with tempfile.TemporaryDirectory() as folder:
        picture = pathlib.Path(folder) / "view.png"
        for character, fails in (("A", True), ("G", False)):
            _, err = run("render", character, "--face", "Moji Hinting Hostile", "--view", "inspector",
                         "--size", "120", "--ppem", "16", "--grid", "--bitmap", "--arrows", "-o", str(picture))
            said = err.startswith("moji-outline: hinting failed for") and err.count("\n") == 1
            if said != fails or not picture.read_bytes().startswith(b"\x89PNG"):
                failures.append(f"render of {character} in the hostile face: said {err!r}")


def main():
    failures = []
    closing_point_left_out = False
    for face, file_name, characters in GLYPHS:
        truetype = file_name.endswith(".ttf")
        for character in characters:
            for ppem in (16, 32):
                for hinting in ("none", "light", "auto", "font"):
                    closing_point_left_out |= check_glyph(failures, face, file_name, character, ppem, hinting)
                for hinting in ("auto", "font"):
                    check_glyph(failures, face, file_name, character, ppem, hinting, mono=True)
                if truetype:
                    for mono in (False, True):
                        check_glyph(failures, face, file_name, character, ppem, "font", mono, 35)
    if not closing_point_left_out:
        failures.append("no glyph had a contour whose closing point only one load keeps")
    check_failing_instructions(failures)
    for failure in failures[:40]:
        print(failure)
    print(f"{len(failures)} failures")
    sys.exit(1 if failures else 0)


if __name__ == "__main__":
    main()
