#!/usr/bin/env bash
# Every window of the game fits wholly on the screen and cuts off no text:
# the name dialog, the load and save dialogs, the main window with its cheat
# box and pause, every place, the network, the bank's input and message
# boxes, the exit question, the about box, the readme and licence, the
# journal, the statistics, the tips and the virus dialog. Run as it is on 1024x768,
# and by fit_scale2_test.sh at scale 2 on 1920x1080; fit_en_test.sh and
# fit_scale2_en_test.sh run both in English. With KALVITOR_SHOTS set it
# leaves a screenshot of each.
source "$(dirname "$0")/lib.sh"
source "$(dirname "$0")/saves.sh"
sys_start_x

# WINDOW SHOT: once it stands still, wholly on the screen, no text cut off.
fits() {
  sys_settled_window "$1" 40
  sys_expect_not "^CLIPPED $1\\." "a text cut off in $1"
  # In another language no Russian letter is on a window, a button, a
  # label or a menu (the language menu's "Русский" is not open here).
  if [[ -n "$SYS_LANG" ]] && grep -P '^(WINDOW|BUTTON|LABEL|MENUITEM|MESSAGE) .*\p{Cyrillic}' "$SYS_DUMP" >"$SYS_TMP/russian"; then
    sys_fail "Russian in $1: $(head -3 "$SYS_TMP/russian")"
  fi
  sys_shot "$2"
}

# Quiet days: no virus, no family news, no event (the draws of 40 days).
quiet="$(printf '0,%.0s' $(seq 120))"
sys_save_online Net
sys_start_game "KALVITOR_TEST_RND=$quiet"
sys_wait_for '^ACTIVE frmPlayerNameWindow' 20
fits frmPlayerNameWindow name-dialog
sys_click_button frmPlayerNameWindow "$(sys_tr "Загрузить игру")"
sys_wait_for '^ACTIVE frmSaveLoadWindow' 5
fits frmSaveLoadWindow load-dialog
sys_type Net
sys_key Return
sys_wait_for '^ACTIVE frmMainWindow' 10
fits frmMainWindow main
sys_key c
sys_wait_for '^FOCUS txtCheat' 3
sys_key p
sys_wait_for '^PAUSED 1' 3
fits frmMainWindow cheat-and-pause
sys_key p
sys_wait_for '^PAUSED 0' 3
sys_key Escape
sys_wait_for '^FOCUS [^t]' 3

for place in cmdWork:frmWork cmdShop:frmShop cmdFamily:frmFamily cmdHealth:frmHospital cmdHappy:frmHappy \
             cmdSoft:frmSoft cmdHard:frmHard cmdSchool:frmEducation cmdInNet:frmNetwork cmdBank:frmBank; do
  label="${place%%:*}" form="${place#*:}"
  sys_click "frmMainWindow.$label"
  sys_wait_for "^ACTIVE ${form}Window" 5
  fits "${form}Window" "$form"
  [[ "$form" == frmBank ]] && break
  sys_key Escape
  sys_wait_for '^ACTIVE frmMainWindow' 5
done
# The bank asks for a sum; a sum that is no number is refused.
sys_click frmBankWindow.Label7
sys_wait_for '^ACTIVE inputBox' 5
fits inputBox input-box
sys_type x
sys_key Return
sys_wait_for '^MODAL messageBox' 5
fits messageBox message-box
sys_key Return
sys_wait_for '^ACTIVE frmBankWindow' 5
sys_key Escape
sys_wait_for '^ACTIVE frmMainWindow' 5

sys_click_menu "$(sys_tr "Файл")" "$(sys_tr "Сохранить игру...")"
sys_wait_for '^ACTIVE frmSaveLoadWindow' 5
fits frmSaveLoadWindow save-dialog
sys_key Escape
sys_wait_for '^ACTIVE frmMainWindow' 5
sys_click_menu "$(sys_tr "Файл")" "$(sys_tr "Выход")"
sys_wait_for '^MODAL messageBox' 5
fits messageBox exit-question
sys_key Escape
sys_wait_for '^ACTIVE frmMainWindow' 5
sys_click_menu "$(sys_tr "Справка")" "$(sys_tr "О программе...")"
sys_wait_for '^ACTIVE frmAboutWindow' 5
fits frmAboutWindow about
sys_key Escape
sys_wait_for '^ACTIVE frmMainWindow' 5
for item in "Справка:readme" "Лицензионное соглашение:license"; do
  sys_click_menu "$(sys_tr "Справка")" "$(sys_tr "${item%%:*}")"
  sys_wait_for '^ACTIVE textViewer' 5
  fits textViewer "${item#*:}"
  sys_key Escape
  sys_wait_for '^ACTIVE frmMainWindow' 5
done
sys_click_menu "$(sys_tr "Справка")" "$(sys_tr "Советы новичку")"
sys_wait_for '^ACTIVE tipsWindow' 5
fits tipsWindow tips
sys_key Escape
sys_wait_for '^ACTIVE frmMainWindow' 5
sys_click_menu "$(sys_tr "Игра")" "$(sys_tr "Журнал событий...")"
sys_wait_for '^ACTIVE journalWindow' 5
fits journalWindow journal
sys_key Escape
sys_wait_for '^ACTIVE frmMainWindow' 5
sys_click_menu "$(sys_tr "Игра")" "$(sys_tr "Статистика...")"
sys_wait_for '^ACTIVE statsWindow' 5
fits statsWindow stats
sys_key Escape
sys_wait_for '^ACTIVE frmMainWindow' 5

# The virus dialog: a game loaded just before midnight, the day's draw 21 of 50.
kill -9 "$SYS_GAME_PID"; wait "$SYS_GAME_PID" 2>/dev/null || true
sys_save_online Late 23:59:00
sys_start_game "KALVITOR_TEST_RND=0.42,0,0"
sys_load_from_name_dialog Late
sys_wait_for '^ACTIVE frmVirusWindow' 10
fits frmVirusWindow virus
sys_pass
