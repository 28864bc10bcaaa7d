"""Outline acquisition beside fontTools, over every CJK ideograph of IPAGothic.

fontTools decomposes the glyphs into a RecordingPen twice: the first pass parses them, the
second (parsed) pass draws what is already parsed. Our side is acquisition_bench's
BM_Acquisition (FetchGlyphOutline over the same code points). The rounds alternate between the
two in this one process, and the ratio is taken from the medians.

Both sides read the same file: IPAGothic of the font set FONTCONFIG_FILE names (the bench set
that bench/fonts/make_bench_fonts.py builds and bench/run.sh exports), never the machine's own
fonts.

Run with the python3 that CMake chose because it can import fontTools (Python3_EXECUTABLE in
build/bench/CMakeCache.txt), as bench/run.sh does:
PYTHON fonttools_vs_acquisition.py --bench BUILD/bench/acquisition_bench
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


def ipagothic_file():
    """The font file of the family IPAGothic in the font set FONTCONFIG_FILE names, as its
    fontconfig lists it: the file the benchmark's font engine opens too."""
    config = os.environ.get("FONTCONFIG_FILE")
    if not config:
        sys.exit("fonttools_vs_acquisition: FONTCONFIG_FILE must name the bench font set "
                 "(bench/run.sh builds and exports it)")
    files = subprocess.run(["fc-list", "-f", "%{file}\n", "IPAGothic:style=Regular"],
                           check=True, capture_output=True, text=True).stdout.split()
    if not files:
        sys.exit(f"fonttools_vs_acquisition: IPAGothic is not in the font set {config}")
    return sorted(files)[0]


def ideograph_glyphs(font):
    """Glyph names of the ideographs in the font's character map, in the benchmark's order."""
    cmap = font.getBestCmap()
    return [cmap[c] for low, high in IDEOGRAPH_RANGES for c in range(low, high + 1) if c in cmap]


def decompose_all(glyph_set, names):
    """Wall and CPU seconds to draw every glyph into its own RecordingPen, components
    decomposed."""
    start, start_cpu = time.perf_counter(), time.process_time()
    for name in names:
        pen = RecordingPen()
        glyph_set[name].draw(pen)
    return time.perf_counter() - start, time.process_time() - start_cpu


def fonttools_round(path):
    """Wall and CPU seconds per glyph of the first (parsing) and the second (parsed) pass over a
    fresh font, and the glyph count."""
    font = TTFont(path)
    names = ideograph_glyphs(font)
    glyph_set = font.getGlyphSet()
    first = decompose_all(glyph_set, names)
    parsed = decompose_all(glyph_set, names)
    font.close()
    count = len(names)
    return [t / count for t in first], [t / count for t in parsed], count


def acquisition_round(bench, repetitions):
    """Wall and CPU seconds per glyph of BM_Acquisition (medians of its repetitions) and its
    glyph count."""
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
    return ([median["real_time"] * units / glyphs, median["cpu_time"] * units / glyphs],
            int(glyphs))


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

    def medians(rounds):
        """Medians of wall and of CPU time, in microseconds."""
        return [statistics.median(r[k] for r in rounds) * 1e6 for k in (0, 1)]

    first_us, first_cpu = medians(first)
    parsed_us, parsed_cpu = medians(parsed)
    ours_us, ours_cpu = medians(ours)
    ratio = parsed_us / ours_us
    print(f"glyphs: {count} CJK ideographs of {path}, {args.rounds} rounds; wall (CPU) time")
    print(f"fontTools first pass (parsing):  {first_us:8.2f} us per glyph ({first_cpu:.2f})")
    print(f"fontTools parsed pass:           {parsed_us:8.2f} us per glyph ({parsed_cpu:.2f})")
    print(f"FetchGlyphOutline:               {ours_us:8.3f} us per glyph ({ours_cpu:.3f})")
    print(f"ratio fonttools_first/acquisition = {first_us / ours_us:.3g} "
          f"(cpu {first_cpu / ours_cpu:.3g})")
    print(f"ratio fonttools_parsed/acquisition = {ratio:.3g} (cpu {parsed_cpu / ours_cpu:.3g}; "
          "information)")


if __name__ == "__main__":
    main()
