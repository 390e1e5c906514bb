#!/usr/bin/env bash
# Lines of test code (C++ under tests/ plus the driver scripts and test shell
# scripts) over lines of source (C++ under src/), for a baseline revision and
# for the working tree, side by side. CMake lists are not counted.
# Usage: bench/test_ratio.sh [BASELINE_REV]   (default: main)
set -euo pipefail
cd "$(dirname "$0")/.."
base="${1:-main}"

count() {  # $1: a revision, or "." for the working tree; $2: a regex of paths
  if [ "$1" = . ]; then
    git ls-files -co --exclude-standard | grep -E "$2" | while read -r f; do [ -f "$f" ] && cat "$f"; done | wc -l
  else
    git ls-tree -r --name-only "$1" | grep -E "$2" | while read -r f; do git show "$1:$f"; done | wc -l
  fi
}

printf '%-12s %8s %9s %8s %8s %7s\n' revision src tests/cpp scripts tests ratio
for rev in "$base" .; do
  src=$(count "$rev" '^src/.*\.(cpp|h)$')
  cpp=$(count "$rev" '^tests/.*\.(cpp|h)$')
  scr=$(count "$rev" '^tests/(scripts/[^/]*\.txt|.*\.sh)$' )
  scr=$((scr - $(count "$rev" '^tests/scripts/CMakeLists\.txt$')))
  printf '%-12s %8d %9d %8d %8d %7.3f\n' "$rev" "$src" "$cpp" "$scr" $((cpp + scr)) \
    "$(echo "($cpp + $scr) / $src" | bc -l)"
done
