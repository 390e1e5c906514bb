#!/usr/bin/env bash
# Saving, the overwrite question's No and Yes, loading back, and the exit
# question's three answers, all with the keyboard and the mouse of a player.
source "$(dirname "$0")/lib.sh"
sys_start_x
sys_start_game
sys_new_game Vasya
sys_wait_for '^ACTIVE frmMainWindow' 5
sys_key p                                   # time stands still while we look
sys_wait_for '^PAUSED 1' 3
sys_key p
sys_wait_for '^PAUSED 0' 3

save_as() {  # NAME: Файл -> Сохранить игру..., the name, Enter
  sys_click_menu "Файл" "Сохранить игру..."
  sys_wait_for '^ACTIVE frmSaveLoadWindow' 5
  sys_wait_for '^FOCUS txtFilename' 3
  sys_key ctrl+a
  sys_type "$1"
  sys_key Return
}
save_as one
sys_wait_for '^FORM frmSaveLoad loaded=0' 5
[[ -s "$SYS_TMP/game/Save/one.ksv" ]] || sys_fail "the first save wrote nothing"
first="$(md5sum <"$SYS_TMP/game/Save/one.ksv")"
sleep 1.5                                   # the clock moves the saved time on

save_as one
sys_wait_for '^MODAL messageBox' 5
sys_shot overwrite-question
sys_key Escape                              # No: back in the dialog, nothing written
sys_wait_for '^ACTIVE frmSaveLoadWindow' 5
[[ "$(md5sum <"$SYS_TMP/game/Save/one.ksv")" == "$first" ]] || sys_fail "No still wrote the game"
sys_key Return                              # OK again
sys_wait_for '^MODAL messageBox' 5
sys_key Return                              # Yes
sys_wait_for '^FORM frmSaveLoad loaded=0' 5
[[ "$(md5sum <"$SYS_TMP/game/Save/one.ksv")" != "$first" ]] || sys_fail "Yes did not write the game"
sys_dump
saved_time="$(grep '^STATE GameTime ' "$SYS_DUMP")"

# A cheat changes the money; loading brings the saved game back.
sys_key c
sys_wait_for '^FOCUS txtCheat' 3
sys_type QARVENTOS
sys_key Return
sys_wait_for '^STATE Money 550$' 3
sys_click_menu "Файл" "Загрузить игру..."
sys_wait_for '^ACTIVE frmSaveLoadWindow' 5
sys_type one
sys_key Return
sys_wait_for '^FORM frmSaveLoad loaded=0' 5
sys_wait_for '^STATE Money 450$' 3
sys_expect '^CAPTION frmMain "Brindlex Kalvitor 1.6 -- Vasya"'

# The exit question: Cancel goes on, No ends without writing anything.
sys_click_menu "Файл" "Выход"
sys_wait_for '^MODAL messageBox' 5
sys_key Escape                              # Cancel
sys_wait_for '^ACTIVE frmMainWindow' 5
sys_expect '^FORM frmMain loaded=1 shown=1'
before="$(ls "$SYS_TMP/game/Save" | sort)"
sys_click_menu "Файл" "Выход"
sys_wait_for '^MODAL messageBox' 5
sys_click_button messageBox "Нет"
for i in $(seq 50); do sys_alive || break; sleep 0.1; done
sys_alive && sys_fail "No did not end the program"
[[ "$(sys_exit_status)" == "exit status 0" ]] || sys_fail "the program ended with $(sys_exit_status)"
[[ "$(ls "$SYS_TMP/game/Save" | sort)" == "$before" ]] || sys_fail "No wrote a file"

# Yes asks for a name, saves, and ends; the window's close box asks the same.
sys_start_game
sys_new_game Petya
sys_wait_for '^ACTIVE frmMainWindow' 5
sys_key alt+F4                              # the window manager's close
sys_wait_for '^MODAL messageBox' 5
sys_key Return                              # Yes
sys_wait_for '^ACTIVE frmSaveLoadWindow' 5
sys_type two
sys_key Return
for i in $(seq 50); do sys_alive || break; sleep 0.1; done
sys_alive && sys_fail "Yes did not end the program"
[[ -s "$SYS_TMP/game/Save/two.ksv" ]] || sys_fail "Yes did not save"
SYS_GAME_PID=""
sys_log passed
