#!/usr/bin/env bash
# Random play: clicks and keys at random places of the screen, from fixed
# seeds, for MONKEY_SECONDS (default 40). It comes in turns: a burst of
# random input (MONKEY_BURST seconds, default 15), then a stretch at the
# fastest speed (MONKEY_STRETCH seconds, default 60) where no one plays but a
# keeper, who answers whatever asks (a box, the name dialog after a death),
# leaves the places and keeps the player alive through the cheat box: so
# that over a long run months and years of the game pass. The game must
# neither crash nor hang (it answers every dump request), and a sanitizer
# build must report nothing. Deaths, new games, loads and the exit question
# come as they come; an ended program is started again.
source "$(dirname "$0")/lib.sh"
seconds="${MONKEY_SECONDS:-40}"
burst="${MONKEY_BURST:-15}"
stretch="${MONKEY_STRETCH:-60}"
seed="${MONKEY_SEED:-1}"
RANDOM=$seed
sys_start_x
starts=0 actions=0 days=0 names=0 last_day=""
start() {
  starts=$((starts + 1))
  sys_start_game "KALVITOR_TEST_SEED=$((seed * 1000 + starts))" \
    "ASAN_OPTIONS=detect_leaks=0:abort_on_error=1" "UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1"
  sys_new_game "Monkey$starts"
  sys_wait_for '^ACTIVE frmMainWindow' 5
  # Скорость игры -> Быстрый
  sys_click_menu "Скорость игры" "Быстрый"
}
# The game days that passed since the last dump (a new game starts its own count).
count_days() {
  local date day
  date=$(sys_get 'STATE GameDate')
  [[ $date =~ ^([0-9]{2})\.([0-9]{2})\.([0-9]{4})$ ]] || return 0
  day=$(( $(date -u -d "${BASH_REMATCH[3]}-${BASH_REMATCH[2]}-${BASH_REMATCH[1]}" +%s) / 86400 ))
  [[ -n $last_day ]] && (( day > last_day )) && days=$((days + day - last_day))
  last_day=$day
}
ended() {
  local rc=0
  wait "$SYS_GAME_PID" || rc=$?
  grep -q "ERROR: AddressSanitizer\|runtime error:" "$SYS_TMP/game.err" && sys_fail "sanitizer report"
  # The game ends itself only with status 0 (the exit question, the name dialog's Отмена).
  (( rc == 0 )) || sys_fail "the program ended with status $rc"
  last_day=""
  start
}
start
# Keys a player uses, and a few more.
keys=(p c Escape Return Tab space Down Up Left Right F10 BackSpace a 1 Cyrillic_ze Cyrillic_es n y)
end=$((SECONDS + seconds))
while (( SECONDS < end )); do
  # A burst of random input.
  turn=$((SECONDS + burst))
  while (( SECONDS < end && SECONDS < turn )); do
    if ! sys_alive; then
      ended
      continue
    fi
    case $((RANDOM % 10)) in
      0|1|2|3|4) xdotool mousemove $((RANDOM % 1024)) $((RANDOM % 768)) click 1 ;;
      5|6|7) xdotool key "${keys[$((RANDOM % ${#keys[@]}))]}" ;;
      8) xdotool type --delay 20 "abc" ;;
      9) sys_dump; count_days ;;   # and it must answer
    esac
    actions=$((actions + 1))
    sleep 0.0$((RANDOM % 10))
  done
  # A stretch at the fastest speed, kept alive.
  turn=$((SECONDS + stretch)) fed=0 stuck=""
  while (( SECONDS < end && SECONDS < turn )); do
    if ! sys_alive; then
      ended
      continue
    fi
    sys_dump
    count_days
    active=$(sys_get ACTIVE)
    case $active in
      frmMainWindow)
        stuck=""
        [[ $(sys_get PAUSED) == 1 ]] && sys_key p
        [[ $(sys_get 'STATE TickMinutes') == 60 ]] || sys_click_menu "Скорость игры" "Быстрый"
        if (( SECONDS >= fed )); then
          for code in balnosh melkir truvo; do
            sys_key c
            sys_type "$code"
            sys_key Return
          done
          fed=$((SECONDS + 15))
        fi
        ;;
      -)
        # Nothing has the focus: the game was minimised. Back to it.
        xdotool search --name '^Brindlex Kalvitor' windowmap windowactivate >/dev/null 2>&1 || true
        sleep 0.5
        ;;
      frmPlayerNameWindow)
        names=$((names + 1))
        sys_type "Keeper$names"
        sys_key Return
        last_day=""
        ;;
      *)
        # A box or a place: Escape answers or leaves most; Enter the rest.
        if [[ $stuck == "$active" ]]; then sys_key Return; stuck=""; else sys_key Escape; stuck=$active; fi
        ;;
    esac
    sleep 1
  done
done
sys_dump
count_days
sys_log "$actions actions, $starts starts, $days game days passed in ${seconds}s"
sys_pass
