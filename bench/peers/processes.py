"""Whole processes timed beside each other, for the peer scripts that compare programs by their
wall time from spawn to exit and their peak resident memory (pathological_render.py,
startup_vs_bare_qt.py).

Every program runs once unmeasured (caches and page cache), then all of them alternate for the
given number of rounds, in an order that turns round every round; the medians of each are
returned.

A child's peak resident memory includes what this process held when it spawned the child (Linux
carries the high-water mark over exec): the script that measures must stay small, and run heavy
work (fontTools above all) in processes of its own.
"""

import os
import statistics
import sys
import time


def run_once(argv, env, failed):
    """Wall seconds from spawn to exit, and peak resident memory in KiB, of one process.

    Output and errors are dropped. A process that exits with another status than 0 ends the
    script with the message failed(argv, status)."""
    devnull = os.open(os.devnull, os.O_WRONLY)
    actions = [(os.POSIX_SPAWN_DUP2, devnull, 1), (os.POSIX_SPAWN_DUP2, devnull, 2)]
    start = time.perf_counter()
    pid = os.posix_spawn(argv[0], argv, env, file_actions=actions)
    _, status, usage = os.wait4(pid, 0)
    elapsed = time.perf_counter() - start
    os.close(devnull)
    if os.waitstatus_to_exitcode(status) != 0:
        sys.exit(failed(argv, status))
    return elapsed, usage.ru_maxrss


def median_runs(programs, env, runs, failed):
    """The median wall seconds and the median peak resident memory in KiB of each program.

    programs maps a key to the argv of its process; both results are dicts by the same keys.
    failed(argv, status) is the message a failing process ends the script with."""
    for argv in programs.values():  # one unmeasured run each: caches and page cache
        run_once(argv, env, failed)
    times = {key: [] for key in programs}
    memory = {key: [] for key in programs}
    for i in range(runs):
        order = list(programs) if i % 2 == 0 else list(reversed(programs))
        for key in order:
            elapsed, peak = run_once(programs[key], env, failed)
            times[key].append(elapsed)
            memory[key].append(peak)
    median = {key: statistics.median(values) for key, values in times.items()}
    peak = {key: statistics.median(values) for key, values in memory.items()}
    return median, peak
