#!/usr/bin/env bash
# The longest message of the game, the surgeon's three lines to a married
# player, shows whole under the panels and covers no other control of the
# main window (no "Принтер", no "Сканер").
source "$(dirname "$0")/lib.sh"
sys_start_x
# Day one: no virus, no family news, event 16 of 32 (the surgeon, married only).
sys_start_game KALVITOR_TEST_SEED=5 "KALVITOR_TEST_RND=0,0.10667,0.5"
sys_new_game Vasya
sys_wait_for '^ACTIVE frmMainWindow' 5
sys_click_menu "Игра" "Семья"
sys_wait_for '^ACTIVE frmFamilyWindow' 5
sys_click frmFamilyWindow.Command1          # Жениться
sys_wait_for '^MODAL messageBox' 5
sys_key Return
sys_wait_for '^STATE Married (-1|1|True)' 5
sys_key Escape
sys_wait_for '^FORM frmFamily loaded=0' 5
sys_wait_for '^MESSAGE "Сообщение от хирурга.*За операцию 350 долларов!" .*fits=1' 40
sys_shot surgeon
# The message's plate, and every other control of the main window on the screen.
read -r _ _ mx my mw mh <<<"$(grep -m1 '^CONTROL frmMainWindow.lblMessage ' "$SYS_DUMP")"
[[ -n "$mh" ]] || sys_fail "the message line is not on the screen"
while read -r _ name x y w h; do
  [[ "$name" == frmMainWindow.lblMessage ]] && continue
  if (( x < mx + mw && mx < x + w && y < my + mh && my < y + h )); then
    sys_fail "the message covers $name ($x $y $w $h under $mx $my $mw $mh)"
  fi
done < <(grep '^CONTROL frmMainWindow\.' "$SYS_DUMP")
sys_pass
