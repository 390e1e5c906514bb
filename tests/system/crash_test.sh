#!/usr/bin/env bash
# The overwrite question of the save dialog stays open while a day's event
# types its message; the player answers No, then leaves the save dialog with
# Отмена before the message has ended. The dialog must outlive the loops that
# run over it: the game goes on, nothing is written, nothing is lost.
#
# Chance is fixed: the first two days each bring the surgeon's message
# (virus draw 0, no family event, event 6 of 32).
source "$(dirname "$0")/lib.sh"
sys_start_x
surgeon="0,0.10667,0.1875"
sys_start_game KALVITOR_TEST_SEED=11 "KALVITOR_TEST_RND=$surgeon,$surgeon"
: >"$SYS_TMP/game/Save/crash.ksv"   # a game of that name exists already
sys_new_game Vasya
sys_wait_for '^ACTIVE frmMainWindow' 5

sys_click_menu "Файл" "Сохранить игру..."

sys_wait_for '^ACTIVE frmSaveLoadWindow' 5
sys_wait_for '^FOCUS txtFilename' 3
sys_type crash
sys_key Return
sys_wait_for '^WINDOW [^ ]* "Вопрос"' 5
sys_shot question
# The surgeon's message starts typing over the question.
sys_wait_for '^LABEL frmMain.lblMessage "Сообщение от хирурга' 30
sys_shot typing
sys_key Escape                          # No
sys_wait_for '^ACTIVE frmSaveLoadWindow' 5
sys_expect '^LABEL frmMain.lblMessage "Сообщение от хирурга' "the message still typing"
sys_key Escape                          # Отмена
sys_wait_for '^FORM frmSaveLoad loaded=0' 5
# The message types to its end and goes; the program lives on.
sys_wait_for '^LABEL frmMain.lblMessage ""' 20
sleep 0.5
sys_dump
sys_wait_for '^ACTIVE frmMainWindow' 5
[[ -s "$SYS_TMP/game/Save/crash.ksv" ]] && sys_fail "the answer No wrote the game"
# The game still answers the keyboard.
sys_key p
sys_wait_for '^PAUSED 1' 3
sys_key p
sys_wait_for '^PAUSED 0' 3
sys_pass
