# The trace of a real run against its replay played by glouton-sim.
# Sourced through tests/window/xvfb_lib.sh; uses $WORK and $GLOUTON_SIM.

# The trace $1 without its `wall` members, as glouton-sim prints it, into $2.
without_wall() { sed 's/,"wall":[0-9]*}$/}/' "$1" >"$2"; }

# replay_matches TRACE REPLAY: glouton-sim --replay REPLAY prints TRACE line
# for line, its `wall` members aside. Otherwise prints why and is false.
replay_matches() {
  without_wall "$1" "$WORK/window.jsonl"
  "$GLOUTON_SIM" --replay "$2" >"$WORK/sim.jsonl" 2>"$WORK/sim.err" ||
    { echo "glouton-sim --replay failed: $(cat "$WORK/sim.err")"; return 1; }
  cmp -s "$WORK/window.jsonl" "$WORK/sim.jsonl" && return 0
  diff "$WORK/window.jsonl" "$WORK/sim.jsonl" | head -5 >&2
  echo "the replay's trace differs from the window's"
  return 1
}
