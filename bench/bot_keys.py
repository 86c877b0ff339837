#!/usr/bin/env python3
"""Writes a key script for glouton-sim: a seeded player who presses an arrow
(now and then space or a letter) every 0.2 to 1.5 seconds."""
import random
import sys

def main():
    minutes = int(sys.argv[1]) if len(sys.argv) > 1 else 60
    seed = int(sys.argv[2]) if len(sys.argv) > 2 else 7
    rng = random.Random(seed)
    t = 100
    end = minutes * 60_000
    out = ["# bot: %d simulated minutes, seed %d" % (minutes, seed)]
    while t < end:
        key = rng.choices(["left", "up", "right", "down", "space", "65"], [6, 6, 6, 6, 1, 1])[0]
        out.append("%d %s" % (t, key))
        t += rng.randint(200, 1500)
    sys.stdout.write("\n".join(out) + "\n")

if __name__ == "__main__":
    main()
