#!/usr/bin/env bash
# Set-up, the format check, build and every test, in one go: a warnings-as-errors build with
# all tests (the Qt ones on the offscreen platform), the engine, the driver and
# their tests built for Windows and run under Wine, the system tests (the
# real program under Xvfb with a window manager, driven by real X input),
# the game installed and played from a read-only tree under Xvfb, the Debian
# package built, checked by lintian and played the same way (skipped with
# KALVITOR_SKIP_PACKAGE=1), then the engine and driver tests again under
# AddressSanitizer + UBSan, and a minute of random play with the desktop
# game built with them.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh
scripts/check_format.sh

jobs="$(nproc 2>/dev/null || echo 2)"
cmake -S . -B build/check -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DKALVITOR_WERROR=ON >/dev/null
cmake --build build/check -j "$jobs"
ctest --test-dir build/check --output-on-failure -j "$jobs"
scripts/windows_test.sh build/check/src/headless/kalvitor-headless
scripts/web_test.sh
tests/system/run.sh build/check/game
tests/install/install_test.sh build/check
if [[ "${KALVITOR_SKIP_PACKAGE:-0}" != 1 ]]; then
  scripts/package.sh build/package
  tests/install/install_test.sh build/package build/package/kalvitor_*_amd64.deb
fi

cmake -S . -B build/sanitize -G Ninja -DCMAKE_BUILD_TYPE=Debug -DKALVITOR_WERROR=ON -DKALVITOR_SANITIZE=ON \
  -DKALVITOR_QT=OFF >/dev/null
cmake --build build/sanitize -j "$jobs"
ASAN_OPTIONS=detect_leaks=1:abort_on_error=1 UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
  ctest --test-dir build/sanitize --output-on-failure -j "$jobs"

cmake -S . -B build/asan -G Ninja -DCMAKE_BUILD_TYPE=Debug -DKALVITOR_WERROR=ON -DKALVITOR_SANITIZE=ON \
  -DKALVITOR_TESTS=OFF >/dev/null
cmake --build build/asan -j "$jobs" --target kalvitor
MONKEY_SECONDS=60 tests/system/run.sh build/asan/game monkey
