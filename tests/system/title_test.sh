#!/usr/bin/env bash
# The window manager shows the whole title of a narrow window: the bank's
# screen and its message boxes are at least as wide as "The Bank of New
# York" needs in the title bar's font (openbox: sans, bold, 8 pt), with the
# title bar's icon, three buttons and their gaps (96 pixels of the screen in
# openbox's Clearlooks).
source "$(dirname "$0")/lib.sh"
sys_start_x
sys_start_game
sys_new_game Vasya
sys_wait_for '^ACTIVE frmMainWindow' 5

whole_title() {  # WINDOW: its frame holds its title
  local line title w need
  sleep 0.3; sys_dump
  line="$(grep -m1 "^WINDOW $1 " "$SYS_DUMP")" || sys_fail "no window $1"
  title="$(sed 's/^WINDOW [^ ]* "\(.*\)" [-0-9]* [-0-9]* [0-9]* [0-9]*$/\1/' <<<"$line")"
  w="$(awk '{print $(NF-1)}' <<<"$line")"
  need=$(( $(convert -density 96 -font DejaVu-Sans-Bold -pointsize 8 label:"$title" -format %w info:) + 96 ))
  (( w * SYS_SCALE + 2 >= need )) || sys_fail "$1 is $(( w * SYS_SCALE )) pixels wide; its title \"$title\" needs $need"
}

sys_click frmMainWindow.cmdBank
sys_wait_for '^ACTIVE frmBankWindow' 5
whole_title frmBankWindow
sys_shot bank
sys_click frmBankWindow.Label7              # Забрать: a sum that is no number
sys_wait_for '^ACTIVE inputBox' 5
whole_title inputBox
sys_shot input-box
sys_type x
sys_key Return
sys_wait_for '^MODAL messageBox' 5
whole_title messageBox
sys_shot refused
sys_key Return
sys_wait_for '^ACTIVE frmBankWindow' 5
sys_pass
