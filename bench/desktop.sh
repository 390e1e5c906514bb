#!/usr/bin/env bash
# The desktop game's figures beside bare-Qt yardsticks, measured in one run
# under a virtual X server (no window manager, no sound card):
#   - launch → first window mapped, seen from outside by an X client waiting
#     for the MapNotify (game: the name dialog; default audio driver, and
#     SDL's disk driver), with the shared libraries loaded by then; also
#     less the time the program's main thread stood ready while other
#     programs ran, and the processor time it used by then (both steadier
#     on a busy machine);
#     yardsticks: a bare Qt dialog, the same with SDL2_mixer linked;
#   - processor use while the clock ticks, music off (disk driver), with
#     the day's events as chance brings them (a message typing now and then)
#     and with chance held to days without events (the clock alone);
#     yardstick: a bare Qt window whose one label changes 4 times a second
#     (also drawn as the game draws: over the X connection, not through
#     shared memory);
#   - processor use while the longest message types (clock paused, effects
#     off) over the same game paused and idle, in points and as a ratio to
#     the bare label; yardstick for scale: the bare label changed 10 times a
#     second, as often as a message types a letter;
#   - peak memory (VmHWM) with music playing and with music off;
#   - the longest the GUI thread goes without serving events (less the time
#     it stood ready while the machine was busy) while the game
#     starts with music on, and around a track started from the menu
#     ("Следующая"), with the music off as reference.
# Programs are interleaved round by round; figures are medians.
# Usage: bench/desktop.sh GAME_BUILD [GAME_BUILD...]   (folders with game/)
# Environment: MAP_ROUNDS (9), CPU_ROUNDS (3), CPU_SECONDS (20),
#              MUSIC_ROUNDS (2), MUSIC_SECONDS (15). The music figures list
#              every run. FIGURES ("launch cpu music"): the groups measured,
#              e.g. FIGURES=launch MAP_ROUNDS=41 for the first window alone.
set -euo pipefail

here=$(cd "$(dirname "$0")/.." && pwd)
[[ $# -ge 1 ]] || { echo "usage: bench/desktop.sh GAME_BUILD [GAME_BUILD...]" >&2; exit 2; }
if [[ -z "${KALVITOR_IN_XVFB:-}" ]]; then
  exec xvfb-run -a -s "-screen 0 1024x768x24 -nolisten tcp" env KALVITOR_IN_XVFB=1 bash "$0" "$@"
fi

builds=()
for b in "$@"; do
  [[ $b = /* ]] || b=$PWD/$b
  [[ -x $b/game/kalvitor ]] || { echo "no game in $b/game" >&2; exit 2; }
  builds+=("$b")
done

tools=$here/build/bench-tools
cmake -S "$here/bench/tools" -B "$tools" -G Ninja -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build "$tools" -j2 >/dev/null
stat=(python3 "$here/bench/tools/procstat.py")

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
unset SDL_AUDIODRIVER SDL_DISKAUDIOFILE KALVITOR_AUTOPLAY KALVITOR_AUTOCLICK KALVITOR_BENCH_STARTUP
games=()
labels=()
for i in "${!builds[@]}"; do
  cp -r "${builds[$i]}/game" "$work/game$i"
  games+=("$work/game$i/kalvitor")
  labels+=("game $(basename "${builds[$i]}")")
done

# A settings store of the game's own: music and effects switched as asked.
settings() {  # music effects
  local dir=$work/config-$1$2
  mkdir -p "$dir/Brindlex"
  printf '[General]\nMusic=%s\nEffects=%s\n' "$1" "$2" > "$dir/Brindlex/Kalvitor 1.6.conf"
  echo "$dir"
}
median() { printf '%s\n' "$@" | sort -g | awk '{v[NR] = $1} END {print (NR % 2) ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2}'; }
ratio() { awk -v a="$1" -v b="$2" 'BEGIN { printf (b > 0 ? "%.2fx" : "-"), a / b }'; }
declare -A runs libs
want() { [[ " ${FIGURES:-launch cpu music} " == *" $1 "* ]]; }

# --- Launch → first window mapped
map_once() {  # key, program, environment...
  local key=$1 program=$2 out
  shift 2
  out=$(env "$@" "$tools/xmaptime" "$program" 2>/dev/null | tail -1 || true)
  [[ $out == map_ms=* ]] || { echo "no window from $program" >&2; return; }
  set -- $out
  runs[$key]+="${1#map_ms=} "
  libs[$key]=${2#libs=}
  runs[own$key]+="$(awk -v m="${1#map_ms=}" -v r="${3#ready_ms=}" 'BEGIN { printf "%.1f", m - r }') "
  runs[proc$key]+="${4#cpu_ms=} "
}
off=$(settings 0 1)
want launch || MAP_ROUNDS=0
for _ in $(seq "${MAP_ROUNDS:-9}"); do
  map_once dialog "$tools/bare_dialog"
  map_once dialogsdl "$tools/bare_dialog_sdl"
  for i in "${!games[@]}"; do
    map_once "map$i" "${games[$i]}" XDG_CONFIG_HOME="$off"
    map_once "mapdisk$i" "${games[$i]}" XDG_CONFIG_HOME="$off" SDL_AUDIODRIVER=disk SDL_DISKAUDIOFILE="$work/map.raw"
  done
  rm -f "$work/map.raw"
done

# --- Processor use while the clock ticks
cpu_once() {  # key, [environment...] program
  local key=$1
  shift
  env "$@" >/dev/null 2>&1 &
  local pid=$!
  sleep 5
  runs[$key]+="$("${stat[@]}" cpu "$pid" "${CPU_SECONDS:-20}") "
  kill "$pid" 2>/dev/null || true
  wait "$pid" 2>/dev/null || true
}
# The longest message of the game (without its commas, which separate the
# steps), typed over and over with the clock paused and the effects off.
message="Сообщение от хирурга Жукина В.М.: Мдаа мужик! Не изменяй больше жене никогда! Мы тебе 70 кубиков \
адреналина ввели чтобы завести тебя! Что? Где рука? У жены спроси! За операцию 350 долларов!"
silent=$(settings 0 0)
# Chance held so that the days pass without events (three draws a day: no
# virus, no family news, no event): the clock alone, no message typing.
quiet=$(printf '0.5,0,0,%.0s' $(seq 40))
want cpu || CPU_ROUNDS=0
for _ in $(seq "${CPU_ROUNDS:-3}"); do
  cpu_once label "$tools/label_window"
  cpu_once label10 "$tools/label_window" 100
  # The game draws over the X connection, not through shared memory; the
  # yardsticks also that way, for comparison.
  cpu_once labelconn QT_XCB_NO_MITSHM=1 "$tools/label_window"
  cpu_once label10conn QT_XCB_NO_MITSHM=1 "$tools/label_window" 100
  for i in "${!games[@]}"; do
    cpu_once "cpu$i" XDG_CONFIG_HOME="$off" SDL_AUDIODRIVER=disk SDL_DISKAUDIOFILE="$work/cpu.raw" \
      KALVITOR_AUTOPLAY=Bench "${games[$i]}"
    rm -f "$work/cpu.raw"
    cpu_once "quiet$i" XDG_CONFIG_HOME="$off" SDL_AUDIODRIVER=disk SDL_DISKAUDIOFILE="$work/cpu.raw" \
      KALVITOR_AUTOPLAY=Bench KALVITOR_TEST_RND="$quiet" "${games[$i]}"
    rm -f "$work/cpu.raw"
    cpu_once "idle$i" XDG_CONFIG_HOME="$silent" KALVITOR_AUTOPLAY=Bench KALVITOR_AUTOCLICK=key:p "${games[$i]}"
    cpu_once "typing$i" XDG_CONFIG_HOME="$silent" KALVITOR_AUTOPLAY=Bench KALVITOR_AUTOCLICK="key:p,say:$message" \
      "${games[$i]}"
  done
done

# --- Music: memory, the GUI thread at track starts, and that it is heard
music_once() {  # key, music switch, game
  local key=$1 conf
  conf=$(settings "$2" 0)
  rm -f "$work/gaps" "$work/maps" "$work/music.raw"
  "$tools/xmaptime" --watch > "$work/maps" &
  local watcher=$!
  sleep 0.3
  env XDG_CONFIG_HOME="$conf" SDL_AUDIODRIVER=disk SDL_DISKAUDIOFILE="$work/music.raw" KALVITOR_AUTOPLAY=Bench \
    KALVITOR_AUTOCLICK=mnuMusicNext LD_PRELOAD="$tools/libgapwatch.so" GAPWATCH_FILE="$work/gaps" \
    "$3" >/dev/null 2>&1 &
  local pid=$!
  sleep "${MUSIC_SECONDS:-15}"
  runs[hwm$key]+="$("${stat[@]}" hwm "$pid") "
  kill "$pid" 2>/dev/null || true
  wait "$pid" 2>/dev/null || true
  kill "$watcher" 2>/dev/null || true
  wait "$watcher" 2>/dev/null || true
  set -- $("${stat[@]}" gaps "$work/gaps" "$work/maps")
  runs[startgap$key]+="$1 "
  runs[trackgap$key]+="$2 "
  runs[peak$key]+="$("${stat[@]}" peak "$work/music.raw") "
}
want music || MUSIC_ROUNDS=0
for _ in $(seq "${MUSIC_ROUNDS:-2}"); do
  for i in "${!games[@]}"; do
    music_once "on$i" 1 "${games[$i]}"
    music_once "off$i" 0 "${games[$i]}"
  done
done

# --- The table
row() { printf '%-44s %-30s %10s  %s\n' "$@"; }
# A row of the median of runs[KEY] (left in $m), with its ratio to BASE
# ("1" for the yardstick itself, nothing when BASE is empty) and the runs,
# then EXTRA.
median_row() {  # figure, program, key, base, [extra]
  m=$(median ${runs[$3]})
  local r
  case $4 in
    "") r="" ;;
    1) r="1 " ;;
    *) r="$(ratio "$m" "$4") " ;;
  esac
  row "$1" "$2" "$m" "$r(${runs[$3]% }${5:-})"
}
echo
row "figure" "program" "median" "ratio to yardstick (runs)"
if want launch; then
  median_row "launch -> first window mapped, ms" "bare Qt dialog" dialog 1 "; ${libs[dialog]} libraries"
  dm=$m
  median_row "" "bare Qt dialog + SDL2_mixer" dialogsdl "$dm" "; ${libs[dialogsdl]} libraries"
  for i in "${!games[@]}"; do
    median_row "" "${labels[$i]}, default driver" "map$i" "$dm" "; ${libs[map$i]} libraries"
    median_row "" "${labels[$i]}, disk driver" "mapdisk$i" "$dm" "; ${libs[mapdisk$i]} libraries"
  done
  median_row "  the same, less the time it stood ready, ms" "bare Qt dialog" owndialog 1
  dm=$m
  median_row "" "bare Qt dialog + SDL2_mixer" owndialogsdl "$dm"
  for i in "${!games[@]}"; do
    median_row "" "${labels[$i]}, default driver" "ownmap$i" "$dm"
    median_row "" "${labels[$i]}, disk driver" "ownmapdisk$i" "$dm"
  done
  median_row "  processor time by then, ms" "bare Qt dialog" procdialog 1
  dm=$m
  median_row "" "bare Qt dialog + SDL2_mixer" procdialogsdl "$dm"
  for i in "${!games[@]}"; do
    median_row "" "${labels[$i]}, default driver" "procmap$i" "$dm"
    median_row "" "${labels[$i]}, disk driver" "procmapdisk$i" "$dm"
  done
fi
if want cpu; then
  median_row "CPU while the clock ticks, % of a core" "bare Qt label 4x/s" label 1
  lm=$m
  median_row "" "the same, over the X connection" labelconn "$lm"
  for i in "${!games[@]}"; do
    median_row "" "${labels[$i]}, music off, events by chance" "cpu$i" "$lm"
    median_row "" "${labels[$i]}, music off, days without events" "quiet$i" "$lm"
  done
  median_row "CPU while a message types, % of a core" "bare Qt label 10x/s" label10 ""
  median_row "" "the same, over the X connection" label10conn ""
  for i in "${!games[@]}"; do
    median_row "" "${labels[$i]}, paused, idle" "idle$i" ""
    idle=$m
    m=$(median ${runs[typing$i]})
    # The points typing adds, also as a ratio to the bare label 4x/s.
    row "" "${labels[$i]}, paused, typing" "$m" \
      "$(awk -v a="$m" -v b="$idle" -v l="$lm" 'BEGIN { printf "%+.2f points over idle = %.2fx label 4x/s", a - b, (a - b) / l }') (${runs[typing$i]% })"
  done
fi
if want music; then
  for i in "${!games[@]}"; do
    on_hwm=$(median ${runs[hwmon$i]})
    off_hwm=$(median ${runs[hwmoff$i]})
    row "peak memory (VmHWM), MB" "${labels[$i]}, music on" "$on_hwm" \
      "$(ratio "$on_hwm" "$off_hwm") of music off (${runs[hwmon$i]% })"
    row "" "${labels[$i]}, music off" "$off_hwm" "(${runs[hwmoff$i]% })"
    row "longest GUI-thread block, ms: game start" "${labels[$i]}, music on / off" \
      "${runs[startgapon$i]% } / ${runs[startgapoff$i]% }" ""
    row "  a track started from the menu" "${labels[$i]}, music on / off" \
      "${runs[trackgapon$i]% } / ${runs[trackgapoff$i]% }" ""
    row "  loudest sample heard (music on, no effects)" "${labels[$i]}" "${runs[peakon$i]% }" ""
  done
fi
