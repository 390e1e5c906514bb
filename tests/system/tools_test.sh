#!/usr/bin/env bash
# The journal and the statistics only show the game: they open and take
# input while the game is paused and while a place is open (by the menu and
# by Ctrl+J / Ctrl+T), also when the journal was open before the place; Esc
# closes them. The game runs without Qt Charts until the statistics first
# open (their module brings it in); without that module the menu item says
# so in a box and the game goes on.
source "$(dirname "$0")/lib.sh"
sys_start_x
sys_start_game
sys_new_game Vasya
sys_wait_for '^ACTIVE frmMainWindow' 5
charts_loaded() { grep -q 'libQt6Charts' "/proc/$SYS_GAME_PID/maps"; }
charts_loaded && sys_fail "Qt Charts were loaded before the statistics opened"

sys_key p
sys_wait_for '^PAUSED 1' 3
sys_key ctrl+j
sys_wait_for '^ACTIVE journalWindow' 5
sys_key Escape
sys_wait_for '^ACTIVE frmMainWindow' 5
sys_expect_not '^WINDOW journalWindow ' "the journal after Esc"
sys_click_menu "Игра" "Статистика..."
sys_wait_for '^ACTIVE statsWindow' 5
charts_loaded || sys_fail "the statistics opened, and Qt Charts are not loaded"
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

# The game folder without the statistics' module: Ctrl+T brings a box, Enter
# closes it, no window opens, and the clock goes on.
kill -9 "$SYS_GAME_PID"; wait "$SYS_GAME_PID" 2>/dev/null || true
rm "$SYS_TMP/game"/kalvitor-stats.*
sys_start_game
sys_new_game Petya
sys_wait_for '^ACTIVE frmMainWindow' 5
sys_key ctrl+t
sys_wait_for '^MODAL messageBox' 5
sys_expect '^WINDOW messageBox "Brindlex Kalvitor 1.6" ' "the box under the game's title"
sys_key Return
sys_wait_for '^ACTIVE frmMainWindow' 5
sys_expect_not '^WINDOW statsWindow ' "the statistics without their module"
time="$(sys_get 'STATE GameTime')"
for _ in $(seq 30); do
  sys_dump
  [[ "$(sys_get 'STATE GameTime')" != "$time" ]] && break
  sleep 0.2
done
[[ "$(sys_get 'STATE GameTime')" != "$time" ]] || sys_fail "the clock stood after the box"
sys_pass
