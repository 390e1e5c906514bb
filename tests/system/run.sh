#!/usr/bin/env bash
# Runs the system tests against a built game folder, each under an X server,
# a window manager and a home folder of its own, SYSTEM_JOBS of them side by
# side (default 1: one after another), and prints "N passed, M failed".
#   tests/system/run.sh GAME_FOLDER [TEST ...]     (default: every *_test.sh)
# Side by side, the longest tests start first, and each test's output is
# shown whole when it ends (one at a time, as it comes).
set -uo pipefail
here="$(cd "$(dirname "$0")" && pwd)"
export KALVITOR_GAME_DIR="$(cd "${1:?usage: run.sh GAME_FOLDER [TEST ...]}" && pwd)"
shift
jobs="${SYSTEM_JOBS:-1}"
tests=("$@")
if ((${#tests[@]} == 0)); then
  # The longest first, so that two at a time end together; the rest by name.
  longest=(accessibility fit fit_scale2 fit_en fit_scale2_en saveload windows download event_load crash)
  for t in "${longest[@]}"; do [[ -f "$here/${t}_test.sh" ]] && tests+=("$t"); done
  for f in "$here"/*_test.sh; do
    t="$(basename "$f" _test.sh)"
    [[ " ${longest[*]} " == *" $t "* ]] || tests+=("$t")
  done
fi
out="$(mktemp -d /tmp/kalvitor-system-run.XXXXXX)"
trap 'rm -rf "$out"' EXIT

# One test, its output into $out/NAME.log and its verdict into $out/NAME.status.
run_one() {
  local t="$1" start=$SECONDS limit=300 rc=0
  # Five minutes a test; the random play gets the time asked of it on top.
  [[ $t == monkey ]] && limit=$((300 + ${MONKEY_SECONDS:-40}))
  if ((jobs == 1)); then
    timeout "$limit" bash "$here/${t}_test.sh" || rc=$?
  else
    timeout "$limit" bash "$here/${t}_test.sh" >"$out/$t.log" 2>&1 || rc=$?
  fi
  if ((rc == 0)); then
    echo "system: $t passed ($((SECONDS - start)) s)" >"$out/$t.status"
  else
    echo "system: $t FAILED ($((SECONDS - start)) s)" >"$out/$t.status"
  fi
}

passed=0 failed=0
finish() {  # NAME: shows its output and counts it
  local t="$1" status
  status="$(cat "$out/$t.status" 2>/dev/null || echo "system: $t FAILED (no verdict)")"
  cat "$out/$t.log" 2>/dev/null
  echo "$status"
  if [[ "$status" == *" passed "* ]]; then passed=$((passed + 1)); else failed=$((failed + 1)); fi
}

declare -A running=()   # pid -> test
for t in "${tests[@]}"; do
  while ((${#running[@]} >= jobs)); do
    wait -n 2>/dev/null || true
    for pid in "${!running[@]}"; do
      kill -0 "$pid" 2>/dev/null && continue
      finish "${running[$pid]}"
      unset "running[$pid]"
    done
  done
  run_one "$t" &
  running[$!]="$t"
done
for pid in "${!running[@]}"; do
  wait "$pid" 2>/dev/null || true
  finish "${running[$pid]}"
done
echo "system: $passed passed, $failed failed"
((failed == 0))
