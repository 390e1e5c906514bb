#!/usr/bin/env bash
# Where the dialogs open: the name dialog over the middle of the screen, its
# load dialog over the middle of the name dialog; after a game was loaded
# from there, the save and load dialogs of the menu over the middle of the
# main window, each time.
source "$(dirname "$0")/lib.sh"
source "$(dirname "$0")/saves.sh"
sys_start_x
sys_screen

middle() {  # WINDOW: "x y" of its middle, once the window manager has framed it
  sys_settled_window "$1"
  echo "$(( SYS_WX + SYS_WW / 2 )) $(( SYS_WY + SYS_WH / 2 ))"
}
near() {  # WHAT X1 Y1 X2 Y2: two middles at most 40 pixels apart (a title bar)
  (( ($2 - $4) * ($2 - $4) + ($3 - $5) * ($3 - $5) <= 40 * 40 )) || sys_fail "$1: ($2, $3) is not over ($4, $5)"
}

sys_save_online Net
sys_start_game
sys_wait_for '^ACTIVE frmPlayerNameWindow' 20
read -r nx ny <<<"$(middle frmPlayerNameWindow)"
near "the name dialog, the screen" "$nx" "$ny" $(( SYS_SW / 2 )) $(( SYS_SH / 2 ))
sys_click_button frmPlayerNameWindow "Загрузить игру"
sys_wait_for '^ACTIVE frmSaveLoadWindow' 5
read -r lx ly <<<"$(middle frmSaveLoadWindow)"
near "the load dialog, the name dialog" "$lx" "$ly" "$nx" "$ny"
sys_type Net
sys_key Return
sys_wait_for '^ACTIVE frmMainWindow' 10
read -r mx my <<<"$(middle frmMainWindow)"
for item in "Сохранить игру..." "Загрузить игру..." "Сохранить игру..."; do
  sys_click_menu "Файл" "$item"
  sys_wait_for '^ACTIVE frmSaveLoadWindow' 5
  read -r dx dy <<<"$(middle frmSaveLoadWindow)"
  near "$item, the main window" "$dx" "$dy" "$mx" "$my"
  sys_key Escape
  sys_wait_for '^ACTIVE frmMainWindow' 5
done
sys_pass
