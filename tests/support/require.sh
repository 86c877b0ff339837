# What a test needs from the system. Under `make test`, which installs every
# package the tests need (GLOUTON_REQUIRE_ALL=1), a missing one is a fault: the
# test fails and names the Debian package. Elsewhere the test is skipped
# (ctest's code 77, listed as "Skipped" in its summary) with the same words.
# Sourced by the test scripts; also run alone: require.sh PACKAGE WHY.

# missing PACKAGE WHY: ends the test for want of PACKAGE.
missing() {
  if [ "${GLOUTON_REQUIRE_ALL:-0}" = 1 ]; then
    echo "FAIL: $2: install the Debian package $1 (make test installs packages.txt)" >&2
    exit 1
  fi
  echo "SKIP: $2 (Debian package $1)" >&2
  exit 77
}

# The Debian package that installs the command $1.
package_of() {
  case $1 in
  Xvfb) echo xvfb ;;
  xdpyinfo | xwininfo | xprop) echo x11-utils ;;
  import | convert | compare | identify) echo imagemagick ;;
  cmake | cpack) echo cmake ;;
  dpkg-buildflags) echo dpkg-dev ;;
  dpkg-deb) echo dpkg ;;
  strip) echo binutils ;;
  appstreamcli) echo appstream ;;
  desktop-file-validate) echo desktop-file-utils ;;
  clang++ | clang++-14) echo clang ;;
  node) echo nodejs ;;
  od | stat) echo coreutils ;;
  python3) echo python3 ;;
  unshare) echo util-linux ;;
  *) echo "$1" ;;
  esac
}

# need_tools COMMAND...: each command must be on the PATH.
need_tools() {
  local tool
  for tool in "$@"; do
    command -v "$tool" >/dev/null 2>&1 || missing "$(package_of "$tool")" "$tool is not installed"
  done
}

if [ "${BASH_SOURCE[0]}" = "$0" ]; then
  missing "$1" "$2"
fi
