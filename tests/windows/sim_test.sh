#!/usr/bin/env bash
# glouton-sim.exe under Wine prints byte for byte the traces of the native
# glouton-sim on the simulator's key scripts, by file and on standard input,
# with and without the paints, and the same help text.
#   sim_test.sh NATIVE_SIM WINDOWS_SIM SOURCE_DIR [WHERE]
# WINDOWS_SIM runs glouton-sim.exe (the wrapper prepare.sh writes); the web
# tests give glouton-sim.js under node instead, WHERE "under node".
set -u
native=$1
windows=$2
scripts=$3/tests/sim/scripts
where=${4:-under Wine}
work=$(mktemp -d "${TMPDIR:-/tmp}/glouton-wine-sim.XXXXXX")
trap 'rm -rf "$work"' EXIT
failed=0

# NAME, the exit status both must give, then the arguments; a "-" in them
# reads the first key script on standard input. Status 0: output and nothing
# on standard error; else one line on standard error and no output.
compare() {
  local name=$1 expected=$2
  shift 2
  "$native" "$@" <"$first" >"$work/native" 2>"$work/native.err"
  local native_status=$?
  "$windows" "$@" <"$first" >"$work/windows" 2>"$work/windows.err"
  local windows_status=$? side status
  for side in native windows; do
    status=${side}_status
    if [ "${!status}" != "$expected" ]; then
      echo "FAIL: $name: exit status ${!status} ($side), expected $expected" >&2
      sed "s/^/  $side stderr: /" "$work/$side.err" >&2
      failed=1
      return
    elif [ "$expected" = 0 ] && { [ -s "$work/$side.err" ] || [ ! -s "$work/$side" ]; }; then
      echo "FAIL: $name: $(wc -c <"$work/$side") bytes of output ($side), and on standard error:" >&2
      sed "s/^/  $side stderr: /" "$work/$side.err" >&2
      failed=1
      return
    elif [ "$expected" != 0 ] && { [ -s "$work/$side" ] || [ "$(grep -c . "$work/$side.err")" != 1 ]; }; then
      echo "FAIL: $name: expected one line on standard error and no output ($side)" >&2
      sed "s/^/  $side stderr: /" "$work/$side.err" >&2
      failed=1
      return
    fi
  done
  if ! cmp -s "$work/native" "$work/windows"; then
    echo "FAIL: $name: the traces differ ($(wc -c <"$work/native") bytes natively, $(wc -c <"$work/windows") $where)" >&2
    cmp "$work/native" "$work/windows" | head -n 1 >&2
    failed=1
  else
    echo "ok: $name ($(wc -l <"$work/native") lines)"
  fi
}

set -- "$scripts"/*.keys
[ -f "$1" ] || { echo "FAIL: no key scripts in $scripts" >&2; exit 1; }
first=$1
for script in "$@"; do
  compare "$(basename "$script") to 40 s" 0 --keys "$script" --until 40000
  compare "$(basename "$script") with paints" 0 --keys "$script" --until 8000 --paints
done
compare "standard input, quiet" 0 --keys - --until 40000 --quiet
compare "a folder as the key script" 2 --keys "$scripts" --until 1000
compare "help" 0 --help
exit $failed
