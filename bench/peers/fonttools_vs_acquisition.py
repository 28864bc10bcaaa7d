#!/usr/bin/python3
"""Outline acquisition beside fontTools, over every CJK ideograph of IPAGothic.

fontTools decomposes the glyphs into a RecordingPen twice: the first pass parses them, the
second (parsed) pass draws what is already parsed. Our side is acquisition_bench's
BM_Acquisition (FetchGlyphOutline over the same code points). The rounds alternate between the
two in this one process, and the ratio is taken from the medians.

Run with Debian's python (it has fontTools): /usr/bin/python3 fonttools_vs_acquisition.py
--bench BUILD/bench/acquisition_bench
"""

import argparse
import json
import os
import statistics
import subprocess
import sys
import tempfile
import time

from fontTools.pens.recordingPen import RecordingPen
from fontTools.ttLib import TTFont

# The unified ideographs and Extension A, as the acquisition benchmark takes them.
IDEOGRAPH_RANGES = ((0x4E00, 0x9FFF), (0x3400, 0x4DBF))
GOAL = 20.0
# Where fonts-ipafont-gothic puts the face, for a system without fc-list.
DEBIAN_IPAGOTHIC = "/usr/share/fonts/opentype/ipafont-gothic/ipag.ttf"


def ipagothic_file():
    """The font file of the family IPAGothic, as fontconfig lists it."""
    try:
        files = subprocess.run(["fc-list", "-f", "%{file}\n", "IPAGothic"], check=True,
                               capture_output=True, text=True).stdout.split()
    except (OSError, subprocess.CalledProcessError):
        files = [f for f in [DEBIAN_IPAGOTHIC] if os.path.exists(f)]
    if not files:
        sys.exit("fonttools_vs_acquisition: IPAGothic is not installed")
    return sorted(files)[0]


def ideograph_glyphs(font):
    """Glyph names of the ideographs in the font's character map, in the benchmark's order."""
    cmap = font.getBestCmap()
    return [cmap[c] for low, high in IDEOGRAPH_RANGES for c in range(low, high + 1) if c in cmap]


def decompose_all(glyph_set, names):
    """Seconds to draw every glyph into its own RecordingPen, components decomposed."""
    start = time.perf_counter()
    for name in names:
        pen = RecordingPen()
        glyph_set[name].draw(pen)
    return time.perf_counter() - start


def fonttools_round(path):
    """Seconds per glyph of the first (parsing) and the second (parsed) pass over a fresh font."""
    font = TTFont(path)
    names = ideograph_glyphs(font)
    glyph_set = font.getGlyphSet()
    first = decompose_all(glyph_set, names)
    parsed = decompose_all(glyph_set, names)
    font.close()
    return first / len(names), parsed / len(names), len(names)


def acquisition_round(bench, repetitions):
    """Seconds per glyph of BM_Acquisition (median of its repetitions) and its glyph count."""
    with tempfile.NamedTemporaryFile(suffix=".json") as out:
        subprocess.run([bench, "--benchmark_filter=^BM_Acquisition$",
                        f"--benchmark_repetitions={repetitions}",
                        f"--benchmark_out={out.name}", "--benchmark_out_format=json"],
                       check=True, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        report = json.load(open(out.name, encoding="utf-8"))
    runs = [b for b in report["benchmarks"] if b["name"].startswith("BM_Acquisition")]
    median = next((b for b in runs if b.get("aggregate_name") == "median"), runs[0])
    units = {"ns": 1e-9, "us": 1e-6, "ms": 1e-3, "s": 1.0}[median["time_unit"]]
    glyphs = median["glyphs"]
    return median["real_time"] * units / glyphs, int(glyphs)


def main():
    here = os.path.dirname(os.path.abspath(__file__))
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--bench", default=os.path.join(here, "..", "..", "build", "bench",
                                                        "bench", "acquisition_bench"))
    parser.add_argument("--rounds", type=int, default=5)
    parser.add_argument("--repetitions", type=int, default=3)
    args = parser.parse_args()

    path = ipagothic_file()
    first, parsed, ours = [], [], []
    for _ in range(args.rounds):
        f, p, count = fonttools_round(path)
        first.append(f)
        parsed.append(p)
        o, our_count = acquisition_round(args.bench, args.repetitions)
        ours.append(o)
    if count != our_count:
        print(f"warning: fontTools took {count} glyphs, the benchmark {our_count}")

    first_us = statistics.median(first) * 1e6
    parsed_us = statistics.median(parsed) * 1e6
    ours_us = statistics.median(ours) * 1e6
    ratio = parsed_us / ours_us
    print(f"glyphs: {count} CJK ideographs of {os.path.basename(path)}, {args.rounds} rounds")
    print(f"fontTools first pass (parsing):  {first_us:8.2f} us per glyph")
    print(f"fontTools parsed pass:           {parsed_us:8.2f} us per glyph")
    print(f"FetchGlyphOutline:               {ours_us:8.3f} us per glyph")
    print(f"ratio fonttools_first/acquisition = {first_us / ours_us:.3g}")
    print(f"ratio fonttools_parsed/acquisition = {ratio:.3g} "
          f"(goal >= {GOAL:g}: {'met' if ratio >= GOAL else 'NOT met'})")


if __name__ == "__main__":
    main()
