#!/usr/bin/env bash
# The game in the browser: installs what is missing (Debian's Emscripten,
# Chromium, Python; with `npm ci` the browser tests' npm packages and the
# page's charts library), builds the site into build/web/site/ and serves
# it at http://127.0.0.1:8000/.
#   scripts/web.sh [--port N] [--build-only | --setup-only]
set -euo pipefail
cd "$(dirname "$0")/.."
port=8000
serve=1
build_site=1
while (( $# )); do
  case "$1" in
    --port) port="$2"; shift 2 ;;
    --build-only) serve=0; shift ;;
    --setup-only) serve=0; build_site=0; shift ;;
    *) echo "usage: scripts/web.sh [--port N] [--build-only | --setup-only]" >&2; exit 2 ;;
  esac
done

scripts/setup.sh scripts/web-packages.txt
if ! command -v npm >/dev/null; then
  sudo=""; [[ "$(id -u)" == 0 ]] || sudo=sudo
  DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends npm >/dev/null
fi
# The browser tests' packages, and the page's own (the charts' library).
for dir in tests/web src/web; do
  if [[ ! -d $dir/node_modules ]] || [[ $dir/package-lock.json -nt $dir/node_modules ]]; then
    (cd "$dir" && npm ci --no-audit --no-fund --silent)
  fi
done
(( build_site )) || exit 0

build=build/web
# Emscripten's own JavaScript tools find Debian's acorn there. The program
# is built for size (-Os): a fifth fewer bytes to download and compile than
# -O3, and no slower a tick (bench/web.sh).
export NODE_PATH=/usr/share/nodejs
emcmake cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=MinSizeRel -DKALVITOR_QT=OFF -DKALVITOR_TESTS=OFF \
  -DKALVITOR_EXCEPTIONS=OFF -DKALVITOR_WEB_SITE=ON -DKALVITOR_WERROR=ON -DKALVITOR_HEADER_CHECK=OFF >/dev/null
cmake --build "$build" -j "$(nproc 2>/dev/null || echo 2)" --target kalvitor-site
echo "web: site in $build/site ($(du -sh "$build/site" | cut -f1))"
(( serve )) || exit 0
exec python3 scripts/web_serve.py "$build/site" "$port"
