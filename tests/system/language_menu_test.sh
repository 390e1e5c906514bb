#!/usr/bin/env bash
# The language menu, as a player uses it: the game starts in Russian (the
# system asks for none the game has), the player chooses English from the
# menu "Язык" with real clicks, and at once the main window, its menus, the
# journal open beside it and Qt's own buttons speak English; the next start
# speaks English too, and Russian comes back the same way.
source "$(dirname "$0")/lib.sh"
sys_start_x

# A caption as the catalogue gives it in English.
en() { SYS_LANG=en sys_tr "$1"; }
sys_start_game
sys_new_game
sys_expect '^MENUITEM "Язык" ' "the language menu in Russian"
sys_click_menu "Игра" "Журнал событий..."
sys_wait_for '^ACTIVE journalWindow' 5
# Moved down, clear of the main window's menu bar.
xdotool search --name "^Журнал событий$" windowmove 100 640
sleep 0.3
sys_click_menu "Язык" "English"
sys_wait_for "^MENUITEM \"$(en "Язык")\" " 5
for caption in "Файл" "Игра" "Скорость игры" "Звук" "Справка"; do
  sys_expect "^MENUITEM \"$(en "$caption")\" " "the menu $caption in English"
done
sys_expect "^BUTTON frmMainWindow \"$(en "Свернуть игру")\" " "the main window's button in English"
sys_expect "^WINDOW journalWindow \"$(en "Журнал событий")\"" "the journal beside it in English"
# Qt's own buttons follow: the exit question's.
sys_click_menu "$(en "Файл")" "$(en "Выход")"
sys_wait_for '^MODAL messageBox' 5
sys_expect '^BUTTON messageBox "Yes" ' "Qt's Yes in English"
sys_key Escape
sys_wait_for '^ACTIVE frmMainWindow' 5

# The choice is kept: the next start speaks English from the name dialog on.
kill -9 "$SYS_GAME_PID"; wait "$SYS_GAME_PID" 2>/dev/null || true
SYS_KEEP_SETTINGS=1 sys_start_game
sys_wait_for '^ACTIVE frmPlayerNameWindow' 20
sys_expect "^BUTTON frmPlayerNameWindow \"$(en "Загрузить игру")\" " "the name dialog in English at the next start"
sys_new_game
sys_click_menu "$(en "Язык")" "Русский"
sys_wait_for '^MENUITEM "Язык" ' 5
sys_expect '^BUTTON frmMainWindow "Свернуть игру" ' "Russian again"
sys_pass
