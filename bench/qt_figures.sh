#!/bin/bash
# Figures of the desktop game under a virtual X server:
#   - time from the start of the program to the name dialog on the screen,
#   - processor time used while a game runs with its clock ticking, without
#     a sound device and with one (60 s each, KALVITOR_BENCH_SECONDS),
#   - peak memory (VmHWM) of those runs.
# Usage: bench/qt_figures.sh [BUILD_FOLDER]   (default: build-qt)
# Needs xvfb-run. The game runs in a copy of the game folder with its own
# settings store (music off, effects on), so nothing of the user's changes.
set -euo pipefail

here=$(cd "$(dirname "$0")/.." && pwd)
build=${1:-$here/build-qt}
[[ $build = /* ]] || build=$here/$build

if [[ -z "${KALVITOR_IN_XVFB:-}" ]]; then
  exec xvfb-run -a -s "-screen 0 1024x768x24" env KALVITOR_IN_XVFB=1 bash "$0" "$build"
fi

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cp -r "$build/game" "$work/game"
export XDG_CONFIG_HOME=$work/config
mkdir -p "$XDG_CONFIG_HOME/Brindlex"
printf '[General]\nMusic=0\nEffects=1\n' > "$XDG_CONFIG_HOME/Brindlex/Kalvitor 1.6.conf"
# The disk driver takes the sound at the pace a sound card would (into a file
# in the scratch folder), so effects last as long as they do for a player.
export SDL_DISKAUDIOFILE=$work/audio.raw
exe=$work/game/kalvitor

# Start-up: five runs, the medians. Inside: from main() to the dialog on the
# screen; outside: from launching the process to its end right after that.
times=()
walls=()
for _ in 1 2 3 4 5; do
  t0=$(date +%s%N)
  out=$(SDL_AUDIODRIVER=disk KALVITOR_BENCH_STARTUP=1 "$exe" 2>/dev/null | grep '^startup_ms=' || true)
  t1=$(date +%s%N)
  times+=("${out#startup_ms=}")
  walls+=($(((t1 - t0) / 1000000)))
done
median() { printf '%s\n' "$@" | sort -n | sed -n 3p; }
echo "startup to name dialog: $(median "${times[@]}") ms in the program, $(median "${walls[@]}") ms from launch (runs: ${times[*]} / ${walls[*]})"

# A running game: the name dialog answered unattended, then the figures
# over KALVITOR_BENCH_SECONDS (60) seconds of play.
seconds=${KALVITOR_BENCH_SECONDS:-60}
hz=$(getconf CLK_TCK)
run_game() {  # label, SDL audio driver
  SDL_AUDIODRIVER=$2 KALVITOR_AUTOPLAY=Bench "$exe" >/dev/null 2>&1 &
  local pid=$!
  sleep 5
  local t0 t1 hwm
  t0=$(awk '{print $14 + $15}' "/proc/$pid/stat")
  sleep "$seconds"
  t1=$(awk '{print $14 + $15}' "/proc/$pid/stat")
  hwm=$(awk '/VmHWM/ {print $2}' "/proc/$pid/status")
  kill "$pid" 2>/dev/null || true
  sleep 1
  kill -9 "$pid" 2>/dev/null || true
  wait "$pid" 2>/dev/null || true
  awk -v d=$((t1 - t0)) -v hz="$hz" -v s="$seconds" -v label="$1" -v k="$hwm" 'BEGIN {
    printf "%s: cpu %.2f%% of one core (%d ticks of 1/%d s in %d s), peak memory (VmHWM) %.1f MB\n",
           label, d * 100 / (hz * s), d, hz, s, k / 1024 }'
}
run_game "game, no sound device" none
run_game "game, sound device open (SDL disk driver)" disk
