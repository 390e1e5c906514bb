# Saved games for the system tests, written as the game writes them
# (cp1251, CR LF, the 37 lines of docs/save-format.md) into the test's copy
# of the game folder. Source after lib.sh.

# sys_save NAME TIME HW(9 models) SOFT(6 models): $450, normal vitals, no job.
sys_save() {
  local name="$1" time="$2"
  shift 2
  (( $# == 15 )) || sys_fail "sys_save: nine hardware and six software models"
  if [[ ! -d "$SYS_TMP/game" ]]; then
    mkdir -p "$SYS_TMP/game"
    cp -r "$(cd "$KALVITOR_GAME_DIR" && pwd)/." "$SYS_TMP/game/"
  fi
  mkdir -p "$SYS_TMP/game/Save"
  {
    printf '%s\r\n' "Brindlex Kalvitor ver. 1.06.2002 / Standard Game File Format" 450 25 "$time" 01.06.2002 "$name" \
      0 0 "Безработный" "$@" 40 75 0 0 1 20 0 0 0 0 0 0 0
  } | iconv -f UTF-8 -t CP1251 >"$SYS_TMP/game/Save/$name.ksv"
}

# A computer that goes on line: Pentium 133, 8 Mb, S3 Trio, 850 Mb, a 9600
# bps modem; Windows 95 and Internet Explorer 3.0.
sys_save_online() { sys_save "$1" "${2:-0:30:00}" 2 1 1 1 0 1 0 0 0 2 0 0 0 1 0; }

# Loads a saved game from the name dialog: "Загрузить игру", its name, Enter.
sys_load_from_name_dialog() {
  sys_wait_for '^FORM frmPlayerName loaded=1 shown=1' 20
  sys_wait_for '^ACTIVE frmPlayerNameWindow' 20
  sys_click_button frmPlayerNameWindow "$(sys_tr "Загрузить игру")"
  sys_wait_for '^ACTIVE frmSaveLoadWindow' 5
  sys_type "$1"
  sys_key Return
  sys_wait_for '^FORM frmSaveLoad loaded=0' 5
  sys_wait_for '^FORM frmMain loaded=1 shown=1' 10
}
