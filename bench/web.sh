#!/usr/bin/env bash
# The browser game's figures, each beside a yardstick measured in the same
# run and the same browser (Debian's Chromium, headless): the cold start to
# the name dialog, the processor while the clock ticks, the bytes before the
# name dialog and the memory over ten game years (bench/web_figures.mjs).
#   bench/web.sh [--rounds N] [--only start|cpu|bytes|memory] [--years N]
# Builds the site first when it is not there (scripts/web.sh --build-only).
set -euo pipefail
cd "$(dirname "$0")/.."
if [[ ! -f build/web/site/kalvitor.wasm ]]; then
  nice -n 19 scripts/web.sh --build-only
elif [[ ! -d tests/web/node_modules ]]; then
  scripts/web.sh --setup-only
fi
exec node bench/web_figures.mjs "$@"
