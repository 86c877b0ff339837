#!/usr/bin/env bash
# The windows tests' fixture: cross-builds the zip (tools/cross/build-windows.sh,
# the SDL libraries once), unpacks it into WORK/game, readies a Wine prefix in
# WORK/wineprefix, and writes beside each .exe a script that runs it under
# Wine, named as the Linux program (glouton, glouton-sim).
#   prepare.sh SOURCE_DIR WORK
set -euo pipefail
src=$1
work=$2
wine=${WINE64:-/usr/lib/wine/wine64}
loud_fail() {
  echo "FAIL: $*" >&2
  echo "FAIL: the Windows build cannot be tested: install packages.txt (make deps)" >&2
  exit 1
}
[ -x "$wine" ] || loud_fail "wine64 is not installed (no $wine)"
command -v x86_64-w64-mingw32-g++-posix >/dev/null ||
  loud_fail "MinGW-w64 is not installed (no x86_64-w64-mingw32-g++-posix)"

started=$(date +%s)
# Our warnings are errors in the tests, as in the native build of make test.
GLOUTON_WERROR=ON "$src/tools/cross/build-windows.sh" "$work/build"
echo "the Windows build took $(($(date +%s) - started)) s"
zip=$(ls "$work"/build/glouton-*-windows-x64.zip)
rm -rf "$work/game"
mkdir -p "$work/game"
(cd "$work/game" && cmake -E tar xf "$zip")
game=$(ls -d "$work"/game/glouton-*-windows-x64)

export WINEPREFIX=$work/wineprefix WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
if [ ! -f "$WINEPREFIX/system.reg" ]; then
  started=$(date +%s)
  "$wine" wineboot -i >/dev/null 2>&1 || loud_fail "wineboot could not make a Wine prefix in $WINEPREFIX"
  "$(dirname "$wine")/wineserver64" -w || true
  echo "the Wine prefix took $(($(date +%s) - started)) s"
fi
for program in glouton glouton-sim; do
  cat >"$game/$program" <<WRAPPER
#!/bin/sh
export WINEPREFIX='$WINEPREFIX' WINEDEBUG=-all WINEDLLOVERRIDES='mscoree,mshtml='
exec '$wine' "\$(dirname "\$0")/$program.exe" "\$@"
WRAPPER
  chmod +x "$game/$program"
done
echo "ready: $game"
