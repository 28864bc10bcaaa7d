"""Builds a private font folder of damaged and unusual fonts, and a fontconfig file that lists
that folder alone, for the start-up test against hostile fonts.

Usage: make_hostile_fonts.py OUTPUT_DIR

The folder holds a copy of DejaVu Sans, a plain built TrueType font, TrueType fonts whose glyphs
have unusual contours (one point, many contours, off-curve ends, no on-curve point, tens of
thousands of points, coordinates far beyond the em, composite loops), a font whose glyf table is
cut short, files that are no usable font at all (empty, random bytes, truncated), and a font
that fontconfig cached before it was emptied. Every built family is called "Moji Robust ...".
Characters of the built fonts: "A" is the unusual glyph, "B" a plain triangle, space is empty."""

import os
import pathlib
import random
import shutil
import struct
import subprocess
import sys

from fontTools.fontBuilder import FontBuilder
from fontTools.ttLib.tables import ttProgram
from fontTools.ttLib.tables._g_l_y_f import Glyph, GlyphComponent, GlyphCoordinates

DEJAVU_SANS = pathlib.Path("/usr/share/fonts/truetype/dejavu/DejaVuSans.ttf")
EM = 1000


class ManyPointGlyph(Glyph):
    """A glyph whose contour ends are written unsigned, as the format allows: fontTools writes them
    as signed numbers and so refuses glyphs of more than 32767 points."""

    def compileCoordinates(self):
        ends = self.endPtsOfContours
        self.endPtsOfContours = [0] * len(ends)
        data = super().compileCoordinates()
        self.endPtsOfContours = ends
        return struct.pack(f">{len(ends)}H", *ends) + data[2 * len(ends):]


class FarAwayGlyph(Glyph):
    """A glyph whose points lie far beyond the 16-bit range of a bounding box (glyf stores 16-bit
    steps between points, so a font can place points that far); its box claims an ordinary size."""

    def recalcBounds(self, glyfTable, **kwargs):
        self.xMin, self.yMin, self.xMax, self.yMax = 0, 0, 500, 500


def simple_glyph(contours, kind=Glyph):
    """A glyf glyph from contours given as lists of (x, y, on_curve)."""
    glyph = kind()
    coordinates, flags, ends = [], [], []
    for contour in contours:
        for x, y, on_curve in contour:
            coordinates.append((x, y))
            flags.append(1 if on_curve else 0)
        ends.append(len(coordinates) - 1)
    glyph.coordinates = GlyphCoordinates(coordinates)
    glyph.flags = bytearray(flags)
    glyph.endPtsOfContours = ends
    glyph.numberOfContours = len(ends)
    glyph.program = ttProgram.Program()
    glyph.program.fromBytecode(b"")
    return glyph


def empty_glyph():
    glyph = Glyph()
    glyph.numberOfContours = 0
    return glyph


def composite_glyph(*components):
    glyph = Glyph()
    glyph.numberOfContours = -1
    glyph.xMin, glyph.yMin, glyph.xMax, glyph.yMax = 0, 0, 500, 700
    glyph.components = []
    for name in components:
        component = GlyphComponent()
        component.glyphName = name
        component.x, component.y, component.flags = 0, 0, 0
        glyph.components.append(component)
    return glyph


def square(x, y, side):
    return [(x, y, True), (x + side, y, True), (x + side, y + side, True), (x, y + side, True)]


TRIANGLE = [(100, 0, True), (500, 0, True), (300, 700, True)]


def build_font(path, family, glyphs, characters, em=EM, ascent=800, descent=200,
               check_bounds=True):
    """Saves a TrueType font with the glyphs (name -> glyph) mapped from the characters."""
    order = [".notdef"] + [name for name in glyphs if name != ".notdef"]
    glyphs.setdefault(".notdef", empty_glyph())
    builder = FontBuilder(em, isTTF=True)
    builder.setupGlyphOrder(order)
    builder.setupCharacterMap(characters)
    builder.setupGlyf(glyphs, calcGlyphBounds=check_bounds)
    if not check_bounds:
        for glyph in glyphs.values():
            if glyph.numberOfContours > 0:
                glyph.recalcBounds(builder.font["glyf"])
    builder.setupHorizontalMetrics({name: (em // 2, 0) for name in order})
    builder.setupHorizontalHeader(ascent=ascent, descent=-descent)
    builder.setupNameTable({"familyName": family, "styleName": "Regular"})
    builder.setupOS2(sTypoAscender=ascent, usWinAscent=ascent, usWinDescent=descent)
    builder.setupPost()
    if not check_bounds:
        # A composite loop cannot be measured: its bounds and the maximum profile stay as set.
        builder.font.recalcBBoxes = False
        maxp = builder.font["maxp"]
        maxp.maxPoints, maxp.maxContours = 16, 4
        maxp.maxComponentPoints, maxp.maxComponentContours = 16, 4
        maxp.maxComponentElements, maxp.maxComponentDepth = 2, 2
    builder.save(str(path))


def plain_font(path, family, unusual_a, unusual_c=None):
    glyphs = {"A": unusual_a, "B": simple_glyph([TRIANGLE]), "space": empty_glyph()}
    characters = {ord("A"): "A", ord("B"): "B", ord(" "): "space"}
    if unusual_c is not None:
        glyphs["C"] = unusual_c
        characters[ord("C")] = "C"
    build_font(path, family, glyphs, characters)


def long_zigzag(count, on_curve):
    """One contour of `count` points along a zigzag, all on or all but the first off the curve."""
    points = [(20 + (i % 900), 100 + (i % 2) * 500, on_curve) for i in range(count)]
    points[0] = (points[0][0], points[0][1], True)
    return points


def far_away_glyph():
    """A point repeated (a contour of no extent), then a zigzag out to seven times the 16-bit
    range and one back beyond the other side, off the curve."""
    out = [(32767 * i, 32767 * (i % 2), True) for i in range(8)]
    back = [(229369 - 32767 * i, -32767 * (i % 2), False) for i in range(15)]
    return simple_glyph([[(5, 5, True)] * 3, out, back], FarAwayGlyph)


def cut_glyf(font_bytes, keep):
    """The same font with its glyf table moved to the end of the file and cut after `keep` bytes;
    the table directory gives the cut length, so the font opens and loca points past the end."""
    count = struct.unpack(">H", font_bytes[4:6])[0]
    entries = [list(struct.unpack(">4sLLL", font_bytes[12 + 16 * i: 28 + 16 * i]))
               for i in range(count)]
    offset = 12 + 16 * count
    body = b""
    for entry in sorted(entries, key=lambda entry: (entry[0] == b"glyf", entry[2])):
        data = font_bytes[entry[2]: entry[2] + entry[3]]
        if entry[0] == b"glyf":
            data = data[:keep]
            entry[3] = keep
        entry[2] = offset + len(body)
        body += data + b"\0" * (-len(data) % 4)
    directory = b"".join(struct.pack(">4sLLL", *entry) for entry in entries)
    return font_bytes[:12] + directory + body


def build_fonts(fonts):
    shutil.copyfile(DEJAVU_SANS, fonts / "DejaVuSans.ttf")
    plain_font(fonts / "Good.ttf", "Moji Robust Good", simple_glyph([square(100, 0, 500)]))
    plain_font(fonts / "OnePoint.ttf", "Moji Robust One Point",
               simple_glyph([[(300, 300, True)], TRIANGLE, [(50, 650, False)]]))
    plain_font(fonts / "ManyContours.ttf", "Moji Robust Many Contours",
               simple_glyph([square(20 + 110 * (i % 6), 20 + 110 * (i // 6), 90)
                             for i in range(20)]))
    plain_font(fonts / "OffCurveEnds.ttf", "Moji Robust Off Curve Ends",
               simple_glyph([[(100, 100, False), (300, 0, True), (500, 100, False),
                              (500, 500, True), (100, 500, False)],
                             [(150, 150, False), (450, 150, True), (300, 450, False)]]))
    plain_font(fonts / "NoOnCurve.ttf", "Moji Robust No On Curve",
               simple_glyph([[(100, 300, False), (300, 700, False), (500, 300, False),
                              (300, -100, False)],
                             [(250, 250, False), (350, 350, False)]]))
    # "A" holds as many points as the font engine takes; "C" more than it takes.
    plain_font(fonts / "LongRuns.ttf", "Moji Robust Long Runs",
               simple_glyph([long_zigzag(20000, True), long_zigzag(12000, False)]),
               simple_glyph([long_zigzag(40000, True), long_zigzag(20000, False)], ManyPointGlyph))
    plain_font(fonts / "FarAway.ttf", "Moji Robust Far Away", far_away_glyph())

    # Tiny em, no vertical extents at all: the cell falls back to the em.
    glyphs = {"A": far_away_glyph(),
              "B": simple_glyph([[(1, 0, True), (15, 0, True), (8, 14, True)]]),
              "space": empty_glyph()}
    build_font(fonts / "TinyEm.ttf", "Moji Robust Tiny Em", glyphs,
               {ord("A"): "A", ord("B"): "B", ord(" "): "space"}, em=16, ascent=0, descent=0)

    glyphs = {"A": composite_glyph("A"), "B": simple_glyph([TRIANGLE]), "C": composite_glyph("D"),
              "D": composite_glyph("C", "B"), "space": empty_glyph()}
    build_font(fonts / "CompositeLoop.ttf", "Moji Robust Composite Loop", glyphs,
               {ord("A"): "A", ord("B"): "B", ord("C"): "C", ord(" "): "space"},
               check_bounds=False)

    # Files that are no usable font.
    good = (fonts / "Good.ttf").read_bytes()
    (fonts / "Empty.ttf").write_bytes(b"")
    rng = random.Random(20240613)
    (fonts / "Random.ttf").write_bytes(bytes(rng.randrange(256) for _ in range(65536)))
    (fonts / "RandomAfterHeader.ttf").write_bytes(
        good[:12] + bytes(rng.randrange(256) for _ in range(4096)))
    (fonts / "TruncatedHeader.ttf").write_bytes(good[:40])
    (fonts / "Truncated.ttf").write_bytes(good[: len(good) // 2])
    # Every table whole but glyf, which ends in the middle of "C": "A" and "B" come before it.
    plain_font(fonts / "cut.tmp", "Moji Robust Cut Glyphs",
               simple_glyph([square(20 + 110 * i, 20, 90) for i in range(6)]),
               simple_glyph([square(20 + 110 * i, 300, 90) for i in range(6)]))
    (fonts / "CutGlyphs.ttf").write_bytes(cut_glyf((fonts / "cut.tmp").read_bytes(), 124))
    (fonts / "cut.tmp").unlink()
    dejavu = DEJAVU_SANS.read_bytes()
    (fonts / "DejaVuSansTruncated.ttf").write_bytes(dejavu[: len(dejavu) // 3])


def damage_after_caching(out, fonts):
    """A good font that fontconfig caches and that is emptied afterwards: the cache, which
    fontconfig trusts while the folder itself is unchanged, still lists it."""
    plain_font(fonts / "DamagedLater.ttf", "Moji Robust Damaged Later",
               simple_glyph([square(100, 0, 500)]))
    subprocess.run(["fc-cache", "-f", str(fonts)], check=True,
                   env={**os.environ, "FONTCONFIG_FILE": str(out / "fonts.conf")})
    (fonts / "DamagedLater.ttf").write_bytes(b"")


def main():
    out = pathlib.Path(sys.argv[1]).resolve()
    fonts = out / "fonts"
    shutil.rmtree(fonts, ignore_errors=True)
    shutil.rmtree(out / "cache", ignore_errors=True)
    fonts.mkdir(parents=True)
    build_fonts(fonts)
    # Only this folder: no system fonts, no system rules, so every face listed is one of these.
    (out / "fonts.conf").write_text(
        '<?xml version="1.0"?>\n<!DOCTYPE fontconfig SYSTEM "urn:fontconfig:fonts.dtd">\n'
        "<fontconfig>\n"
        f"  <cachedir>{out / 'cache'}</cachedir>\n"
        f"  <dir>{fonts}</dir>\n"
        "</fontconfig>\n",
        encoding="utf-8")
    damage_after_caching(out, fonts)


if __name__ == "__main__":
    main()
