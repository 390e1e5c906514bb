#!/usr/bin/env bash
# The engine, the driver and their tests built for Windows (mingw-w64, on
# this Linux machine) and run under Wine: the engine tests, every golden
# driver script against the same expected output as on Linux, and the saved
# games and journals of the two drivers against each other.
#   scripts/windows_test.sh [LINUX_DRIVER]   (default build/check's)
# Wine gets a fresh prefix of its own under build/windows/wine, made while
# the programs compile; no window, no display. Prints how long each step took.
set -euo pipefail
cd "$(dirname "$0")/.."
linux_driver="$(realpath "${1:-build/check/src/headless/kalvitor-headless}")"
build=build/windows
started=$SECONDS

wine=/usr/lib/wine/wine64
wineserver=/usr/lib/wine/wineserver
[[ -x "$wine" ]] || wine="$(command -v wine64)"
[[ -x "$wineserver" ]] || wineserver="$(command -v wineserver)"
export WINEPREFIX="$PWD/$build/wine" WINEARCH=win64 WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml=" LC_ALL=C.UTF-8
unset DISPLAY WAYLAND_DISPLAY
rm -rf "$WINEPREFIX"
mkdir -p "$build"
( t=$SECONDS; "$wine" wineboot -i >"$build/wineboot.log" 2>&1; echo $((SECONDS - t)) >"$build/wineboot.seconds" ) &
wineboot=$!
trap 'WINEPREFIX="$WINEPREFIX" "$wineserver" -k 2>/dev/null || true' EXIT

# The build is most of this step's time: no optimisation (the tests run in
# seconds without it), the common headers precompiled, and the engine's
# headers, checked one by one in the Linux build, not again.
t=$SECONDS
cmake -S . -B "$build" -G Ninja -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64-x86_64.cmake -DCMAKE_BUILD_TYPE= \
  -DKALVITOR_QT=OFF -DKALVITOR_WERROR=ON -DKALVITOR_HEADER_CHECK=OFF -DKALVITOR_PRECOMPILED_HEADERS=ON \
  -DKALVITOR_LINUX_DRIVER="$linux_driver" >/dev/null
cmake --build "$build" -j "$(nproc 2>/dev/null || echo 2)"
build_seconds=$((SECONDS - t))
wait "$wineboot" || { cat "$build/wineboot.log" >&2; exit 1; }

t=$SECONDS
ctest --test-dir "$build" --output-on-failure -j 2
test_seconds=$((SECONDS - t))
echo "windows_test: build ${build_seconds} s, Wine prefix $(cat "$build/wineboot.seconds") s (during the build)," \
  "tests under Wine ${test_seconds} s, in all $((SECONDS - started)) s"
