"""Start-up to the first painted frame: the program's window beside a bare Qt window.

window_first_frame starts the window as moji-outline does (the window, its start-up handler
with the font walk and the request for "龍") and exits once the first frame with the character
is painted; bare_window is a Qt Widgets window of the same size with five controls that exits
at its first painted frame. Both run offscreen, alternately, as separate processes; the wall
time from spawning a process to its exit and its peak resident memory are taken from each, and
the ratios of the medians are printed. `moji-outline --screenshot` (start-up, one grab of the
window and a PNG file) is timed beside them for reference.

The fonts are those of the font set FONTCONFIG_FILE names (bench/run.sh exports the bench
set, so the figures do not depend on what the machine has installed). With --machine-fonts the
comparison runs on the machine's own fonts instead (FONTCONFIG_FILE dropped) and its ratios are
labelled startup_machine_fonts and peak_memory_machine_fonts, printed for information: they
depend on how many fonts the machine has (the face list describes every installed family at
start-up).

Run with the python3 that CMake chose (Python3_EXECUTABLE in build/bench/CMakeCache.txt), as
bench/run.sh does:
PYTHON startup_vs_bare_qt.py --bin BUILD/bench [--moji BUILD/src/moji-outline] [--machine-fonts]
"""

import argparse
import os
import statistics
import sys
import tempfile
import time

TIME_GOAL = 2.0
MEMORY_GOAL = 1.5


def run_once(argv, env):
    """Wall seconds from spawn to exit, and peak resident memory in KiB, of one process."""
    devnull = os.open(os.devnull, os.O_WRONLY)
    actions = [(os.POSIX_SPAWN_DUP2, devnull, 1), (os.POSIX_SPAWN_DUP2, devnull, 2)]
    start = time.perf_counter()
    pid = os.posix_spawn(argv[0], argv, env, file_actions=actions)
    _, status, usage = os.wait4(pid, 0)
    elapsed = time.perf_counter() - start
    os.close(devnull)
    if os.waitstatus_to_exitcode(status) != 0:
        sys.exit(f"startup_vs_bare_qt: {argv[0]} failed ({status})")
    return elapsed, usage.ru_maxrss


def main():
    here = os.path.dirname(os.path.abspath(__file__))
    build = os.path.join(here, "..", "..", "build", "bench")
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--bin", default=os.path.join(build, "bench"),
                        help="folder with window_first_frame and bare_window")
    parser.add_argument("--moji", default=os.path.join(build, "src", "moji-outline"))
    parser.add_argument("--runs", type=int, default=10)
    parser.add_argument("--machine-fonts", action="store_true",
                        help="run on the machine's own fonts (information, no goal)")
    args = parser.parse_args()

    runtime = tempfile.mkdtemp(prefix="moji-bench-")
    os.chmod(runtime, 0o700)
    env = dict(os.environ, QT_QPA_PLATFORM="offscreen", XDG_RUNTIME_DIR=runtime)
    if args.machine_fonts:
        env.pop("FONTCONFIG_FILE", None)
        fonts = "the machine's own fonts"
    elif "FONTCONFIG_FILE" in env:
        fonts = f"the font set {env['FONTCONFIG_FILE']}"
    else:
        sys.exit("startup_vs_bare_qt: FONTCONFIG_FILE must name the bench font set "
                 "(bench/run.sh builds and exports it); --machine-fonts for the machine's own")
    ours = [os.path.join(args.bin, "window_first_frame")]
    bare = [os.path.join(args.bin, "bare_window")]
    shot = os.path.join(runtime, "window.png")
    screenshot = [args.moji, "--screenshot", shot] if os.path.exists(args.moji) else None

    programs = {"window": ours, "bare": bare}
    if screenshot:
        programs["screenshot"] = screenshot
    for argv in programs.values():  # one unmeasured run each: caches and page cache
        run_once(argv, env)
    times = {name: [] for name in programs}
    memory = {name: [] for name in programs}
    for i in range(args.runs):
        order = list(programs) if i % 2 == 0 else list(reversed(programs))
        for name in order:
            elapsed, peak = run_once(programs[name], env)
            times[name].append(elapsed)
            memory[name].append(peak)

    median = {name: statistics.median(values) for name, values in times.items()}
    peak = {name: statistics.median(values) for name, values in memory.items()}
    print(f"{args.runs} processes each, offscreen, medians, on {fonts}")
    print(f"window, start to first frame with 龍: {median['window'] * 1e3:7.1f} ms, "
          f"peak RSS {peak['window'] / 1024:6.1f} MiB")
    print(f"bare Qt window, start to first frame: {median['bare'] * 1e3:7.1f} ms, "
          f"peak RSS {peak['bare'] / 1024:6.1f} MiB")
    if screenshot:
        print(f"moji-outline --screenshot (start-up + grab + PNG): "
              f"{median['screenshot'] * 1e3:7.1f} ms, "
              f"peak RSS {peak['screenshot'] / 1024:6.1f} MiB")
    time_ratio = median["window"] / median["bare"]
    memory_ratio = peak["window"] / peak["bare"]
    if args.machine_fonts:
        print(f"ratio startup_machine_fonts/bare_qt = {time_ratio:.3g} "
              f"(the machine's own fonts; information)")
        print(f"ratio peak_memory_machine_fonts/bare_qt = {memory_ratio:.3g} "
              f"(the machine's own fonts; information)")
    else:
        print(f"ratio startup/bare_qt = {time_ratio:.3g} "
              f"(goal <= {TIME_GOAL:g}: {'met' if time_ratio <= TIME_GOAL else 'NOT met'})")
        print(f"ratio peak_memory/bare_qt = {memory_ratio:.3g} "
              f"(goal <= {MEMORY_GOAL:g}: {'met' if memory_ratio <= MEMORY_GOAL else 'NOT met'})")
    if os.path.exists(shot):
        os.remove(shot)
    os.rmdir(runtime)


if __name__ == "__main__":
    main()
