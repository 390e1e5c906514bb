#!/usr/bin/env bash
# Builds the Debian package of the game, build/package/kalvitor_<version>_amd64.deb,
# with CPack. The program goes to /usr/games, as Debian wants of games (the
# data is still ../share/kalvitor from it); the compiler flags and hardening of Debian's own packages
# (dpkg-buildflags, for the program and the statistics module), dependencies
# computed from the binaries (dpkg-shlibdeps)
# plus the soundfont the music needs, then checks it with lintian (errors
# fail the build; the warnings left are explained in README.md, "Install").
#
# Usage: scripts/package.sh [BUILD_DIR]   (default build/package)
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh
build="${1:-build/package}"

export DEB_BUILD_MAINT_OPTIONS="hardening=+all"
cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=None -DCMAKE_INSTALL_PREFIX=/usr -DCMAKE_INSTALL_BINDIR=games \
  -DKALVITOR_TESTS=OFF -DKALVITOR_WERROR=ON \
  -DCMAKE_CXX_FLAGS="$(dpkg-buildflags --get CPPFLAGS) $(dpkg-buildflags --get CXXFLAGS)" \
  -DCMAKE_EXE_LINKER_FLAGS="$(dpkg-buildflags --get LDFLAGS)" \
  -DCMAKE_MODULE_LINKER_FLAGS="$(dpkg-buildflags --get LDFLAGS)" >/dev/null
cmake --build "$build" -j "$(nproc 2>/dev/null || echo 2)"
rm -f "$build"/kalvitor_*.deb
(cd "$build" && cpack -G DEB >/dev/null)
deb="$(ls "$build"/kalvitor_*_amd64.deb)"
dpkg-deb --info "$deb" | sed -n '/Package:/,$p'

# Lintian: no errors (as root it warns about that on stderr and goes on).
lintian --fail-on error "$deb"
echo "package: $deb"
