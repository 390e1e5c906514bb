#!/usr/bin/env bash
# "Советы новичку": offered at the first start of the program beside the
# main window, with the game paused while the player reads (P goes on);
# "Больше не показывать" is kept in the settings and the next start offers
# nothing; the help menu opens the page at any time, without pausing.
source "$(dirname "$0")/lib.sh"
sys_start_x
conf="$SYS_TMP/home/.config/Brindlex/Kalvitor 1.6.conf"
SYS_SETTINGS="" sys_start_game
sys_new_game Vasya
sys_wait_for '^WINDOW tipsWindow "Советы новичку"' 5
sys_wait_for '^ACTIVE tipsWindow' 5
sys_expect '^PAUSED 1' "the game paused while the player reads"
sys_expect '^WINDOW frmMainWindow ' "the main window beside the tips"
sys_shot first-start
before="$(sys_get 'LABEL frmMain.lblTime')"
sleep 1.2; sys_dump
[[ "$(sys_get 'LABEL frmMain.lblTime')" == "$before" ]] || sys_fail "the game's time ran behind the tips"
sys_click_button tipsWindow "Больше не показывать"
grep -q '^Tips=0' "$conf" || sys_fail "the check box was not kept in the settings"
sys_key Escape
sys_wait_for '^ACTIVE frmMainWindow' 5
sys_expect_not '^WINDOW tipsWindow ' "the tips after Esc"
sys_key p
sys_wait_for '^PAUSED 0' 3

sys_click_menu "Справка" "Советы новичку"
sys_wait_for '^ACTIVE tipsWindow' 5
sys_expect '^PAUSED 0' "the game going on under the tips opened from the menu"
sys_key Escape
sys_wait_for '^ACTIVE frmMainWindow' 5

# The next start, with what the game kept: no tips.
kill -9 "$SYS_GAME_PID"; wait "$SYS_GAME_PID" 2>/dev/null || true
SYS_SETTINGS="$(grep '^Tips=' "$conf")" sys_start_game
sys_new_game Vasya
sleep 1.5; sys_dump
sys_expect_not '^WINDOW tipsWindow ' "the tips after Больше не показывать"
sys_expect '^PAUSED 0' "a game that runs"
sys_pass
