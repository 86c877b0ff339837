# Shared by the board's process tests: boards on free ports of loopback over
# a PostgreSQL of the test's own, short runs of glouton-sim sent with curl.
# Sourced with the build folder as $1.
BUILD=$(cd "${1:?usage: TEST.sh BUILD_DIR}" && pwd)
. "$(dirname "${BASH_SOURCE[0]}")/../support/postgres.sh"
need_tools curl python3
WORK=$(mktemp -d /tmp/glouton-board-XXXXXX)
chmod 711 "$WORK" # PostgreSQL's owner goes through it to its own folder
mkdir "$WORK/pg"
PG_URL=$(pg_start "$WORK/pg") || { echo "FAIL: PostgreSQL did not start" >&2; exit 1; }
BOARD_PIDS=()
trap 'kill "${BOARD_PIDS[@]}" 2>/dev/null; pg_stop "$WORK/pg"; rm -rf "$WORK"' EXIT

fail() {
  echo "FAIL: $*" >&2
  tail -n 5 "$WORK"/board-*.log >&2
  exit 1
}

# start_board: one more board process on PostgreSQL; sets PORT, not waiting.
start_board() {
  PORT=$(python3 -c 'import socket; s = socket.socket(); s.bind(("127.0.0.1", 0)); print(s.getsockname()[1])')
  "$BUILD/glouton-board" --port "$PORT" --db "$PG_URL" --rate 100000 >"$WORK/board-$PORT.log" 2>&1 &
  BOARD_PIDS+=($!)
}

# wait_up PORT: until the board on PORT answers.
wait_up() {
  for _ in $(seq 100); do
    curl -sf "http://127.0.0.1:$1/api/v1/board" >/dev/null && return 0
    sleep 0.1
  done
  fail "the board on port $1 did not answer"
}

# make_runs N: N short runs of their own, as request bodies $WORK/run-I.json.
make_runs() {
  for i in $(seq "$1"); do
    printf '%d left\n' $((100 + i)) |
      "$BUILD/glouton-sim" --keys - --until 3000 --record "$WORK/replay" >/dev/null || fail "no replay"
    awk -v i="$i" 'BEGIN { printf "{\"name\":\"p%d\",\"replay\":\"", i } { printf "%s\\n", $0 }
                   END { printf "\"}" }' "$WORK/replay" >"$WORK/run-$i.json"
  done
}

# post PORT I: sends run I; prints its status and the id answered (or -).
post() {
  curl -s -m 20 -w ' %{http_code}\n' -H 'Content-Type: application/json' \
    --data-binary @"$WORK/run-$2.json" "http://127.0.0.1:$1/api/v1/runs" |
    sed -E 's/.*"id": *([0-9]+).* ([0-9]+)$/\2 \1/; t; s/^.* ([0-9]+)$/\1 -/'
}
