#!/bin/bash
# The board's figures, on loopback with Debian's wrk, each bounded in count
# and time: how many 20-minute runs one core verifies a second (glouton-sim
# --replay --summary, which plays a replay as the board does, on core 0);
# submissions a second with p50 and p99, to a board on SQLite and to one on
# PostgreSQL (a server of its own, fsync on); board reads a second with p99;
# the board's resident memory after each load and at its peak.
# usage: bench/board_bench.sh [BUILD_DIR] [SECONDS] [RUNS] [CONNECTIONS]
# RUNS runs are made for SECONDS of submissions; more than the board takes in
# that time, or some are sent twice (answered 200, counted apart).
set -uo pipefail
BUILD=$(cd "${1:-build}" && pwd)
SECONDS_EACH=${2:-3}
RUNS=${3:-1200}
CONNECTIONS=${4:-4}
HERE=$(cd "$(dirname "$0")" && pwd)
. "$HERE/../tests/support/postgres.sh"
need_tools wrk python3 curl taskset
for program in glouton-board glouton-sim; do
  [ -x "$BUILD/$program" ] || { echo "no $BUILD/$program: build it first" >&2; exit 1; }
done
WORK=$(mktemp -d /tmp/glouton-bench-XXXXXX)
chmod 711 "$WORK"  # PostgreSQL's owner goes through it to its own folder
BOARD_PID=
cleanup() {
  [ -n "$BOARD_PID" ] && kill "$BOARD_PID" 2>/dev/null
  pg_stop "$WORK/pg" 2>/dev/null
  rm -rf "$WORK"
}
trap cleanup EXIT

# RUNS bots' 20-minute runs, each its own seed, as request bodies.
mkdir -p "$WORK/bodies" "$WORK/replays"
python3 - "$HERE/bot_keys.py" "$BUILD/glouton-sim" "$WORK" "$RUNS" <<'PY'
import json, subprocess, sys
bot, sim, work, runs = sys.argv[1], sys.argv[2], sys.argv[3], int(sys.argv[4])
for i in range(1, runs + 1):
    keys = subprocess.run([sys.executable, bot, "20", str(i)], check=True, capture_output=True).stdout
    replay = f"{work}/replays/{i}.replay"
    subprocess.run([sim, "--keys", "-", "--until", "1200000", "--record", replay, "--quiet"],
                   input=keys, check=True, stdout=subprocess.DEVNULL)
    with open(replay) as f, open(f"{work}/bodies/{i}.json", "w") as out:
        json.dump({"name": f"bot {i}", "replay": f.read()}, out)
PY
echo "runs: $RUNS bots' 20-minute runs, $(du -sk "$WORK/replays" | cut -f1) kB of replays"

# Verification on one core: the first 100 runs played again one after
# another, each timed; the median run says what a core does when the
# machine's other work leaves it alone.
python3 - "$BUILD/glouton-sim" "$WORK/replays" "$((RUNS < 100 ? RUNS : 100))" <<'PY'
import statistics, subprocess, sys, time
sim, replays, n = sys.argv[1], sys.argv[2], int(sys.argv[3])
times = []
for i in range(1, n + 1):
    start = time.perf_counter()
    subprocess.run(["taskset", "-c", "0", sim, "--replay", f"{replays}/{i}.replay", "--summary"],
                   check=True, stdout=subprocess.DEVNULL)
    times.append(time.perf_counter() - start)
median = statistics.median(times)
print(f"verification, one core: {n} runs, median {median * 1000:.1f} ms a run (process start-up"
      f" included), {1 / median:.0f} runs a second; {n / sum(times):.0f} a second over all {n}")
PY

resident() { awk '/^VmRSS|^VmHWM/ { printf "%s %s kB  ", $1, $2 }' "/proc/$BOARD_PID/status"; echo; }

# measure STORE URL: a fresh board on URL, RUNS submissions, then reads.
measure() {
  local port
  port=$(python3 -c 'import socket; s = socket.socket(); s.bind(("127.0.0.1", 0)); print(s.getsockname()[1])')
  "$BUILD/glouton-board" --port "$port" --db "$2" --rate 1000000 >"$WORK/board-$1.log" 2>&1 &
  BOARD_PID=$!
  for _ in $(seq 100); do
    curl -sf "http://127.0.0.1:$port/api/v1/board" >/dev/null && break
    sleep 0.1
  done
  echo "== $1: $2"
  echo "idle: $(resident)"
  echo "submissions ($SECONDS_EACH s, $CONNECTIONS connections):"
  wrk -t1 -c"$CONNECTIONS" -d"${SECONDS_EACH}s" --timeout 30s -s "$HERE/board_load.lua" \
    "http://127.0.0.1:$port/api/v1/runs" -- "$WORK/bodies" "$RUNS" | grep -E '^(status|answers)'
  echo "after the submissions: $(resident)"
  echo "board reads (period=all, limit=100; $SECONDS_EACH s, 16 connections):"
  wrk -t1 -c16 -d"${SECONDS_EACH}s" -s "$HERE/board_load.lua" \
    "http://127.0.0.1:$port/api/v1/board?period=all&limit=100" | grep -E '^(status|answers)'
  echo "after the reads: $(resident)"
  case $2 in
  postgresql:*)
    echo "stored: $("$PG_BIN/psql" "$2" -Atc "SELECT count(*) || ' runs, ' ||
      pg_size_pretty(pg_total_relation_size('runs')) || ' with indexes and TOAST' FROM runs")"
    ;;
  *) echo "stored: $(du -shc "${2#sqlite:}"* | tail -1 | cut -f1) in the SQLite files" ;;
  esac
  kill "$BOARD_PID"
  wait "$BOARD_PID" 2>/dev/null
  BOARD_PID=
}

measure sqlite "sqlite:$WORK/board.sqlite"
mkdir -p "$WORK/pg"
measure postgresql "$(pg_start "$WORK/pg")"
