#!/bin/bash
# PostgreSQL stopped and started under a board taking submissions: 503 while
# it is down, 201 again once it is back with nothing restarted by hand, and
# every run answered with an id still there. usage: postgres_restart_test.sh BUILD_DIR
set -uo pipefail
. "$(dirname "$0")/board_lib.sh"
start_pg
start_board --db "$PG_URL" --rate 100000
runs=300
for i in $(seq "$runs"); do make_run "$i"; done

# The load: one run after another, each answer noted as "I STATUS ID".
(for i in $(seq "$runs"); do
  echo "$i $(post "$PORT" "$i")"
  [ -f "$WORK/stop" ] && break
  sleep 0.02
done) >"$WORK/answers" &
load=$!

# n_answered STATUS: how many answers had that status so far.
n_answered() { awk -v s="$1" '$2 == s' "$WORK/answers" | wc -l; }
wait_for() {  # wait_for STATUS COUNT
  local tries
  for tries in $(seq 300); do
    [ "$(n_answered "$1")" -ge "$2" ] && return 0
    sleep 0.1
  done
  fail "fewer than $2 answers $1: $(cut -d' ' -f2 "$WORK/answers" | sort | uniq -c | tr '\n' ' ')"
}
wait_for 201 10
pg_stop "$WORK/pg" || fail "PostgreSQL did not stop"
wait_for 503 5
pg_start "$WORK/pg" >/dev/null || fail "PostgreSQL did not start again"
before=$(n_answered 201)
wait_for 201 $((before + 10))
touch "$WORK/stop"
wait "$load"

last_503=$(awk '$2 == 503 { n = NR } END { print n }' "$WORK/answers")
awk -v n="$last_503" 'NR > n && $2 != 201 { bad = 1 } END { exit bad }' "$WORK/answers" ||
  fail "after PostgreSQL came back, not every run was taken"
awk '$2 != 201 && $2 != 503 { print; bad = 1 } END { exit bad }' "$WORK/answers" ||
  fail "answers other than 201 and 503"
while read -r i status id; do
  [ "$status" = 201 ] || continue
  curl -sf "http://127.0.0.1:$PORT/api/v1/runs/$id" >/dev/null || fail "run $i, answered with id $id, is lost"
done <"$WORK/answers"
echo "PostgreSQL stopped and started: $(n_answered 503) answers 503, then taken again; $(n_answered 201) runs answered, all kept"
