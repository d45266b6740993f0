#!/usr/bin/env python3
"""Start-up of Alambix against two references: a bare Qt window of the same size, and that window
showing one label. Each probe prints the time of its first paint and its peak memory.

The programs run in turns (bare, label, Alambix, bare, label, Alambix...), so that a busy machine
slows every program of a round alike; each round gives a ratio per pair, and the report is the
median of those ratios with their quartiles and extremes.

Usage: tools/bench-startup.py [--rounds N] [--extra NAME=PROBE ...] [--instructions] [BUILD_DIR]
Run it on a display (or under xvfb-run); the probes live in BUILD_DIR/bench. --extra adds another
probe to every round (for example a copy of an earlier build) and compares it the same way.

--instructions also runs each probe once under valgrind's callgrind and prints the instructions
of the run (which ends right after the first paint), on its main thread and on all its threads.
The counts repeat from run to run whatever the machine is doing: they show changes a few per cent
wide, which the times of a shared machine hide. The main thread's count is the start's critical
path only where the second core is free for the font configuration thread."""
import argparse
import glob
import os
import shutil
import statistics
import subprocess
import tempfile
import time


def probe(executable):
    start = time.monotonic()
    out = subprocess.run([executable], capture_output=True, text=True, check=True).stdout
    values = dict(line.split(" ", 1) for line in out.splitlines() if " " in line)
    return (float(values["painted"]) - start) * 1000.0, int(values["memory"])


def instructions(executable, folder):
    """(main thread, all threads) instructions of one run of the probe under callgrind."""
    out = os.path.join(folder, os.path.basename(executable) + ".%p")
    process = subprocess.Popen(["valgrind", "--tool=callgrind", "--separate-threads=yes",
                                f"--callgrind-out-file={out}", executable],
                               stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    if process.wait() != 0:
        raise RuntimeError(f"{executable} failed under valgrind")
    counts = {}
    # One file per thread of the probe itself ("-01" is its main thread); files of processes it
    # forked carry their own process numbers and are left out.
    for path in glob.glob(out.replace("%p", str(process.pid)) + "-*"):
        with open(path) as data:
            for line in data:
                if line.startswith("summary:"):
                    counts[path.rsplit("-", 1)[1]] = int(line.split()[1])
                    break
    if "01" not in counts:
        raise RuntimeError(f"callgrind wrote no count for {executable}")
    return counts["01"], sum(counts.values())


def report_instructions(programs):
    if not shutil.which("valgrind"):
        print("instructions: valgrind is not installed (apt-get install valgrind)")
        return
    with tempfile.TemporaryDirectory() as folder:
        counts = {name: instructions(exe, folder) for name, exe in programs.items()}
    for name, (main, total) in counts.items():
        print(f"{name:10s} instructions: main thread {main / 1e6:7.2f} M, "
              f"all threads {total / 1e6:7.2f} M")
    for name, (main, total) in counts.items():
        if name in ("bare", "bare-text"):
            continue
        for reference in ("bare", "bare-text"):
            print(f"{name} / {reference}: instructions, main thread "
                  f"{main / counts[reference][0]:.3f}x, all threads "
                  f"{total / counts[reference][1]:.3f}x")


def spread(values):
    q = statistics.quantiles(values, n=4)
    return f"{statistics.median(values):.3f}x (quartiles {q[0]:.3f}-{q[2]:.3f}, " \
           f"extremes {min(values):.3f}-{max(values):.3f})"


def main():
    parser = argparse.ArgumentParser(description=__doc__.split("\n\n")[0])
    parser.add_argument("build", nargs="?", default="build/release")
    parser.add_argument("--rounds", type=int, default=25)
    parser.add_argument("--extra", action="append", default=[], metavar="NAME=PROBE")
    parser.add_argument("--instructions", action="store_true")
    args = parser.parse_args()
    if args.rounds < 2:
        parser.error("at least two rounds")
    programs = {name: f"{args.build}/bench/bench-startup-{name}"
                for name in ("bare", "bare-text", "alambix")}
    programs.update(extra.split("=", 1) for extra in args.extra)
    for exe in programs.values():
        probe(exe)  # warm the file cache
    samples = {name: [] for name in programs}
    for _ in range(args.rounds):
        for name, exe in programs.items():
            samples[name].append(probe(exe))

    for name, values in samples.items():
        print(f"{name:10s} first paint {statistics.median(v[0] for v in values):7.1f} ms   "
              f"peak memory {statistics.median(v[1] for v in values) / 1024:6.1f} MiB")
    for name in programs:
        if name in ("bare", "bare-text"):
            continue
        for reference in ("bare", "bare-text"):
            ratios = [a[0] / b[0] for a, b in zip(samples[name], samples[reference])]
            print(f"{name} / {reference}: time {spread(ratios)}")
        memory = [a[1] / b[1] for a, b in zip(samples[name], samples["bare"])]
        print(f"{name} / bare: peak memory {spread(memory)}")
    print(f"{args.rounds} rounds in turns")
    if args.instructions:
        report_instructions(programs)


if __name__ == "__main__":
    main()
