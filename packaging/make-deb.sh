#!/usr/bin/env bash
# Makes the Debian package, glouton_VERSION_ARCH.deb in BUILD_DIR: a Release
# build with Debian's hardening flags, laid out as a Debian game (programs in
# /usr/games, data in /usr/share/glouton), only the programs and their data
# built, then cpack -G DEB, which strips the programs.
#   packaging/make-deb.sh SOURCE_DIR BUILD_DIR [JOBS]
set -eu
src=$1 build=$2 jobs=${3:-2}

# Every hardening of dpkg-buildflags; its -g -O2 give way to the Release
# build's own flags, and -fno-ident leaves no compiler banner (.comment).
export DEB_BUILD_MAINT_OPTIONS=hardening=+all DEB_CXXFLAGS_MAINT_STRIP='-g -O2'
CXXFLAGS="$(dpkg-buildflags --get CXXFLAGS) $(dpkg-buildflags --get CPPFLAGS) -fno-ident"
LDFLAGS=$(dpkg-buildflags --get LDFLAGS)
export CXXFLAGS LDFLAGS
# No install step builds "all" (the tests): the targets below are built first.
cmake -S "$src" -B "$build" -DCMAKE_BUILD_TYPE=Release -DCMAKE_INSTALL_PREFIX=/usr \
  -DCMAKE_INSTALL_BINDIR=games -DCMAKE_SKIP_INSTALL_ALL_DEPENDENCY=ON >/dev/null
cmake --build "$build" -j"$jobs" --target glouton glouton-sim glouton_data glouton_install_files
rm -f "$build"/glouton_*.deb
cd "$build" && cpack -G DEB
