#!/usr/bin/env bash
# Prints how fast kalvitor-headless plays at normal speed with the daily
# events on: YEARS (default 60) game years of clock intervals (17,520 ticks
# of 30 game minutes each), the vitals topped up at every year's start.
# Usage: bench/driver_speed.sh   (BUILD=folder, default build/bench)
set -euo pipefail
cd "$(dirname "$0")/.."
build=${BUILD:-build/bench}
years=${YEARS:-60}
if [[ ! -x "$build/src/headless/kalvitor-headless" ]]; then
  cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DKALVITOR_QT=OFF -DKALVITOR_TESTS=OFF >/dev/null
  cmake --build "$build" --target kalvitor-headless >/dev/null
fi
dir=$(mktemp -d)
trap 'rm -rf "$dir"' EXIT
# Vitals high enough to live each year through; no operating system, so no
# virus asks for an answer; every new game after a death would need a name.
{
  printf 'player 1 Bench\nstart\ncall SetJob 1\n'
  for _ in $(seq "$years"); do
    printf 'set Health 30000\nset Satiety 30000\nset Mood 30000\ntick 17520\n'
  done
  printf 'dump state\n'
} > "$dir/years.txt"
# Processor time as well as wall time: on a busy machine the wall time is
# mostly waiting for a processor.
TIMEFORMAT='%3R %3U %3S'
times=$({ time "$build/src/headless/kalvitor-headless" --dir "$dir" --seed 11 "$dir/years.txt" > "$dir/out.txt"; } 2>&1)
read -r wall user sys <<< "$times"
last=$(grep '^STATE GameDate' "$dir/out.txt" | awk '{print $3}')
[[ -n "$last" ]] || { echo "the run did not finish:"; tail -5 "$dir/out.txt"; exit 1; }
grep -q '^END\|^ERROR' "$dir/out.txt" && { echo "the run ended early:"; grep -m3 '^END\|^ERROR' "$dir/out.txt"; exit 1; }
# The run starts on 01.06.2002 (the driver's default clock). Typed messages
# hold the clock while they are typed, so fewer days pass than intervals.
IFS=. read -r d m y <<< "$last"
days=$(( ( $(date -u -d "$y-$m-$d" +%s) - $(date -u -d 2002-06-01 +%s) ) / 86400 ))
events=$(grep -c '^TYPED' "$dir/out.txt" || true)
ticks=$(( years * 17520 ))
rate() { awk -v n="$1" -v s="$2" 'BEGIN { printf (s > 0 ? "%.2f M" : "-"), n / s / 1e6 }'; }
cpu=$(awk -v u="$user" -v s="$sys" 'BEGIN { print u + s }')
echo "$ticks clock intervals ($years years at normal speed): $days game days, $events typed event messages"
echo "whole process: ${wall} s wall, ${cpu} s processor"
echo "clock intervals per second: $(rate "$ticks" "$cpu") of processor time ($(rate "$ticks" "$wall") of wall time)"
