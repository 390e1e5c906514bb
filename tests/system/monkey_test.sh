#!/usr/bin/env bash
# Random play: clicks and keys at random places of the screen, at the
# fastest speed, from fixed seeds, for MONKEY_SECONDS (default 40). The game
# must neither crash nor hang (it answers every dump request), and a
# sanitizer build must report nothing. Deaths, new games, loads and the
# exit question come as they come; an ended program is started again.
source "$(dirname "$0")/lib.sh"
seconds="${MONKEY_SECONDS:-40}"
seed="${MONKEY_SEED:-1}"
RANDOM=$seed
sys_start_x
starts=0 actions=0
start() {
  starts=$((starts + 1))
  sys_start_game "KALVITOR_TEST_SEED=$((seed * 1000 + starts))" \
    "ASAN_OPTIONS=detect_leaks=0:abort_on_error=1" "UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1"
  sys_new_game "Monkey$starts"
  sys_wait_for '^ACTIVE frmMainWindow' 5
  # Скорость игры -> Быстрый
  sys_click_menu "Скорость игры" "Быстрый"
}
start
# Keys a player uses, and a few more.
keys=(p c Escape Return Tab space Down Up Left Right F10 BackSpace a 1 Cyrillic_ze Cyrillic_es n y)
end=$((SECONDS + seconds))
while (( SECONDS < end )); do
  if ! sys_alive; then
    rc=0; wait "$SYS_GAME_PID" || rc=$?
    grep -q "ERROR: AddressSanitizer\|runtime error:" "$SYS_TMP/game.err" && sys_fail "sanitizer report"
    # The game ends itself only with status 0 (the exit question, the name dialog's Отмена).
    (( rc == 0 )) || sys_fail "the program ended with status $rc"
    start
    continue
  fi
  case $((RANDOM % 10)) in
    0|1|2|3|4) xdotool mousemove $((RANDOM % 1024)) $((RANDOM % 768)) click 1 ;;
    5|6|7) xdotool key "${keys[$((RANDOM % ${#keys[@]}))]}" ;;
    8) xdotool type --delay 20 "abc" ;;
    9) sys_dump ;;   # and it must answer
  esac
  actions=$((actions + 1))
  sleep 0.0$((RANDOM % 10))
done
sys_dump
sys_log "$actions actions, $starts starts in ${seconds}s"
sys_pass
