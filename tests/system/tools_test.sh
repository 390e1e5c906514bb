#!/usr/bin/env bash
# The journal and the statistics only show the game: they open and take
# input while the game is paused and while a place is open (by the menu and
# by Ctrl+J / Ctrl+T), also when the journal was open before the place; Esc
# closes them.
source "$(dirname "$0")/lib.sh"
sys_start_x
sys_start_game
sys_new_game Vasya
sys_wait_for '^ACTIVE frmMainWindow' 5

sys_key p
sys_wait_for '^PAUSED 1' 3
sys_key ctrl+j
sys_wait_for '^ACTIVE journalWindow' 5
sys_key Escape
sys_wait_for '^ACTIVE frmMainWindow' 5
sys_expect_not '^WINDOW journalWindow ' "the journal after Esc"
sys_click_menu "Игра" "Статистика..."
sys_wait_for '^ACTIVE statsWindow' 5
sys_key Escape
sys_wait_for '^ACTIVE frmMainWindow' 5
sys_expect_not '^WINDOW statsWindow ' "the statistics after Esc"
sys_key p
sys_wait_for '^PAUSED 0' 3

# A place is open: Ctrl+J there; the journal takes the keyboard.
sys_click frmMainWindow.cmdShop
sys_wait_for '^ACTIVE frmShopWindow' 5
sys_key ctrl+j
sys_wait_for '^ACTIVE journalWindow' 5
sys_key Tab
sys_wait_for '^FOCUS txtSearch' 3
sys_key ctrl+t
sys_wait_for '^ACTIVE statsWindow' 5
sys_key Escape
sys_wait_for '^ACTIVE (journalWindow|frmShopWindow)' 5
# The journal, open behind the place, is brought forward and used.
xdotool search --name '^Журнал событий$' windowactivate 2>/dev/null || true
sys_wait_for '^ACTIVE journalWindow' 5
sys_key shift+Tab
sys_wait_for '^FOCUS cboKind' 3
sys_key Escape
sys_wait_for '^ACTIVE frmShopWindow' 5
sys_key Escape
sys_wait_for '^ACTIVE frmMainWindow' 5
sys_pass
