#!/bin/bash
# PostgreSQL stopped and started under a board taking submissions: 503 while
# it is down, 201 again once it is back with nothing restarted by hand, and
# every run answered with an id still there. usage: postgres_restart_test.sh BUILD_DIR
set -uo pipefail
. "$(dirname "$0")/board_lib.sh"
start_board && wait_up "$PORT"
runs=300
make_runs "$runs"
for i in $(seq "$runs"); do # one run after another, noted "STATUS ID"
  post "$PORT" "$i"
  [ -f "$WORK/stop" ] && break
  sleep 0.02
done >"$WORK/answers" &
load=$!

wait_for() { # wait_for COUNT STATUS: until COUNT answers had STATUS
  for _ in $(seq 300); do
    [ "$(grep -c "^$2 " "$WORK/answers")" -ge "$1" ] && return 0
    sleep 0.1
  done
  fail "fewer than $1 answers $2: $(cut -d' ' -f1 "$WORK/answers" | sort | uniq -c | tr '\n' ' ')"
}
wait_for 10 201
pg_stop "$WORK/pg" || fail "PostgreSQL did not stop"
wait_for 5 503
pg_start "$WORK/pg" >/dev/null || fail "PostgreSQL did not start again"
wait_for $(($(grep -c '^201 ' "$WORK/answers") + 10)) 201
touch "$WORK/stop"
wait "$load"

# 201s, then 503s only, then 201s only.
[[ $(cut -d' ' -f1 "$WORK/answers" | uniq | tr '\n' ' ') = "201 503 201 " ]] ||
  fail "answers in this order: $(cut -d' ' -f1 "$WORK/answers" | uniq -c | tr '\n' ' ')"
grep '^201 ' "$WORK/answers" | while read -r _ id; do
  curl -sf "http://127.0.0.1:$PORT/api/v1/runs/$id" >/dev/null || fail "run $id, answered, is lost"
done || exit 1
echo "PostgreSQL stopped and started: $(grep -c '^503 ' "$WORK/answers") answers 503, then taken again;" \
  "$(grep -c '^201 ' "$WORK/answers") runs answered, all kept"
