#!/usr/bin/env python3
"""Checks on a `glouton --trace` file of one game window, for the stress tests.

    trace_check.py late TRACE MAX_MS [FROM_MS TO_MS] [--excuse START-END]...
        timer events due between FROM_MS and TO_MS (game clock; all without
        them): prints p50, p99 and max of `wall` - `t`; fails when one is over
        MAX_MS, unless its wait overlaps an excused span (a stall the test made).
    trace_check.py order TRACE
        `t` and `wall` never go back within a game window.
"""
import json
import sys


def events(path):
    with open(path) as f:
        return [json.loads(line) for line in f]


def late(path, limit, rest):
    excused = [tuple(int(x) for x in rest[i + 1].split("-")) for i in range(len(rest))
               if rest[i] == "--excuse"]
    bounds = [int(x) for x in rest if not x.startswith("--") and "-" not in x]
    lo, hi = bounds if bounds else (0, float("inf"))
    ticks = [e for e in events(path) if e["ev"].startswith("Timer") and lo <= e["t"] <= hi]
    if not ticks:
        sys.exit("no timer event in the span")
    held = lambda e: any(e["t"] <= end and e["wall"] >= start for start, end in excused)
    counted = sorted(e["wall"] - e["t"] for e in ticks if not held(e))
    over = [e for e in ticks if not held(e) and e["wall"] - e["t"] > limit]
    pick = lambda p: counted[min(len(counted) - 1, int(p / 100 * len(counted)))]
    print(f"timer events: {len(counted)} counted, {len(ticks) - len(counted)} held by the "
          f"test's stalls; late by p50 {pick(50)} ms, p99 {pick(99)} ms, max {counted[-1]} ms")
    if over:
        late_ones = ", ".join(f"{e['ev']} at {e['t']} ms by {e['wall'] - e['t']} ms" for e in over[:10])
        sys.exit(f"{len(over)} timer events over {limit} ms late: {late_ones}")


def order(path):
    last = None
    for n, e in enumerate(events(path), 1):
        if e["ev"] == "load":
            last = None
        if last and (e["t"] < last["t"] or e["wall"] < last["wall"]):
            sys.exit(f"line {n} goes back in time: {e['t']}/{e['wall']} after {last['t']}/{last['wall']}")
        last = e


if __name__ == "__main__":
    if sys.argv[1] == "late":
        late(sys.argv[2], int(sys.argv[3]), sys.argv[4:])
    elif sys.argv[1] == "order":
        order(sys.argv[2])
    else:
        sys.exit(__doc__)
