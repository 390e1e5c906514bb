#!/usr/bin/env bash
# Everything the browser game is tested with: the engine and the driver
# under Node (scripts/web_driver_test.sh), then the site built and played in
# Debian's Chromium, headless (tests/web/*.test.js through playwright-core).
#   scripts/web_test.sh [--browser]   (--browser: only the browser tests, the site built)
set -euo pipefail
cd "$(dirname "$0")/.."
if [[ "${1:-}" != --browser ]]; then
  scripts/web_driver_test.sh
  scripts/web.sh --build-only
fi
# One server, the files three at a time (tests/web/run.js prints the time).
node tests/web/run.js
