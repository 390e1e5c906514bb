#!/usr/bin/env bash
# Every place opens over the middle of the main window, wholly on the
# screen, and leaves with Esc as with its "Назад"; a place opened again
# stands where it stood. F10 opens the menu bar; the about box and the help
# texts close with Esc; no window cuts off a text.
source "$(dirname "$0")/lib.sh"
sys_start_x
sys_start_game
sys_new_game Vasya
sys_wait_for '^ACTIVE frmMainWindow' 5
sys_settled_window frmMainWindow
mx=$SYS_WX my=$SYS_WY mw=$SYS_WW mh=$SYS_WH
sys_expect_not '^CLIPPED' "a text cut off in the main window"

check_window() {  # WINDOW: on the screen, its middle near the main window's
  sys_settled_window "$1"
  local x=$SYS_WX y=$SYS_WY w=$SYS_WW h=$SYS_WH
  local dx=$(( (x + w / 2) - (mx + mw / 2) )) dy=$(( (y + h / 2) - (my + mh / 2) ))
  (( dx * dx + dy * dy <= 40 * 40 )) || sys_fail "$1 is not over the middle of the main window ($dx, $dy)"
  sys_expect_not "^CLIPPED $1\\." "a text cut off in $1"
}

for place in cmdWork:frmWork cmdShop:frmShop cmdFamily:frmFamily cmdHealth:frmHospital cmdHappy:frmHappy \
             cmdSoft:frmSoft cmdHard:frmHard cmdBank:frmBank cmdSchool:frmEducation; do
  label="${place%%:*}" form="${place#*:}"
  sys_click "frmMainWindow.$label"
  sys_wait_for "^ACTIVE ${form}Window" 5
  check_window "${form}Window"
  first="$(grep -m1 "^CONTROL ${form}Window\.Command8 " "$SYS_DUMP")"
  sys_shot "$form"
  sys_key Escape
  sys_wait_for "^FORM $form loaded=[01] shown=0" 5
  sys_wait_for '^ACTIVE frmMainWindow' 5
  # Again: where it stood.
  sys_click "frmMainWindow.$label"
  sys_wait_for "^ACTIVE ${form}Window" 5
  sleep 0.3; sys_dump                       # the window manager has framed it
  again="$(grep -m1 "^CONTROL ${form}Window\.Command8 " "$SYS_DUMP")"
  [[ "$again" == "$first" ]] || sys_fail "$form moved when opened again: $first / $again"
  sys_key Escape
  sys_wait_for '^ACTIVE frmMainWindow' 5
done

# F10 and the arrows reach the help menu's about box; Esc closes it.
sys_key F10
sys_wait_for '^MENUITEM "Новая игра"' 3
sys_key Left Up Return                     # Справка, its last item: "О программе..."
sys_wait_for '^ACTIVE frmAboutWindow' 5
check_window frmAboutWindow
sys_shot about
sys_key Escape
sys_wait_for '^FORM frmAbout loaded=0' 5
# The readme in the game's own viewer; Esc closes it.
sys_click_menu "Справка" "Справка"
sys_wait_for '^ACTIVE textViewer' 5
check_window textViewer
sys_shot readme
sys_key Escape
sys_wait_for '^ACTIVE frmMainWindow' 5
sys_expect_not '^WINDOW textViewer'
sys_pass
