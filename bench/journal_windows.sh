#!/usr/bin/env bash
# Prints how long the journal and statistics windows take to open over a
# full journal (10,000 entries and samples; entries of an ordinary length
# and at the longest an entry may be), beside the same windows over a game
# just begun, under a virtual X server. See bench/journal_windows.cpp.
# Usage: bench/journal_windows.sh [BUILD_FOLDER]   (default build/check)
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build/check}
cmake --build "$build" -j2 --target journal_windows_bench >/dev/null
exec xvfb-run -a -s "-screen 0 1024x768x24 -nolisten tcp" env QT_QPA_PLATFORM=xcb \
  "$build/tests/qt/journal_windows_bench"
