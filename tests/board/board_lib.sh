# Shared by the board's process tests: boards started on free ports of
# loopback over a PostgreSQL of the test's own, short runs made by
# glouton-sim and sent with curl. Sourced with the build folder as $1.
BUILD=$(cd "${1:?usage: TEST.sh BUILD_DIR}" && pwd)
SUPPORT=$(cd "$(dirname "${BASH_SOURCE[0]}")/../support" && pwd)
. "$SUPPORT/postgres.sh"
need_tools curl python3
WORK=$(mktemp -d /tmp/glouton-board-XXXXXX)
chmod 711 "$WORK"  # PostgreSQL's owner goes through it to its own folder
BOARD_PIDS=()
cleanup() {
  local pid
  for pid in "${BOARD_PIDS[@]}"; do kill "$pid" 2>/dev/null; done
  pg_stop "$WORK/pg" 2>/dev/null
  rm -rf "$WORK"
}
trap cleanup EXIT

fail() {
  echo "FAIL: $*" >&2
  tail -n 5 "$WORK"/board-*.log >&2 2>/dev/null
  exit 1
}

# start_pg: the test's PostgreSQL; sets PG_URL.
start_pg() {
  mkdir -p "$WORK/pg"
  PG_URL=$(pg_start "$WORK/pg") || fail "PostgreSQL did not start"
}

# start_board ARGS...: one more board process; sets PORT.
start_board() {
  PORT=$(python3 -c 'import socket; s = socket.socket(); s.bind(("127.0.0.1", 0)); print(s.getsockname()[1])')
  "$BUILD/glouton-board" --port "$PORT" "$@" >"$WORK/board-$PORT.log" 2>&1 &
  BOARD_PIDS+=($!)
  local tries
  for tries in $(seq 100); do
    curl -sf "http://127.0.0.1:$PORT/api/v1/board" >/dev/null && return 0
    sleep 0.1
  done
  fail "the board on port $PORT did not answer"
}

# make_run I: a short run of its own, as a request's body, in $WORK/run-I.json.
make_run() {
  printf '%d left\n' $((100 + $1)) |
    "$BUILD/glouton-sim" --keys - --until 3000 --record "$WORK/run-$1.replay" >/dev/null || fail "no replay $1"
  awk -v i="$1" 'BEGIN { printf "{\"name\":\"p%d\",\"replay\":\"", i } { printf "%s\\n", $0 }
                 END { printf "\"}" }' "$WORK/run-$1.replay" >"$WORK/run-$1.json"
}

# post PORT I: sends run I; prints its status and the id answered (or -).
post() {
  local answer=$WORK/answer-$1-$2 status id
  status=$(curl -s -m 20 -o "$answer" -w '%{http_code}' -H 'Content-Type: application/json' \
    --data-binary @"$WORK/run-$2.json" "http://127.0.0.1:$1/api/v1/runs")
  id=$(grep -o '"id": *[0-9]*' "$answer" 2>/dev/null | grep -o '[0-9]*$')
  echo "$status ${id:--}"
}

# ids_on_board PORT: the ids of the whole board, best first.
ids_on_board() {
  curl -sf "http://127.0.0.1:$1/api/v1/board?period=all&limit=100" | grep -o '"id": *[0-9]*' | grep -o '[0-9]*$'
}
