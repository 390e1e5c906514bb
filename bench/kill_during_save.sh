#!/usr/bin/env bash
# Kills kalvitor-headless in the middle of saving, KILLS times (default 300),
# with slowed I/O (every rename and fsync waits up to SLOW_IO_US, default
# 20 ms), then starts it again and loads the game. Prints, for each driver
# given, side by side:
#   - pairs on the disk that a kill left apart: the saved game and a journal
#     whose last money entry is not the game's money; and such pairs still
#     apart after the next start (which finishes a save cut off between its
#     two files);
#   - loads that showed another game's journal (its last money entry is not
#     the loaded money): the fault the journal's fingerprint removes;
#   - loads that said the journal could not be restored;
#   - temporary files of a save left after the next start.
# Usage: bench/kill_during_save.sh DRIVER [DRIVER...]   (paths of kalvitor-headless)
set -euo pipefail
cd "$(dirname "$0")/.."
(( $# )) || { echo "usage: $0 DRIVER [DRIVER...]" >&2; exit 2; }
kills=${KILLS:-300}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cc -O2 -shared -fPIC -o "$work/slow_io.so" bench/tools/slow_io.c -ldl

# A life of many saves to one name, each with money of its own.
script() {
  local run=$1 i
  printf 'player 1 Bench\nstart\n'
  for i in $(seq 400); do
    printf 'call SetMoney %d\nfile g\nanswer yes\ncall SaveGame\n' $((run * 1000 + i))
  done
}
load='player-load
file g
start
dump state
dump journal
'
# The last money a journal's entries tell of, from "..., стало $N" ("" for
# none); the load's own entry ("Загрузка игры: $N") does not count.
last_money() { awk '/^JOURNAL/ && !/Загрузка игры/ && match($0, /стало \$-?[0-9]+/) { m = substr($0, RSTART, RLENGTH); sub(/.*\$/, "", m) } END { print m }'; }

for driver in "$@"; do
  driver=$(cd "$(dirname "$driver")" && pwd)/$(basename "$driver")
  dir="$work/run"
  rm -rf "$dir"
  mkdir -p "$dir"
  apart=0 still=0 wrong=0 told=0 leftovers=0 loads=0 in_save=0
  for run in $(seq "$kills"); do
    script "$run" > "$work/script.txt"
    LD_PRELOAD="$work/slow_io.so" "$driver" --dir "$dir" --seed "$run" "$work/script.txt" > "$work/out.txt" 2>&1 &
    pid=$!
    sleep "$(awk -v r=$RANDOM 'BEGIN { printf "%.3f", 0.05 + r / 32768 * 0.6 }')"
    kill -9 "$pid" 2>/dev/null || true
    wait "$pid" 2>/dev/null || true
    ls -a "$dir/Save" 2>/dev/null | grep -q '^\.kalvitor-save-' && in_save=$((in_save + 1))
    [[ -f "$dir/Save/g.ksv" ]] || continue
    # The pair as the kill left it.
    game=$(sed -n 2p "$dir/Save/g.ksv" | tr -d '\r')
    journal=""
    [[ -f "$dir/Save/g.kjl" ]] && journal=$(last_money < "$dir/Save/g.kjl")
    [[ -n "$journal" && "$journal" != "$game" ]] && apart=$((apart + 1))
    # The next start, and the load.
    printf '%s' "$load" | "$driver" --dir "$dir" --seed 1 > "$work/load.txt" 2>&1 || {
      echo "the load after kill $run failed:"; tail -3 "$work/load.txt"; exit 1; }
    loads=$((loads + 1))
    money=$(grep -m1 '^STATE Money ' "$work/load.txt" | awk '{print $3}')
    shown=$(last_money < "$work/load.txt")
    [[ -n "$shown" && "$shown" != "$money" ]] && wrong=$((wrong + 1))
    grep -q '^MSGBOX exclamation "Загрузка игры"' "$work/load.txt" && told=$((told + 1))
    left=$(ls -a "$dir/Save" | grep -c '^\.kalvitor-save-' || true)
    leftovers=$((leftovers + left))
    journal=""
    [[ -f "$dir/Save/g.kjl" ]] && journal=$(last_money < "$dir/Save/g.kjl")
    [[ -n "$journal" && "$journal" != "$game" ]] && still=$((still + 1))
  done
  echo "$driver:"
  echo "  $kills kills with slowed I/O (up to ${SLOW_IO_US:-20000} us a rename or fsync), $in_save of them inside a save (a temporary file left), $loads loads after them"
  echo "  pairs on the disk left apart by the kill: $apart, still apart after the next start: $still"
  echo "  loads that showed another game's journal: $wrong"
  echo "  loads that said the journal could not be restored: $told"
  echo "  temporary files left after the next start: $leftovers"
done
