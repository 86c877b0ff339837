#!/usr/bin/env python3
"""Simulation speed: how long glouton-sim --quiet takes for one simulated hour
of a bot game (median of several runs), and, with valgrind, the instructions
it spends per handled event, a figure that does not move with the machine's load."""
import os
import statistics
import subprocess
import sys
import tempfile
import time

def main():
    build = sys.argv[1] if len(sys.argv) > 1 else "build"
    sim = os.path.join(build, "glouton-sim")
    here = os.path.dirname(os.path.abspath(__file__))
    keys = subprocess.run([sys.executable, os.path.join(here, "bot_keys.py"), "60"],
                          check=True, capture_output=True, text=True).stdout
    with tempfile.TemporaryDirectory() as tmp:
        script = os.path.join(tmp, "hour.txt")
        with open(script, "w") as f:
            f.write(keys)
        args = [sim, "--keys", script, "--until", "3600000", "--quiet"]
        times = []
        for _ in range(9):
            start = time.perf_counter()
            subprocess.run(args, check=True, stdout=subprocess.DEVNULL)
            times.append((time.perf_counter() - start) * 1000)
        median = statistics.median(times)
        speedup = 3_600_000 / median
        print(f"simulated hour, glouton-sim --quiet: median {median:.1f} ms of 9 runs "
              f"({speedup:,.0f}x real time)  target: under 36 ms (100,000x)")

        events = subprocess.run([sim, "--keys", script, "--until", "3600000"], check=True,
                                capture_output=True, text=True).stdout.count("\n")
        out = os.path.join(tmp, "callgrind.out")
        try:
            run = subprocess.run(["valgrind", "--tool=callgrind", f"--callgrind-out-file={out}"] + args,
                                 capture_output=True, text=True)
        except FileNotFoundError:
            print("instructions per event: valgrind is not installed")
            return
        total = None
        for line in run.stderr.splitlines():
            if "Collected :" in line:
                total = int(line.split(":")[-1].strip())
        if total is None:
            print("instructions per event: valgrind gave no count")
            return
        print(f"instructions per event (callgrind, whole process incl. start-up): "
              f"{total / events:,.0f} over {events:,} events ({total:,} in all)")

if __name__ == "__main__":
    main()
