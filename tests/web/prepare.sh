#!/usr/bin/env bash
# The web tests' fixture: builds the page and glouton-sim.js with emscripten
# (tools/cross/build-web.sh, the SDL libraries once) into WORK/build, installs
# the pinned puppeteer-core into WORK/npm, and writes WORK/glouton-sim, which
# runs glouton-sim.js under node.
#   prepare.sh SOURCE_DIR WORK
set -euo pipefail
src=$1
work=$2
loud_fail() {
  echo "FAIL: $*" >&2
  echo "FAIL: the web build cannot be tested: install packages.txt (make deps)" >&2
  exit 1
}
# The browsers: each test of browser_test.mjs checks its own.
for tool in emcc node npm fluidsynth lame; do
  command -v "$tool" >/dev/null || loud_fail "$tool is not installed"
done
started=$(date +%s)
"$src/tools/cross/build-web.sh" "$work/build"
echo "the web build took $(($(date +%s) - started)) s"
mkdir -p "$work/npm"
cp "$src/tests/web/package.json" "$src/tests/web/package-lock.json" "$work/npm/"
# Installed again only when the lock file changed.
if ! cmp -s "$work/npm/package-lock.json" "$work/npm/node_modules/.installed-lock.json" 2>/dev/null; then
  (cd "$work/npm" && npm ci --ignore-scripts --no-audit --no-fund) >&2 ||
    loud_fail "npm ci of the pinned puppeteer-core and selenium-webdriver failed"
  cp "$work/npm/package-lock.json" "$work/npm/node_modules/.installed-lock.json"
fi
cat >"$work/glouton-sim" <<WRAPPER
#!/bin/sh
exec node '$work/build/glouton-sim.js' "\$@"
WRAPPER
chmod +x "$work/glouton-sim"
echo "ready: $work/build"
