#!/usr/bin/env bash
# A day's event belongs to the game it struck: when the player loads a saved
# game from the menu while the robbery's message still types, the loaded
# game keeps its money and vitals (no theft, no mood lost, no daily wear).
source "$(dirname "$0")/lib.sh"
sys_start_x

# A saved game of $1000 at a quiet morning, written as the game writes one.
mkdir -p "$SYS_TMP/game"
cp -r "$(cd "$KALVITOR_GAME_DIR" && pwd)/." "$SYS_TMP/game/"
mkdir -p "$SYS_TMP/game/Save"
{
  printf '%s\r\n' "Brindlex Kalvitor ver. 1.06.2002 / Standard Game File Format" 1000 25 "7:30:00" 01.06.2002 Rich 0 0 \
    "Безработный" 0 0 0 0 0 0 0 0 0 0 0 0 0 0 0 40 75 0 0 1 20 0 0 0 0 0 0 0
} | iconv -f UTF-8 -t CP1251 >"$SYS_TMP/game/Save/rich.ksv"

# Day one: no virus, no family news, event 4 of 32 (the robbery).
sys_start_game KALVITOR_TEST_SEED=5 "KALVITOR_TEST_RND=0,0.10667,0.125"
sys_new_game Vasya
sys_wait_for '^ACTIVE frmMainWindow' 5
sys_wait_for '^MESSAGE "Сообщение от Майора' 40
sys_click_menu "Файл" "Загрузить игру..."
sys_wait_for '^ACTIVE frmSaveLoadWindow' 5
sys_type rich
sys_key Return
sys_wait_for '^FORM frmSaveLoad loaded=0' 5
sys_wait_for '^CAPTION frmMain "Brindlex Kalvitor 1.6 -- Rich"' 3
# The message types on to its end and is cleared; the robbery is over then.
sys_wait_for '^MESSAGE ""' 30
sys_expect '^STATE Money 1000$' "the loaded game lost no money"
sys_expect '^STATE Mood 25$' "the loaded game lost no mood"
sys_expect '^STATE Health 40$' "the loaded game's health is as saved"
sys_expect '^STATE Satiety 75$' "the loaded game's satiety is as saved"
sys_pass
