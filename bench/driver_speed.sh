#!/usr/bin/env bash
# Prints how fast kalvitor-headless plays at normal speed with the daily
# events on: one whole game year (17,520 ticks of 30 game minutes).
set -euo pipefail
cd "$(dirname "$0")/.."
build=${BUILD:-build/bench}
if [[ ! -x "$build/src/headless/kalvitor-headless" ]]; then
  cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DKALVITOR_QT=OFF -DKALVITOR_TESTS=OFF >/dev/null
  cmake --build "$build" --target kalvitor-headless >/dev/null
fi
dir=$(mktemp -d)
trap 'rm -rf "$dir"' EXIT
# Vitals high enough to live the year through; no operating system, so no
# virus asks for an answer; every new game after a death would need a name.
cat > "$dir/year.txt" <<'SCRIPT'
player 1 Bench
start
set Health 30000
set Satiety 30000
set Mood 30000
call SetJob 1
tick 17520
dump state
SCRIPT
start=$(date +%s%N)
"$build/src/headless/kalvitor-headless" --dir "$dir" --seed 11 "$dir/year.txt" > "$dir/out.txt"
end=$(date +%s%N)
us=$(( (end - start) / 1000 ))
last=$(grep '^STATE GameDate' "$dir/out.txt" | awk '{print $3}')
[[ -n "$last" ]] || { echo "the run did not finish:"; tail -5 "$dir/out.txt"; exit 1; }
# The run starts on 01.06.2002 (the driver's default clock). Typed messages
# hold the clock while they are typed, so fewer than 365 days pass.
IFS=. read -r d m y <<< "$last"
days=$(( ( $(date -u -d "$y-$m-$d" +%s) - $(date -u -d 2002-06-01 +%s) ) / 86400 ))
events=$(grep -c '^TYPED' "$dir/out.txt" || true)
echo "17520 ticks (a year of intervals at normal speed): ${days} game days, $events typed event messages, in $(( us / 1000 )) ms (whole process)"
echo "game days per second: $(( days * 1000000 / (us > 0 ? us : 1) ))"
