#!/usr/bin/env python3
"""Start-up of Alambix against a bare Qt window of the same size: time from the process start to
the first painted window, and peak memory. Usage: tools/bench-startup.py BUILD_DIR [RUNS]
Run it on a display (or under xvfb-run); both probes live in BUILD_DIR/bench."""
import statistics
import subprocess
import sys
import time


def probe(executable):
    start = time.monotonic()
    out = subprocess.run([executable], capture_output=True, text=True, check=True).stdout
    values = dict(line.split(" ", 1) for line in out.splitlines() if " " in line)
    return (float(values["painted"]) - start) * 1000.0, int(values["memory"])


def main():
    build = sys.argv[1] if len(sys.argv) > 1 else "build/release"
    runs = int(sys.argv[2]) if len(sys.argv) > 2 else 15
    results = {}
    for name in ("bare", "bare-text", "alambix"):
        exe = f"{build}/bench/bench-startup-{name}"
        probe(exe)  # warm the file cache
        samples = [probe(exe) for _ in range(runs)]
        results[name] = (statistics.median(s[0] for s in samples),
                         statistics.median(s[1] for s in samples))
        print(f"{name:9s} first paint {results[name][0]:7.1f} ms   peak memory {results[name][1] / 1024:6.1f} MiB")
    print(f"ratio     time {results['alambix'][0] / results['bare'][0]:.2f}x   "
          f"memory {results['alambix'][1] / results['bare'][1]:.2f}x")


if __name__ == "__main__":
    main()
