"""A whole face as data beside fontTools: `moji-outline report --all --json` over every glyph of
Noto Sans CJK JP (65,535), beside fontTools drawing the same glyphs of the same file into a
RecordingPen and writing each, with its index and name, as one line of json.dumps. Both are
whole processes writing to /dev/null, alternating, medians of wall time (processes.py); goal:
fontTools ÷ ours ≥ 20.

Then whether memory stays flat: the same command on two faces cut from Noto Sans CJK JP with
fontTools' subsetter, its first 5,000 glyphs and its first 50,000 (10 x the glyphs), built once
beside the font set and kept while this script is unchanged; goal: peak resident memory of the
larger ÷ the smaller ≤ 1.10.

Both read the Noto Sans CJK JP of the font set FONTCONFIG_FILE names (bench_cjk, as bench/run.sh
builds it), never the machine's own fonts. Run with the python3 that has fontTools:
PYTHON fonttools_whole_face.py --moji BUILD/src/moji-outline [--rounds N]
"""

import argparse
import json
import os
import pathlib
import subprocess
import sys

from processes import median_runs

FACE = "Noto Sans CJK JP"
SMALL, LARGE = 5000, 50000


def noto_file():
    """The collection of Noto Sans CJK JP in the font set FONTCONFIG_FILE names, and the face's
    index in it."""
    if not os.environ.get("FONTCONFIG_FILE"):
        sys.exit("fonttools_whole_face: FONTCONFIG_FILE must name the font set bench_cjk")
    listing = subprocess.run(["fc-list", "-f", "%{file}\t%{index}\n", f"{FACE}:style=Regular"],
                             check=True, capture_output=True, text=True).stdout.split("\n")
    found = sorted(line.split("\t") for line in listing if line)
    if not found:
        sys.exit(f"fonttools_whole_face: {FACE} is not in the font set")
    return found[0][0], int(found[0][1])


def fonttools_side(path, index):
    """fontTools' side, in a process of its own: every glyph drawn and written as a line."""
    from fontTools.pens.recordingPen import RecordingPen
    from fontTools.ttLib import TTFont
    font = TTFont(path, fontNumber=index, lazy=True)
    glyphs = font.getGlyphSet()
    out = sys.stdout
    for number, name in enumerate(font.getGlyphOrder()):
        pen = RecordingPen()
        glyphs[name].draw(pen)
        out.write(json.dumps({"index": number, "name": name, "value": pen.value}) + "\n")


def cut_faces(path, index, folder):
    """The faces of the first SMALL and LARGE glyphs, built when missing or older than this
    script."""
    from fontTools import subset
    from fontTools.ttLib import TTFont
    folder.mkdir(parents=True, exist_ok=True)
    faces = {}
    for count in (SMALL, LARGE):
        out = folder / f"NotoCut{count}.otf"
        if not out.exists() or out.stat().st_mtime < pathlib.Path(__file__).stat().st_mtime:
            font = TTFont(path, fontNumber=index)
            options = subset.Options()
            options.layout_features = []
            options.notdef_outline = True
            options.name_IDs = ["*"]
            subsetter = subset.Subsetter(options)
            subsetter.populate(gids=range(count))
            subsetter.subset(font)
            font.save(str(out))
        faces[count] = str(out)
    return faces


def failed(argv, status):
    return f"fonttools_whole_face: {' '.join(argv)} exited with {status}"


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--moji", required=True)
    parser.add_argument("--rounds", type=int, default=3)
    parser.add_argument("--fonttools-side", nargs=2, metavar=("FILE", "INDEX"))
    parser.add_argument("--cut-faces", nargs=3, metavar=("FILE", "INDEX", "FOLDER"))
    args = parser.parse_args()
    if args.fonttools_side:
        return fonttools_side(args.fonttools_side[0], int(args.fonttools_side[1]))
    if args.cut_faces:
        file, face_index, folder = args.cut_faces
        return cut_faces(file, int(face_index), pathlib.Path(folder))
    path, index = noto_file()
    env = dict(os.environ)
    moji = os.path.abspath(args.moji)
    programs = {"moji": [moji, "report", "--all", "--json", "--face", FACE],
                "fonttools": [sys.executable, os.path.abspath(__file__), "--moji", moji,
                              "--fonttools-side", path, str(index)]}
    times, peaks = median_runs(programs, env, args.rounds, failed)
    print(f"glyphs: 65,535 of {FACE} ({path}, face {index}), {args.rounds} rounds, medians")
    print(f"report --all --json: {times['moji']:.2f} s, peak {peaks['moji'] / 1024:.1f} MiB")
    print(f"fontTools, RecordingPen and json.dumps: {times['fonttools']:.2f} s, "
          f"peak {peaks['fonttools'] / 1024:.1f} MiB")
    ratio = times["fonttools"] / times["moji"]
    print(f"ratio fonttools/report_all = {ratio:.3g} (goal: at least 20: {'met' if ratio >= 20 else 'NOT met'})")

    # The faces are cut in a process of its own: a child's peak memory counts what its parent
    # held when it was spawned (Linux carries it over exec), and fontTools' subsetter holds
    # hundreds of megabytes.
    folder = pathlib.Path(os.environ["FONTCONFIG_FILE"]).parent.parent / "whole_face_cuts"
    subprocess.run([sys.executable, os.path.abspath(__file__), "--moji", moji, "--cut-faces", path, str(index),
                    str(folder)], check=True)
    faces = {count: str(folder / f"NotoCut{count}.otf") for count in (SMALL, LARGE)}
    cuts = {count: [moji, "report", "--all", "--json", "--font-file", file] for count, file in faces.items()}
    cut_times, cut_peaks = median_runs(cuts, env, args.rounds, failed)
    for count in (SMALL, LARGE):
        print(f"{count} glyphs: {cut_times[count]:.2f} s, peak {cut_peaks[count] / 1024:.1f} MiB")
    memory = cut_peaks[LARGE] / cut_peaks[SMALL]
    print(f"ratio peak_memory_{LARGE}/{SMALL}_glyphs = {memory:.3g} "
          f"(goal: at most 1.10: {'met' if memory <= 1.10 else 'NOT met'})")


if __name__ == "__main__":
    main()
