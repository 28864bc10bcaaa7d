"""Rendering pathological glyphs with the command line, beside rendering "龍".

Whole `moji-outline render` processes (start, font lookup, fetch, placement, drawing, PNG file)
of "A" in the bench font set's two pathological faces, each beside `render 龍 --face IPAGothic`
with the same pen:

  "Moji Bench Far"   "A": 4,000 points landing far outside the 200 x 200 drawing area
  "Moji Bench Many"  "A": 32,000 points inside it

at pens 2 (the window's initial thickness) and 5 (the thickest). The processes alternate, in
an order that turns round every round, after one unmeasured run of each; the ratio of the
medians of wall time is printed per face and pen, with the goal "each under 20". Peak resident
memory is printed beside it for information.

The faces must be in the font set FONTCONFIG_FILE names (bench/fonts/make_bench_fonts.py builds
it; bench/run.sh exports it): a face that is missing would be replaced by a substitute and the
wrong glyph measured, so the script stops instead.

Run with the python3 that CMake chose (Python3_EXECUTABLE in build/bench/CMakeCache.txt), as
bench/run.sh does: PYTHON pathological_render.py [--moji BUILD/src/moji-outline]
"""

import argparse
import os
import subprocess
import sys
import tempfile

sys.dont_write_bytecode = True  # no byte-code cache beside the scripts
from processes import median_runs  # noqa: E402

GOAL = 20.0
PENS = (2, 5)
# Label, character, face.
REFERENCE = ("ryu", "龍", "IPAGothic")
PATHOLOGICAL = (("far", "A", "Moji Bench Far"), ("many", "A", "Moji Bench Many"))


def failed(argv, status):
    """What the script stops with when a measured process fails."""
    return f"pathological_render: {' '.join(argv)} failed ({status})"


def check_faces(moji, env):
    """Stops unless every face measured is in the font set."""
    listing = subprocess.run([moji, "faces"], env=env, check=True, capture_output=True,
                             text=True).stdout.splitlines()
    # IPAGothic is listed under its Japanese name.
    wanted = {face for _, _, face in PATHOLOGICAL} | {"IPAゴシック"}
    missing = sorted(wanted - set(listing))
    if missing:
        sys.exit(f"pathological_render: not in the font set {env.get('FONTCONFIG_FILE', '')}: "
                 f"{', '.join(missing)} (build it with bench/fonts/make_bench_fonts.py)")


def main():
    here = os.path.dirname(os.path.abspath(__file__))
    build = os.path.join(here, "..", "..", "build", "bench")
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--moji", default=os.path.join(build, "src", "moji-outline"))
    parser.add_argument("--runs", type=int, default=11)
    args = parser.parse_args()

    if "FONTCONFIG_FILE" not in os.environ:
        sys.exit("pathological_render: FONTCONFIG_FILE must name the bench font set "
                 "(bench/run.sh builds and exports it)")
    out = tempfile.mkdtemp(prefix="moji-bench-")
    env = dict(os.environ, QT_QPA_PLATFORM="offscreen")
    check_faces(args.moji, env)

    programs = {}
    for pen in PENS:
        for label, character, face in (REFERENCE,) + PATHOLOGICAL:
            png = os.path.join(out, f"{label}-{pen}.png")
            programs[(label, pen)] = [args.moji, "render", character, "--face", face,
                                      "--thickness", str(pen), "-o", png]
    median, peak = median_runs(programs, env, args.runs, failed)
    print(f"{args.runs} processes each, medians")
    for pen in PENS:
        for label, character, face in (REFERENCE,) + PATHOLOGICAL:
            key = (label, pen)
            print(f"render {character} --face {face!r} --thickness {pen}: "
                  f"{median[key] * 1e3:7.1f} ms, peak RSS {peak[key] / 1024:6.1f} MiB")
    for label, _, _ in PATHOLOGICAL:
        for pen in PENS:
            ratio = median[(label, pen)] / median[(REFERENCE[0], pen)]
            print(f"ratio pathological_{label}/ryu = {ratio:.3g} "
                  f"(pen {pen}; goal < {GOAL:g}: {'met' if ratio < GOAL else 'NOT met'})")
    for label, _, _ in PATHOLOGICAL:
        for pen in PENS:
            ratio = peak[(label, pen)] / peak[(REFERENCE[0], pen)]
            print(f"ratio pathological_{label}_memory/ryu = {ratio:.3g} "
                  f"(pen {pen}; peak RSS; information)")
    for name in os.listdir(out):
        os.remove(os.path.join(out, name))
    os.rmdir(out)


if __name__ == "__main__":
    main()
