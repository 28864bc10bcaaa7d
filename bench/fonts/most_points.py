"""The characters of a face whose glyphs have the most outline points, counted with fontTools
over the face's character map: every point of every contour, on the curve or not (a cubic
segment three, a quadratic one two, a line one, a contour's start one). Usage:

  most_points.py FONT-FILE [--face-index N] [--top K]

Prints the K characters (10 by default) with the most points, most first: the code point, the
character, its glyph name, points and contours. bench/cjk_motion_bench.cpp moves the
first of Noto Sans CJK JP (NotoSansCJK-Regular.ttc, face 0) found this way.
"""

import argparse

from fontTools.pens.basePen import BasePen
from fontTools.ttLib import TTFont


class PointCount(BasePen):
    def __init__(self, glyphs):
        super().__init__(glyphs)
        self.points = 0
        self.contours = 0

    def _moveTo(self, point):
        self.points += 1
        self.contours += 1

    def _lineTo(self, point):
        self.points += 1

    def _curveToOne(self, first, second, end):
        self.points += 3

    def _qCurveToOne(self, control, end):
        self.points += 2


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("font")
    parser.add_argument("--face-index", type=int, default=0)
    parser.add_argument("--top", type=int, default=10)
    args = parser.parse_args()
    font = TTFont(args.font, fontNumber=args.face_index, lazy=True)
    glyphs = font.getGlyphSet()
    counts = {}
    for code, name in font.getBestCmap().items():
        if name not in counts:
            pen = PointCount(glyphs)
            glyphs[name].draw(pen)
            counts[name] = (pen.points, pen.contours)
    by_character = sorted(font.getBestCmap().items(),
                          key=lambda item: (-counts[item[1]][0], item[0]))
    family = font["name"].getDebugName(1)
    print(f"{family}: {len(by_character)} characters, {len(counts)} glyphs")
    for code, name in by_character[:args.top]:
        points, contours = counts[name]
        print(f"U+{code:04X} {chr(code)} {name}: {points} points, {contours} contours")


if __name__ == "__main__":
    main()
