"""Variable and Type 1 outlines checked from the outside against fontTools' own reading of the
same fonts: `report --json` of "Moji Test Weight" (TrueType, gvar) and "Moji Test Weight CFF2"
(CFF2 blends) at every named instance and at coordinates between them, and of the Type 1 face
Nimbus Sans against its charstrings as fontTools' t1Lib decrypts and runs them. The report's
variation (the instance and the axis value) is checked with it.

References: the TrueType face instanced with fontTools' varLib.instancer (its coordinates rounded
to whole units as fontTools writes them); the CFF2 face drawn through fontTools' glyph set at the
same location (this fontTools' instancer does not instance CFF2), whose coordinates are exact.

Rounding allowed: none at the named instances, whose coordinates here are whole units in any
arithmetic (each master's delta is a multiple of 4 and the instance at 400 is a quarter of the
way), so they must agree point for point. Between them, each coordinate may be less than one
font unit away from fontTools', and only there: FreeType interpolates gvar deltas in 16.16 fixed
point and rounds each coordinate, and blends CFF2 operands in 16.16 and rounds the sum down, where
fontTools computes in floating point and rounds to nearest (or not at all); the structure (the
contours, their runs and point counts) must be the same.

Usage: variations_data_test.py MOJI_OUTLINE   (FONTCONFIG_FILE names the standard font set)
"""

import io
import json
import os
import pathlib
import subprocess
import sys

from fontTools import agl, t1Lib
from fontTools.pens.recordingPen import RecordingPen
from fontTools.ttLib import TTFont
from fontTools.varLib import instancer

sys.path.insert(0, str(pathlib.Path(__file__).resolve().parent.parent / "fonts"))
from outline_records import cff_contours, recorded_contours, truetype_contours  # noqa: E402

PROGRAM = sys.argv[1]
FONTS = pathlib.Path(os.environ["FONTCONFIG_FILE"]).parent / "fonts"
# Named instances: (what --instance takes, the name the report gives, wght).
INSTANCES = [("Light", "細字", 300), ("Regular", "標準", 400), ("Bold", "太字", 700)]
BETWEEN = [313, 377.5, 537, 650.25, 699]


def report_json(*arguments):
    return json.loads(subprocess.run([PROGRAM, "report", *arguments, "--json"], capture_output=True,
                                     check=True).stdout)


def runs_of(outline):
    at = lambda point: (point["fontX"], point["fontY"])
    return [(at(block["start"]), [(curve["type"], [at(p) for p in curve["points"]])
                                  for curve in block["curves"]])
            for block in outline["blocks"]]


def truetype_reference(path, weight, character):
    """The glyph's runs in the TrueType face instanced by fontTools at the weight."""
    font = instancer.instantiateVariableFont(TTFont(path), {"wght": weight})
    written = io.BytesIO()
    font.save(written)
    written.seek(0)
    font = TTFont(written)
    return list(truetype_contours(font, font.getBestCmap()[ord(character)]))


def cff2_reference(path, weight, character):
    font = TTFont(path)
    return list(cff_contours(font, font.getBestCmap()[ord(character)], location={"wght": weight}))


def points_of(runs):
    for start, records in runs:
        yield start
        for _, points in records:
            yield from points


def shape_of(runs):
    return [[(kind, len(points)) for kind, points in records] for _, records in runs]


def compare(failures, what, ours, reference, exact):
    if shape_of(ours) != shape_of(reference):
        failures.append(f"{what}: runs {shape_of(ours)} against {shape_of(reference)}")
        return
    for mine, theirs in zip(points_of(ours), points_of(reference)):
        far = max(abs(mine[0] - theirs[0]), abs(mine[1] - theirs[1]))
        if (exact and mine != theirs) or far >= 1:
            failures.append(f"{what}: point {mine} against fontTools' {theirs}")


def check_variable(failures, family, file_name, reference):
    path = FONTS / file_name
    for character in "AO":
        for instance, shown, weight in INSTANCES:
            outline = report_json(character, "--face", family, "--instance", instance)
            what = f"{family} {character} at {instance}"
            compare(failures, what, runs_of(outline), reference(path, weight, character), exact=True)
            variation = outline["variation"]
            if variation["instance"] != shown or [a["value"] for a in variation["axes"]] != [weight]:
                failures.append(f"{what}: variation {variation}")
        for weight in BETWEEN:
            outline = report_json(character, "--face", family, "--variation", f"wght={weight}")
            what = f"{family} {character} at wght={weight}"
            compare(failures, what, runs_of(outline), reference(path, weight, character), exact=False)
            if outline["variation"]["instance"] is not None:
                failures.append(f"{what}: drawn at an instance {outline['variation']}")


def check_type1(failures):
    """Nimbus Sans: our runs against its charstrings as t1Lib reads them, by the cubic rules."""
    font = t1Lib.T1Font(str(FONTS / "NimbusSans-Regular.t1"))
    font.parse()
    for character in "SOQag&@8":
        name = agl.UV2AGL[ord(character)]
        pen = RecordingPen()
        font["CharStrings"][name].draw(pen)
        expected = list(recorded_contours(pen.value))
        outline = report_json(character, "--face", "Nimbus Sans")
        if runs_of(outline) != expected:
            failures.append(f"Nimbus Sans {character}: runs differ from its charstrings")
        if outline["glyphName"] != name or outline["cellHeight"] != 1000 or outline["unitsPerEm"] != 1000:
            failures.append(f"Nimbus Sans {character}: {outline['glyphName']}, cell {outline['cellHeight']}")


def main():
    failures = []
    check_variable(failures, "Moji Test Weight", "MojiTestWeight.ttf", truetype_reference)
    check_variable(failures, "Moji Test Weight CFF2", "MojiTestWeightCFF2.otf", cff2_reference)
    check_type1(failures)
    for failure in failures:
        print(failure)
    sys.exit(1 if failures else 0)


if __name__ == "__main__":
    main()
