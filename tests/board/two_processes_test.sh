#!/bin/bash
# Two board processes started together on one PostgreSQL (their migrations
# meet), both taking submissions at once: one board, every answered run on
# it once, and a run sent to both at the same moment stored once.
# usage: two_processes_test.sh BUILD_DIR
set -uo pipefail
. "$(dirname "$0")/board_lib.sh"
start_board && first=$PORT
start_board && second=$PORT
wait_up "$first" && wait_up "$second"
runs=40
make_runs "$runs"
posts=()
for i in $(seq "$runs"); do
  post $((i % 2 ? first : second)) "$i" >"$WORK/result-$i" &
  posts+=($!)
  if [ $((i % 4)) = 0 ]; then # every fourth run goes to both at once
    post $((i % 2 ? second : first)) "$i" >"$WORK/twin-$i" &
    posts+=($!)
  fi
done
wait "${posts[@]}"
for i in $(seq "$runs"); do
  answers=$(cat "$WORK/result-$i" "$WORK/twin-$i" 2>/dev/null)
  statuses=$(cut -d' ' -f1 <<<"$answers" | sort | tr -d '\n')
  ids=$(cut -d' ' -f2 <<<"$answers" | sort -u)
  [[ ($statuses = 201 || $statuses = 200201) && $ids =~ ^[0-9]+$ ]] || fail "run $i answered: $answers"
  echo "$ids" >>"$WORK/answered"
done
board() { curl -sf "http://127.0.0.1:$1/api/v1/board?limit=100" | grep -o '"id": *[0-9]*' | grep -o '[0-9]*$'; }
board "$first" >"$WORK/first"
board "$second" | cmp -s - "$WORK/first" || fail "the two boards differ"
sort -u "$WORK/answered" | cmp -s - <(sort "$WORK/first") || fail "the board is not the $runs runs answered"
n=0 # one run's rank is its place on the board, ties (the same score) included
while read -r id; do
  n=$((n + 1))
  curl -sf "http://127.0.0.1:$second/api/v1/runs/$id" | grep -Eq "\"rank\": *$n[,}]" || fail "run $id is not ranked $n"
done <"$WORK/first"
removed=$(head -1 "$WORK/first") # the moderator's removal reaches both
"$BUILD/glouton-board" remove "$removed" --db "$PG_URL" || fail "could not remove run $removed"
! board "$first" | grep -qx "$removed" && ! board "$second" | grep -qx "$removed" ||
  fail "run $removed is still on a board after its removal"
echo "two boards on one PostgreSQL: $runs runs, $((runs / 4)) of them sent to both, each stored once"
