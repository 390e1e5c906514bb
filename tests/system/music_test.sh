#!/usr/bin/env bash
# Every track of the music folder swapped for a pipe while the game runs (no
# one ever writes to them), then "Звук/Следующая": the track picked is a
# pipe. The sound must not wait on it: a place still opens in about the time
# its effect takes, not after the ten seconds an effect may wait for the
# sound (the bound is far from both), and the game goes on.
source "$(dirname "$0")/lib.sh"
sys_start_x
SYS_MUSIC=1 SYS_EFFECTS=1 sys_start_game
sys_new_game Vasya
sys_wait_for '^ACTIVE frmMainWindow' 5
for track in "$SYS_TMP/game/Music/"*; do
  rm -f "$track"
  mkfifo "$track"
done
sys_click_menu "Звук" "Следующая"
sleep 2   # the next track is asked for a second after the click
for place in cmdShop cmdHealth; do
  started=$(date +%s%N)
  sys_click "frmMainWindow.$place"
  sys_wait_for '^ACTIVE frm(Shop|Hospital)Window' 30
  took=$(( ($(date +%s%N) - started) / 1000000 ))
  sys_log "$place opened in $took ms"
  (( took < 6000 )) || sys_fail "$place took $took ms to open: the sound waited on the pipe"
  sys_key Escape
  sys_wait_for '^ACTIVE frmMainWindow' 15
done
sys_pass
