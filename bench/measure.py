#!/usr/bin/env python3
"""Times shell commands the fair way for a busy machine: one warm-up run of each, then RUNS rounds in
which every command runs once, in turn, so that a slow moment weighs on all of them alike.
Usage: measure.py RUNS COMMAND [COMMAND ...]
Before each run, untimed, the disk is given what earlier runs left to write (sync), so that a command
that flushes its output (kelvane-sort does) does not wait behind another's (cat's) unwritten megabytes.
Prints one line per command: the best wall-clock seconds and the largest peak memory (KiB) of its runs.
A command that fails stops the measurement with its exit status."""
import os
import subprocess
import sys
import time


def run(command):
    os.sync()
    start = time.perf_counter()
    process = subprocess.Popen(["sh", "-c", command])
    _, status, usage = os.wait4(process.pid, 0)
    elapsed = time.perf_counter() - start
    process.returncode = os.waitstatus_to_exitcode(status)
    if process.returncode != 0:
        sys.exit(f"measure.py: exit status {process.returncode}: {command}")
    return elapsed, usage.ru_maxrss


def main():
    runs, commands = int(sys.argv[1]), sys.argv[2:]
    best = {c: float("inf") for c in commands}
    peak = {c: 0 for c in commands}
    for command in commands:
        run(command)
    for _ in range(runs):
        for command in commands:
            seconds, rss = run(command)
            best[command] = min(best[command], seconds)
            peak[command] = max(peak[command], rss)
    for command in commands:
        print(f"{best[command]:.3f} {peak[command]}")


main()
