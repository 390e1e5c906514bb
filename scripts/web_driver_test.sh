#!/usr/bin/env bash
# The engine and the driver built with Emscripten, as the browser game is,
# and run under Node: every golden driver script (tests/scripts/*.txt with
# its header) against the same expected output as on Linux, and the engine
# and journal tests. Prints how long the build and the tests took.
#   scripts/web_driver_test.sh [--build | --test]   (both halves by default)
set -euo pipefail
cd "$(dirname "$0")/.."
phase=all
case "${1:-}" in --build|--test) phase="${1#--}" ;; "") ;; *) echo "usage: scripts/web_driver_test.sh [--build | --test]" >&2; exit 2 ;; esac
scripts/setup.sh scripts/web-packages.txt
build=build/web-driver
# Emscripten's own JavaScript tools find Debian's acorn there.
export NODE_PATH=/usr/share/nodejs
if [[ $phase != test ]]; then
  started=$SECONDS
  emcmake cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DKALVITOR_QT=OFF -DKALVITOR_WERROR=ON \
    -DKALVITOR_HEADER_CHECK=OFF -DKALVITOR_PRECOMPILED_HEADERS=ON >/dev/null
  cmake --build "$build" -j "$(nproc 2>/dev/null || echo 2)"
  echo "web_driver_test: build $((SECONDS - started)) s"
fi
[[ $phase != build ]] || exit 0
t=$SECONDS
ctest --test-dir "$build" --output-on-failure -j 2
echo "web_driver_test: tests under Node $((SECONDS - t)) s"
