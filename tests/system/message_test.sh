#!/usr/bin/env bash
# The longest message of the game, the surgeon's three lines to a married
# player, shows whole, in one size from the first letter to the last, under
# the panels, and covers no other control of the main window (no "Принтер",
# no "Сканер").
source "$(dirname "$0")/lib.sh"
sys_start_x
# Day one: no virus, no family news, event 16 of 32 (the surgeon, married only).
sys_start_game KALVITOR_TEST_SEED=5 "KALVITOR_TEST_RND=0,0.10667,0.5"
sys_new_game Vasya
sys_wait_for '^ACTIVE frmMainWindow' 5
# Marry first: Игра -> Семья (the menu now opens the place), Жениться.
sys_click_menu "Игра" "Семья"
sys_wait_for '^ACTIVE frmFamilyWindow' 5
sys_expect '^WINDOW frmFamilyWindow "Семья"' "the family window's own title"
sys_click frmFamilyWindow.Command1
sys_wait_for '^MODAL messageBox' 5
sys_key Return
sys_wait_for '^STATE Married (-1|1|True)' 5
sys_key Escape                              # leaves the place like "Назад"
sys_wait_for '^FORM frmFamily loaded=0' 5
sys_wait_for '^MESSAGE "Сообщение от хирурга' 30
sizes=()
while :; do
  sys_dump
  line="$(grep '^MESSAGE ' "$SYS_DUMP")"
  [[ "$line" == *'За операцию 350 долларов!"'* ]] && break
  [[ "$line" == 'MESSAGE ""'* ]] && sys_fail "the message ended unseen"
  sizes+=("$(grep -o 'pt=[0-9.]*' <<<"$line")")
  grep -q 'fits=1' <<<"$line" || sys_fail "the message is cut off while it types: $line"
done
grep -q 'fits=1' <<<"$line" || sys_fail "the whole message does not fit: $line"
sys_shot whole-message
uniq_sizes="$(printf '%s\n' "${sizes[@]}" "$(grep -o 'pt=[0-9.]*' <<<"$line")" | sort -u | wc -l)"
(( uniq_sizes == 1 )) || sys_fail "the letters changed size while typing: $(printf '%s ' "${sizes[@]}" | sort -u)"
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
