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
#   configures BUILD_DIR with the package's settings, builds it, packages it.
# For a build that also runs the tests (scripts/test.sh's build/check):
#   scripts/package.sh --configure BUILD_DIR [CMAKE_ARGS...]
#       configures it with the package's settings (and the arguments given);
#   scripts/package.sh --built BUILD_DIR
#       packages and checks that build, once it is built.
set -euo pipefail
cd "$(dirname "$0")/.."

# The package's settings, in one place.
configure() {
  local build="$1" cppflags cxxflags ldflags
  shift
  export DEB_BUILD_MAINT_OPTIONS="hardening=+all"
  cppflags="$(dpkg-buildflags --get CPPFLAGS)"
  # KALVITOR_DEBUG_INFO: the debug information's level for a build that is
  # also tested (scripts/test.sh: -g1, line numbers only, quicker to make;
  # the package's program is stripped either way).
  cxxflags="$(dpkg-buildflags --get CXXFLAGS) ${KALVITOR_DEBUG_INFO:-}"
  ldflags="$(dpkg-buildflags --get LDFLAGS)"
  cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=None -DCMAKE_INSTALL_PREFIX=/usr -DCMAKE_INSTALL_BINDIR=games \
    -DKALVITOR_WERROR=ON -DCMAKE_CXX_FLAGS="$cppflags $cxxflags" -DCMAKE_EXE_LINKER_FLAGS="$ldflags" \
    -DCMAKE_MODULE_LINKER_FLAGS="$ldflags" "$@" >/dev/null
}

package() {
  local build="$1" cache
  cache="$build/CMakeCache.txt"
  grep -qx 'CMAKE_INSTALL_PREFIX:PATH=/usr' "$cache" && grep -qx 'CMAKE_INSTALL_BINDIR:PATH=games' "$cache" ||
    { echo "package: $build was not configured with the package's settings (scripts/package.sh --configure)" >&2; exit 1; }
  rm -f "$build"/kalvitor_*.deb
  (cd "$build" && cpack -G DEB >/dev/null)
  deb="$(ls "$build"/kalvitor_*_amd64.deb)"
  dpkg-deb --info "$deb" | sed -n '/Package:/,$p'

  # Lintian: no errors (as root it warns about that on stderr and goes on).
  lintian --fail-on error "$deb"
  echo "package: $deb"
}

case "${1:-}" in
  --configure)
    configure "${2:?usage: package.sh --configure BUILD_DIR [CMAKE_ARGS...]}" "${@:3}"
    ;;
  --built)
    package "${2:?usage: package.sh --built BUILD_DIR}"
    ;;
  *)
    scripts/setup.sh
    build="${1:-build/package}"
    configure "$build" -DKALVITOR_TESTS=OFF
    cmake --build "$build" -j "$(nproc 2>/dev/null || echo 2)"
    package "$build"
    ;;
esac
