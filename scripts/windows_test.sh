#!/usr/bin/env bash
# The engine, the driver and their tests built for Windows (mingw-w64, on
# this Linux machine) and run under Wine: the engine tests, every golden
# driver script against the same expected output as on Linux, and the saved
# games and journals of the two drivers against each other.
#   scripts/windows_test.sh [LINUX_DRIVER]   (default build/check's)
# In two halves, for scripts/test.sh, which builds the Linux driver beside
# the first:
#   scripts/windows_test.sh --build [LINUX_DRIVER]   the build and the Wine prefix
#   scripts/windows_test.sh --test                   the tests (the Linux driver built by then)
# Wine gets a fresh prefix of its own under build/windows/wine, made while
# the programs compile; no window, no display. Prints how long each step took.
set -euo pipefail
cd "$(dirname "$0")/.."
phase=all
case "${1:-}" in --build|--test) phase="${1#--}"; shift ;; esac
linux_driver="$(realpath -m "${1:-build/check/src/headless/kalvitor-headless}")"
build=build/windows
started=$SECONDS

wine=/usr/lib/wine/wine64
wineserver=/usr/lib/wine/wineserver
[[ -x "$wine" ]] || wine="$(command -v wine64)"
[[ -x "$wineserver" ]] || wineserver="$(command -v wineserver)"
export WINEPREFIX="$PWD/$build/wine" WINEARCH=win64 WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml=" LC_ALL=C.UTF-8
unset DISPLAY WAYLAND_DISPLAY
trap 'WINEPREFIX="$WINEPREFIX" "$wineserver" -k 2>/dev/null || true' EXIT

if [[ $phase != test ]]; then
  rm -rf "$WINEPREFIX"
  mkdir -p "$build"
  ( t=$SECONDS; "$wine" wineboot -i >"$build/wineboot.log" 2>&1; echo $((SECONDS - t)) >"$build/wineboot.seconds" ) &
  wineboot=$!

  # The build is most of this step's time: no optimisation (the tests run in
  # seconds without it), the common headers precompiled, and the engine's
  # headers, checked one by one in the Linux build, not again.
  t=$SECONDS
  cmake -S . -B "$build" -G Ninja -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64-x86_64.cmake -DCMAKE_BUILD_TYPE= \
    -DKALVITOR_QT=OFF -DKALVITOR_WERROR=ON -DKALVITOR_HEADER_CHECK=OFF -DKALVITOR_PRECOMPILED_HEADERS=ON \
    -DKALVITOR_LINUX_DRIVER="$linux_driver" >/dev/null
  cmake --build "$build" -j "$(nproc 2>/dev/null || echo 2)"
  echo "windows_test: build $((SECONDS - t)) s"
  wait "$wineboot" || { cat "$build/wineboot.log" >&2; exit 1; }
  echo "windows_test: Wine prefix $(cat "$build/wineboot.seconds") s (during the build)"
fi

if [[ $phase != build ]]; then
  [[ -x "$linux_driver" ]] || { echo "windows_test: no Linux driver at $linux_driver" >&2; exit 1; }
  t=$SECONDS
  ctest --test-dir "$build" --output-on-failure -j 2
  echo "windows_test: tests under Wine $((SECONDS - t)) s"
fi
echo "windows_test: in all $((SECONDS - started)) s"
