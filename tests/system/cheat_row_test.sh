#!/usr/bin/env bash
# "p" twice with the cheat box open hides the pause's shape while the box
# stays (as the rules say); the box's row then still stands on a plate of
# its own, and over no panel's heading.
source "$(dirname "$0")/lib.sh"
sys_start_x
sys_start_game
sys_new_game Vasya
sys_wait_for '^ACTIVE frmMainWindow' 5
sys_key c
sys_wait_for '^FOCUS txtCheat' 3
sys_key p
sys_wait_for '^PAUSED 1' 3
sys_key p
sys_wait_for '^PAUSED 0' 3
sys_expect_not '^CONTROL frmMainWindow.shpMsgShape ' "the shape after the second p"
sys_shot cheat-row
rect() { grep -m1 "^CONTROL frmMainWindow.$1 " "$SYS_DUMP" | cut -d' ' -f3-; }
read -r px py pw ph <<<"$(rect lblCheatInstr)"
[[ -n "$ph" ]] || sys_fail "the cheat box's caption is not on the screen"
for c in txtCheat cmdCheatOk cmdCheatCancel; do
  read -r x y w h <<<"$(rect "$c")"
  [[ -n "$h" ]] || sys_fail "$c is not on the screen"
  (( x >= px && y >= py && x + w <= px + pw && y + h <= py + ph )) ||
    sys_fail "$c ($x $y $w $h) stands bare, off the row's plate ($px $py $pw $ph)"
done
# A panel's heading: the top 20 pixels of its frame.
for panel in fraInfo fraMenu fraHard fraSoft; do
  read -r x y w h <<<"$(rect "$panel")"
  (( px < x + w && x < px + pw && py < y + 20 && y < py + ph )) &&
    sys_fail "the cheat row ($px $py $pw $ph) lies over the heading of $panel ($x $y $w)"
done
sys_pass
