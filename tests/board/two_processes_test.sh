#!/bin/bash
# Two board processes on one PostgreSQL, both taking submissions at once: one
# board, every answered run on it, and a replay sent to both at the same
# moment stored once. usage: two_processes_test.sh BUILD_DIR
set -uo pipefail
. "$(dirname "$0")/board_lib.sh"
start_pg
start_board --db "$PG_URL" --rate 100000 && first=$PORT
start_board --db "$PG_URL" --rate 100000 && second=$PORT

runs=40
for i in $(seq "$runs"); do make_run "$i"; done
posts=()
for i in $(seq "$runs"); do
  port=$((i % 2 ? first : second))
  post "$port" "$i" >"$WORK/result-$port-$i" &
  posts+=($!)
  if [ $((i % 4)) = 0 ]; then  # every fourth run goes to both boards at once
    post $((port == first ? second : first)) "$i" >"$WORK/result-x-$i" &
    posts+=($!)
  fi
done
wait "${posts[@]}"

for i in $(seq "$runs"); do
  read -r status id <"$WORK/result-$((i % 2 ? first : second))-$i"
  [[ $status = 201 || $status = 200 ]] || fail "run $i answered $status"
  echo "$id" >>"$WORK/answered"
  if [ -f "$WORK/result-x-$i" ]; then
    read -r other_status other_id <"$WORK/result-x-$i"
    [ "$other_id" = "$id" ] || fail "run $i sent to both boards got ids $id and $other_id"
    [ "$status $other_status" = "201 200" ] || [ "$status $other_status" = "200 201" ] ||
      fail "run $i sent to both boards answered $status and $other_status"
  fi
done
ids_on_board "$first" >"$WORK/board-first"
ids_on_board "$second" >"$WORK/board-second"
cmp -s "$WORK/board-first" "$WORK/board-second" || fail "the two boards differ"
[ "$(sort -u "$WORK/board-first" | wc -l)" = "$runs" ] || fail "$(wc -l <"$WORK/board-first") runs stored, not $runs"
[ "$(sort -u "$WORK/answered" | wc -l)" = "$runs" ] || fail "two runs were answered with one id"
sort -u "$WORK/answered" | cmp -s - <(sort -u "$WORK/board-first") || fail "an answered run is not on the board"
echo "two boards on one PostgreSQL: $runs runs, $((runs / 4)) of them sent to both, each stored once"
