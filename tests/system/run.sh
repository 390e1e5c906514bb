#!/usr/bin/env bash
# Runs the system tests against a built game folder, one after another, each
# under an X server of its own, and prints "N passed, M failed".
#   tests/system/run.sh GAME_FOLDER [TEST ...]     (default: every *_test.sh)
set -uo pipefail
here="$(cd "$(dirname "$0")" && pwd)"
export KALVITOR_GAME_DIR="$(cd "${1:?usage: run.sh GAME_FOLDER [TEST ...]}" && pwd)"
shift
tests=("$@")
(( ${#tests[@]} )) || for t in "$here"/*_test.sh; do tests+=("$(basename "$t" _test.sh)"); done
passed=0 failed=0
for t in "${tests[@]}"; do
  start=$SECONDS
  # Five minutes a test; the random play gets the time asked of it on top.
  limit=300
  [[ $t == monkey ]] && limit=$((300 + ${MONKEY_SECONDS:-40}))
  if timeout "$limit" bash "$here/${t}_test.sh"; then
    passed=$((passed + 1)); echo "system: $t passed ($((SECONDS - start)) s)"
  else
    failed=$((failed + 1)); echo "system: $t FAILED ($((SECONDS - start)) s)"
  fi
done
echo "system: $passed passed, $failed failed"
(( failed == 0 ))
