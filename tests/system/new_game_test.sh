#!/usr/bin/env bash
# "Новая игра" while a game runs, then Отмена: the exit question. Its Cancel
# goes back to the running game; its No ends the program.
source "$(dirname "$0")/lib.sh"
sys_start_x
sys_start_game
sys_new_game Vasya
sys_wait_for '^ACTIVE frmMainWindow' 5
sys_click_menu "Файл" "Новая игра"
sys_wait_for '^ACTIVE frmPlayerNameWindow' 5
sys_click_button frmPlayerNameWindow "Отмена"
sys_wait_for '^MODAL messageBox' 5
sys_expect '^WINDOW messageBox "Внимание!"' "the exit question"
sys_shot exit-question
sys_key Escape                              # Cancel: back to the game
sys_wait_for '^ACTIVE frmMainWindow' 5
sys_expect '^CAPTION frmMain "Brindlex Kalvitor 1.6 -- Vasya"' "the same game"
sys_expect '^FORM frmPlayerName loaded=[01] shown=0' "the name dialog gone"
before="$(sys_get 'LABEL frmMain.lblTime')"
sleep 1; sys_dump
[[ "$(sys_get 'LABEL frmMain.lblTime')" != "$before" ]] || sys_fail "the game's clock stands still"

# Esc in the dialog is Отмена too; the question's No ends the program.
sys_click_menu "Файл" "Новая игра"
sys_wait_for '^ACTIVE frmPlayerNameWindow' 5
sys_key Escape
sys_wait_for '^MODAL messageBox' 5
sys_click_button messageBox "Нет"
for i in $(seq 50); do sys_alive || break; sleep 0.1; done
sys_alive && sys_fail "the program did not end after No"
[[ "$(sys_exit_status)" == "exit status 0" ]] || sys_fail "the program ended with $(sys_exit_status)"
[[ -z "$(ls -A "$SYS_TMP/game/Save" 2>/dev/null)" ]] || sys_fail "No wrote a saved game"
sys_log "passed"
