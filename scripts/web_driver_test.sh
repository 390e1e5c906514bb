#!/usr/bin/env bash
# The engine and the driver built with Emscripten, as the browser game is,
# and run under Node: every golden driver script (tests/scripts/*.txt with
# its header) against the same expected output as on Linux, and the engine
# and journal tests. Prints how long the build and the tests took.
#   scripts/web_driver_test.sh
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh scripts/web-packages.txt
build=build/web-driver
# Emscripten's own JavaScript tools find Debian's acorn there.
export NODE_PATH=/usr/share/nodejs
started=$SECONDS
emcmake cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DKALVITOR_QT=OFF -DKALVITOR_WERROR=ON \
  -DKALVITOR_HEADER_CHECK=OFF -DKALVITOR_PRECOMPILED_HEADERS=ON >/dev/null
cmake --build "$build" -j "$(nproc 2>/dev/null || echo 2)"
build_seconds=$((SECONDS - started))
t=$SECONDS
ctest --test-dir "$build" --output-on-failure -j 2
echo "web_driver_test: build ${build_seconds} s, tests under Node $((SECONDS - t)) s"
