#!/usr/bin/env bash
# The pause key from the main window, after a click, in Russian, and from an
# open place: every lower-case press toggles exactly once; upper case is not
# the pause key.
source "$(dirname "$0")/lib.sh"
sys_start_x
sys_start_game
sys_new_game Vasya
sys_wait_for '^ACTIVE frmMainWindow' 5
sys_expect '^PAUSED 0'

toggle() {  # KEY EXPECTED
  sys_key "$1"
  sys_wait_for "^PAUSED $2" 3
}
toggle p 1
sys_shot paused
t1="$(grep '^STATE GameTime' "$SYS_DUMP")"
sleep 1.2
sys_dump
[[ "$(grep '^STATE GameTime' "$SYS_DUMP")" == "$t1" ]] || sys_fail "the clock went on during the pause"
toggle p 0
toggle p 1
toggle p 0

# After a click on the window (a label of the information panel).
sys_click frmMainWindow.lblMoney
toggle p 1
sys_click frmMainWindow.lblMoney
toggle p 0

# The same key on the Russian layout; upper case means nothing.
toggle Cyrillic_ze 1
sys_key shift+p
sleep 0.4
sys_dump
sys_expect '^PAUSED 1' "upper-case P to leave the pause alone"
toggle Cyrillic_ze 0

# From an open place: the shop.
sys_click frmMainWindow.cmdShop
sys_wait_for '^FORM frmShop loaded=1 shown=1' 5
sys_wait_for '^ACTIVE frmShopWindow' 5
toggle p 1
toggle p 0
sys_key Escape
sys_wait_for '^FORM frmShop loaded=[01] shown=0' 5
sys_wait_for '^ACTIVE frmMainWindow' 5
toggle p 1
toggle p 0
sys_pass
