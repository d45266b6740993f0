#!/usr/bin/env python3
"""Start-up of Alambix against two references: a bare Qt window of the same size, and that window
showing one label. Each probe prints the time of its first paint and its peak memory.

The programs run in turns (bare, label, Alambix, bare, label, Alambix...), so that a busy machine
slows every program of a round alike; each round gives a ratio per pair, and the report is the
median of those ratios with their quartiles and extremes.

Usage: tools/bench-startup.py [--rounds N] [--extra NAME=PROBE ...] [BUILD_DIR]
Run it on a display (or under xvfb-run); the probes live in BUILD_DIR/bench. --extra adds another
probe to every round (for example a copy of an earlier build) and compares it the same way."""
import argparse
import statistics
import subprocess
import time


def probe(executable):
    start = time.monotonic()
    out = subprocess.run([executable], capture_output=True, text=True, check=True).stdout
    values = dict(line.split(" ", 1) for line in out.splitlines() if " " in line)
    return (float(values["painted"]) - start) * 1000.0, int(values["memory"])


def spread(values):
    q = statistics.quantiles(values, n=4)
    return f"{statistics.median(values):.3f}x (quartiles {q[0]:.3f}-{q[2]:.3f}, " \
           f"extremes {min(values):.3f}-{max(values):.3f})"


def main():
    parser = argparse.ArgumentParser(description=__doc__.split("\n\n")[0])
    parser.add_argument("build", nargs="?", default="build/release")
    parser.add_argument("--rounds", type=int, default=25)
    parser.add_argument("--extra", action="append", default=[], metavar="NAME=PROBE")
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


if __name__ == "__main__":
    main()
