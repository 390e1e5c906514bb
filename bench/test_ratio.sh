#!/usr/bin/env bash
# Lines of test code over lines of source (C++ under src/), for a baseline
# revision and for the working tree, side by side: "ratio" counts the C++
# tests and the driver scripts (tests/scripts/*.txt), "with-shell" adds the
# shell tests (system, install). CMake lists and expected outputs are not
# counted.
# Usage: bench/test_ratio.sh [BASELINE_REV]   (default: main)
set -euo pipefail
cd "$(dirname "$0")/.."
base="${1:-main}"

count() {  # $1: a revision, or "." for the working tree; $2: a regex of paths
  if [ "$1" = . ]; then
    git ls-files -co --exclude-standard | { grep -E "$2" || true; } | while read -r f; do [ -f "$f" ] && cat "$f"; done | wc -l
  else
    git ls-tree -r --name-only "$1" | { grep -E "$2" || true; } | while read -r f; do git show "$1:$f"; done | wc -l
  fi
}

printf '%-12s %7s %9s %7s %7s %7s %10s\n' revision src tests/cpp driver ratio shell with-shell
for rev in "$base" .; do
  src=$(count "$rev" '^src/.*\.(cpp|h)$')
  cpp=$(count "$rev" '^tests/.*\.(cpp|h)$')
  drv=$(count "$rev" '^tests/scripts/[^/]*\.txt$')
  drv=$((drv - $(count "$rev" '^tests/scripts/CMakeLists\.txt$')))
  shl=$(count "$rev" '^tests/.*\.sh$')
  printf '%-12s %7d %9d %7d %7.3f %7d %10.3f\n' "$rev" "$src" "$cpp" "$drv" \
    "$(echo "($cpp + $drv) / $src" | bc -l)" "$shl" "$(echo "($cpp + $drv + $shl) / $src" | bc -l)"
done
