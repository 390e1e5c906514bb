#!/usr/bin/env bash
# Everything the browser game is tested with: the engine and the driver
# under Node (scripts/web_driver_test.sh), then the site built and played in
# Debian's Chromium, headless (tests/web/*.test.js through playwright-core),
# which compares the saved games it hands over with those of the Linux
# driver (build/check/src/headless/kalvitor-headless, built here when missing).
#   scripts/web_test.sh [--browser]   (--browser: only the browser tests, the site and the driver built)
set -euo pipefail
cd "$(dirname "$0")/.."
if [[ "${1:-}" != --browser ]]; then
  scripts/web_driver_test.sh
  scripts/web.sh --build-only
  if [[ ! -x build/check/src/headless/kalvitor-headless ]]; then
    scripts/setup.sh
    scripts/package.sh --configure build/check -DKALVITOR_TESTS=ON -DKALVITOR_TEST_FLAGS="-Og -g1"
    cmake --build build/check -j "$(nproc 2>/dev/null || echo 2)" --target kalvitor-headless
  fi
fi
# One server, the files three at a time (tests/web/run.js prints the time).
node tests/web/run.js
