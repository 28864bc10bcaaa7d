"""The runs a glyph's contours should become, read independently of FreeType with fontTools: per
contour its start point and its records, each a type, 1 (a run of on-curve points), 2
(quadratic controls and the point after them) or 3 (cubic segments: two controls, then the end
point), and its points, all in font units.
"""

from fontTools.pens.recordingPen import RecordingPen
from fontTools.ttLib import TTFont


def runs(points, start):
    """Records from (x, y, kind) points that follow the start point; kind 'on', 'q' or 'c'. A
    run of on-curve points is one record, so is a run of quadratic controls with the point after
    it, and so are consecutive cubic segments (two controls and the point after them)."""
    records, at = [], 0
    point = lambda i: (points[i][0], points[i][1]) if i < len(points) else start
    while at < len(points):
        kind = points[at][2]
        end = at
        if kind == "c":
            while end < len(points) and points[end][2] == "c":
                end += 3
            records.append((3, [point(i) for i in range(at, end)]))
        else:
            while end < len(points) and points[end][2] == kind:
                end += 1
            if kind == "on":
                records.append((1, [point(i) for i in range(at, end)]))
            else:
                records.append((2, [point(i) for i in range(at, end + 1)]))
                end += 1
        at = end
    return records


def truetype_contours(font, glyph_name):
    glyf = font["glyf"]
    coordinates, ends, flags = glyf[glyph_name].getCoordinates(glyf)
    first = 0
    for last in ends:
        points = [(x, y, "on" if flags[i] & 1 else "q")
                  for i, (x, y) in enumerate(coordinates[first:last + 1], first)]
        first = last + 1
        if points[0][2] == "on" or len(points) == 1:
            start, rest = points[0][:2], points[1:]
        elif points[-1][2] == "on":
            start, rest = points[-1][:2], points[:-1]
        else:
            start = ((points[-1][0] + points[0][0]) / 2, (points[-1][1] + points[0][1]) / 2)
            rest = points
        yield start, runs(rest, start)


def recorded_contours(recording):
    """The contours of a recording of cubic outlines (CFF, CFF2, Type 1) by the cubic rules: a
    contour starts at its moveto, and a closing point that repeats the start is no point of it."""
    contours, points = [], []
    for operator, operands in recording:
        if operator == "moveTo":
            points = [(*operands[0], "on")]
        elif operator == "lineTo":
            points.append((*operands[0], "on"))
        elif operator == "curveTo":
            points += [(*operands[0], "c"), (*operands[1], "c"), (*operands[2], "on")]
        elif operator in ("closePath", "endPath"):
            # A closing point that repeats the start is no point of the contour.
            if len(points) > 1 and points[-1][:2] == points[0][:2] and points[-1][2] == "on":
                points.pop()
            contours.append(points)
    for points in contours:
        start = points[0][:2]
        yield start, runs(points[1:], start)


def cff_contours(font, glyph_name, location=None):
    pen = RecordingPen()
    font.getGlyphSet(location=location)[glyph_name].draw(pen)
    return recorded_contours(pen.value)


def glyph_contours(path, index, code_point):
    """[(start, [(type, [point, ...]), ...]), ...] of the glyph of the code point."""
    font = TTFont(path, fontNumber=index)
    return named_glyph_contours(font, font.getBestCmap()[code_point])


def named_glyph_contours(font, glyph_name):
    """The same of the glyph of that name in an open font."""
    contours = cff_contours if "CFF " in font else truetype_contours
    return [(start, records) for start, records in contours(font, glyph_name)]

