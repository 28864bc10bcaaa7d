"""Start-up to the first painted frame: the program's window beside a bare Qt window.

window_first_frame starts the window as moji-outline does (Qt's Japanese texts, the window, its
start-up handler with the face list and the request for "龍") and exits once the first frame
with the character is painted; bare_window is a Qt Widgets main window with the same size,
controls, menus, status bar and Japanese texts (the report of "龍" in its text box and its
status line, which `moji-outline report 龍 [--info]` prints here on the same fonts) that exits
at its first painted frame, so both pay Qt's own font database and font fallback. Both run
offscreen, alternately, as separate processes; the wall time from spawning a process to its exit
and its peak resident memory are taken from each, and the ratios of the medians are printed.
`moji-outline --screenshot` (start-up, one grab of the window and a PNG file) is timed beside
them for reference.

The fonts are those of the font set FONTCONFIG_FILE names, and --fonts says which it is:
  bench            the bench set (bench/run.sh exports it): ratios startup and peak_memory
  2000_families    the set of bench/fonts/make_many_families.py, the standard fonts and 2,000
                   more families: ratios startup_2000_families and peak_memory_2000_families
  machine_fonts    the machine's own fonts (FONTCONFIG_FILE dropped): ratios
                   startup_machine_fonts and peak_memory_machine_fonts; they depend on what the
                   machine has installed
Each has its goals (GOALS below); a missed goal is printed, the script does not fail for it.

Run with the python3 that CMake chose (Python3_EXECUTABLE in build/bench/CMakeCache.txt), as
bench/run.sh does:
PYTHON startup_vs_bare_qt.py --bin BUILD/bench [--moji BUILD/src/moji-outline]
       [--fonts bench|2000_families|machine_fonts]
"""

import argparse
import os
import subprocess
import sys
import tempfile

sys.dont_write_bytecode = True  # no byte-code cache beside the scripts
from processes import median_runs  # noqa: E402

# The most each ratio should be, by font set: (start-up, peak memory); None: information.
GOALS = {
    "bench": (2.0, 1.5),
    "2000_families": (1.3, 1.3),
    "machine_fonts": (1.5, None),
}
# How each set's ratios are labelled: "startup<suffix>/bare_qt", "peak_memory<suffix>/bare_qt".
SUFFIX = {"bench": "", "2000_families": "_2000_families", "machine_fonts": "_machine_fonts"}


def failed(argv, status):
    """What the script stops with when a measured process fails."""
    return f"startup_vs_bare_qt: {argv[0]} failed ({status})"


def verdict(ratio, goal, note):
    if goal is None:
        return f"({note}information)"
    return f"({note}goal <= {goal:g}: {'met' if ratio <= goal else 'NOT met'})"


def main():
    here = os.path.dirname(os.path.abspath(__file__))
    build = os.path.join(here, "..", "..", "build", "bench")
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--bin", default=os.path.join(build, "bench"),
                        help="folder with window_first_frame and bare_window")
    parser.add_argument("--moji", default=os.path.join(build, "src", "moji-outline"),
                        help="the program, for the texts the bare window shows")
    parser.add_argument("--runs", type=int, default=10)
    parser.add_argument("--fonts", choices=list(GOALS), default="bench",
                        help="which font set FONTCONFIG_FILE names (machine_fonts: none)")
    parser.add_argument("--machine-fonts", action="store_const", const="machine_fonts",
                        dest="fonts", help="the same as --fonts machine_fonts")
    args = parser.parse_args()

    runtime = tempfile.mkdtemp(prefix="moji-bench-")
    os.chmod(runtime, 0o700)
    env = dict(os.environ, QT_QPA_PLATFORM="offscreen", XDG_RUNTIME_DIR=runtime)
    if args.fonts == "machine_fonts":
        env.pop("FONTCONFIG_FILE", None)
        fonts = "the machine's own fonts"
    elif "FONTCONFIG_FILE" in env:
        fonts = f"the font set {env['FONTCONFIG_FILE']}"
    else:
        sys.exit("startup_vs_bare_qt: FONTCONFIG_FILE must name the font set (bench/run.sh "
                 "builds and exports it); --fonts machine_fonts for the machine's own")
    families = subprocess.run(["fc-list", ":", "family"], capture_output=True, text=True,
                              env=env).stdout.splitlines()
    fonts += f" ({len(set(families))} families as fc-list lists them)"

    # The bare window shows the same report of "龍" and the same status line as the program's
    # window, taken on the same fonts from the command line.
    report = os.path.join(runtime, "report.txt")
    status = os.path.join(runtime, "status.txt")
    for path, extra in ((report, []), (status, ["--info"])):
        with open(path, "wb") as out:
            subprocess.run([args.moji, "report", "龍", *extra], stdout=out, env=env, check=True)
    ours = [os.path.join(args.bin, "window_first_frame")]
    bare = [os.path.join(args.bin, "bare_window"), "--report", report, "--status", status]
    shot = os.path.join(runtime, "window.png")
    screenshot = [args.moji, "--screenshot", shot]

    programs = {"window": ours, "bare": bare, "screenshot": screenshot}
    median, peak = median_runs(programs, env, args.runs, failed)
    print(f"{args.runs} processes each, offscreen, medians, on {fonts}")
    print(f"window, start to first frame with 龍: {median['window'] * 1e3:7.1f} ms, "
          f"peak RSS {peak['window'] / 1024:6.1f} MiB")
    print(f"bare Qt window, start to first frame: {median['bare'] * 1e3:7.1f} ms, "
          f"peak RSS {peak['bare'] / 1024:6.1f} MiB")
    print(f"moji-outline --screenshot (start-up + grab + PNG): "
          f"{median['screenshot'] * 1e3:7.1f} ms, peak RSS {peak['screenshot'] / 1024:6.1f} MiB")
    time_ratio = median["window"] / median["bare"]
    memory_ratio = peak["window"] / peak["bare"]
    time_goal, memory_goal = GOALS[args.fonts]
    suffix = SUFFIX[args.fonts]
    note = "the machine's own fonts; " if args.fonts == "machine_fonts" else ""
    print(f"ratio startup{suffix}/bare_qt = {time_ratio:.3g} "
          f"{verdict(time_ratio, time_goal, note)}")
    print(f"ratio peak_memory{suffix}/bare_qt = {memory_ratio:.3g} "
          f"{verdict(memory_ratio, memory_goal, note)}")
    for leftover in (shot, report, status):
        if os.path.exists(leftover):
            os.remove(leftover)
    os.rmdir(runtime)


if __name__ == "__main__":
    main()
