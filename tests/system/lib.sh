# The desktop game under a real X server: Xvfb, a small window manager and
# real X input (xdotool). Every test starts the real program from a copy of
# the game folder in a folder of its own, silent, with a fresh home, and
# reads what happened from window titles, screenshots and the program's
# read-only state dump (KALVITOR_TEST_DUMP, written on SIGUSR1).
#
# Usage in a test: source lib.sh; sys_start_x; sys_start_game [ENV=VALUE ...]
# Needs KALVITOR_GAME_DIR (the built game folder).
set -Eeuo pipefail

SYS_TMP="$(mktemp -d /tmp/kalvitor-system.XXXXXX)"
SYS_XVFB_PID=""
SYS_WM_PID=""
SYS_GAME_PID=""
SYS_DUMP="$SYS_TMP/dump.txt"
SYS_NAME="${SYS_NAME:-$(basename "$0" .sh)}"
SYS_SHOTS="${KALVITOR_SHOTS:-}"
# Qt reports places in its own pixels; X input wants the screen's.
SYS_SCALE="${QT_SCALE_FACTOR:-1}"

# Nothing shared with the desktop this runs on or with a test beside it: no
# session bus (a test that wants one starts its own), a runtime folder of its
# own; the X server, the homes and the game folder are the test's too.
unset DBUS_SESSION_BUS_ADDRESS
mkdir -m 700 "$SYS_TMP/runtime"
export XDG_RUNTIME_DIR="$SYS_TMP/runtime"
# The game speaks the language the system asks for: these tests read its
# Russian texts, whatever the machine's locale (a test may ask for another).
unset LANGUAGE LC_ALL LC_MESSAGES
export LANG=C.UTF-8
# SYS_LANG=en: the game is started on a system that asks for that language,
# and the tests find buttons and menus by their captions in it (sys_tr).
SYS_LANG="${SYS_LANG:-}"
SYS_SOURCE="$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)"

# A caption as the game shows it in SYS_LANG: sys_click_menu "$(sys_tr Файл)" ...
sys_tr() {
  if [[ -z "$SYS_LANG" ]]; then printf '%s' "$1"; else python3 "$SYS_SOURCE/tests/system/po_text.py" "$SYS_SOURCE/po/$SYS_LANG.po" "$@"; fi
}

sys_log() { echo "[$SYS_NAME] $*" >&2; }
sys_fail() {
  sys_log "FAIL: $*"
  command -v import >/dev/null && import -window root "$SYS_TMP/failed.png" 2>/dev/null && sys_log "screen: $SYS_TMP/failed.png"
  KALVITOR_KEEP=1
  if [[ -f "$SYS_DUMP" ]]; then sys_log "last dump:"; grep -v '^STATE\|^CONTROL' "$SYS_DUMP" >&2 || true; fi
  [[ -f "$SYS_TMP/game.err" ]] && { sys_log "program's errors:"; tail -40 "$SYS_TMP/game.err" >&2; }
  exit 1
}

sys_cleanup() {
  local rc=$?
  [[ -n "$SYS_GAME_PID" ]] && kill -9 "$SYS_GAME_PID" 2>/dev/null || true
  [[ -n "$SYS_WM_PID" ]] && kill "$SYS_WM_PID" 2>/dev/null || true
  [[ -n "$SYS_XVFB_PID" ]] && kill "$SYS_XVFB_PID" 2>/dev/null || true
  wait 2>/dev/null || true
  if [[ $rc -eq 0 && -z "${KALVITOR_KEEP:-}" ]]; then rm -rf "$SYS_TMP"; else sys_log "left in $SYS_TMP"; fi
}
trap sys_cleanup EXIT
# A command that fails outside sys_fail still says where the test stopped.
trap 'sys_log "FAIL: line $LINENO: $BASH_COMMAND (status $?)"' ERR

# Xvfb, then openbox, so that focus and placement behave as on a desktop.
# Xvfb picks a free display itself and writes its number once it takes
# clients, so two X servers started side by side never share a display.
sys_start_x() {
  Xvfb -displayfd 3 -screen 0 "${SYS_SCREEN:-1024x768x24}" -nolisten tcp \
    3>"$SYS_TMP/display" >"$SYS_TMP/xvfb.log" 2>&1 &
  SYS_XVFB_PID=$!
  local i n=""
  for i in $(seq 200); do
    read -r n 2>/dev/null <"$SYS_TMP/display" || true
    [[ "$n" =~ ^[0-9]+$ ]] && break
    kill -0 "$SYS_XVFB_PID" 2>/dev/null || sys_fail "the X server ended at start: $(tail -3 "$SYS_TMP/xvfb.log")"
    sleep 0.05
  done
  [[ "$n" =~ ^[0-9]+$ ]] || sys_fail "no X display could be started"
  export DISPLAY=":$n"
  # The window manager's settings are its defaults, in a home of its own.
  mkdir -p "$SYS_TMP/wm"
  env -u XDG_CONFIG_HOME -u XDG_CACHE_HOME -u XDG_DATA_HOME HOME="$SYS_TMP/wm" \
    openbox --sm-disable >"$SYS_TMP/wm.log" 2>&1 &
  SYS_WM_PID=$!
  sleep 0.5
}

# A time zone in which it is now about 00:10. A new game's clock starts at
# the time of day it is and a game day lasts some 15 seconds at the normal
# speed: in a game begun at 00:10 the first midnight, and the first day's
# news, comes some 14 seconds after the start, whenever the test runs (begun
# at 23:50 it would come at once).
sys_morning_tz() {
  local now off sign
  now=$(( $(date -u +%s) / 60 % 1440 ))
  off=$(( (10 - now + 1440) % 1440 ))         # minutes east of UTC
  (( off > 720 )) && off=$(( off - 1440 ))
  # POSIX time zones count the other way: hours west of UTC.
  if (( off > 0 )); then sign=-; else sign=+; off=$(( -off )); fi
  printf 'KLV%s%d:%02d' "$sign" $(( off / 60 )) $(( off % 60 ))
}

# Starts the game from a fresh copy of the game folder, music and effects off
# (so that no draw of chance goes to the music; SYS_MUSIC=1 and SYS_EFFECTS=1
# switch them on), the first start's tips not offered (SYS_SETTINGS replaces
# that line), with the dump set up. SYS_KEEP_SETTINGS=1 keeps the settings
# the last start left.
sys_start_game() {
  mkdir -p "$SYS_TMP/home/.config/Brindlex"
  local settings="$SYS_TMP/home/.config/Brindlex/Kalvitor 1.6.conf"
  [[ -n "${SYS_KEEP_SETTINGS:-}" && -f "$settings" ]] ||
    printf '[General]\nMusic=%s\nEffects=%s\n%s\n' "${SYS_MUSIC:-0}" "${SYS_EFFECTS:-0}" "${SYS_SETTINGS-Tips=0}" \
      >"$settings"
  rm -f "$SYS_DUMP"
  # A second start in the same test keeps the game folder (and its saves).
  [[ -d "$SYS_TMP/game" ]] || cp -r "$(cd "$KALVITOR_GAME_DIR" && pwd)" "$SYS_TMP/game"
  (
    cd "$SYS_TMP/game"
    export HOME="$SYS_TMP/home" XDG_CONFIG_HOME="$SYS_TMP/home/.config" XDG_DATA_HOME="$SYS_TMP/home/.local/share" \
      XDG_CACHE_HOME="$SYS_TMP/home/.cache"
    export KALVITOR_TEST_DUMP="$SYS_DUMP" SDL_AUDIODRIVER=dummy QT_QPA_PLATFORM=xcb TZ="$(sys_morning_tz)"
    # A day lasts seconds: a test may see midnights. Unless the test sets
    # chance itself, 40 days bring no news (each day's draws: no virus, family news
    # 8 of 75 (none), event 1 of 32 (none)), which would otherwise come at any
    # step of the test.
    [[ " $* " == *" KALVITOR_TEST_RND="* || " $* " == *" KALVITOR_TEST_SEED="* ]] ||
      export KALVITOR_TEST_RND="0,0.10667,0.03125$(printf ',0,0.10667,0.03125%.0s' $(seq 39))"
    [[ -z "$SYS_LANG" ]] || export LANG="$SYS_LANG.UTF-8"
    for kv in "$@"; do export "${kv?}"; done
    exec ./kalvitor
  ) >"$SYS_TMP/game.out" 2>"$SYS_TMP/game.err" &
  SYS_GAME_PID=$!
  local i
  for i in $(seq 400); do
    [[ -s "$SYS_DUMP" ]] && return 0
    sys_alive || sys_fail "the program ended at start ($(sys_exit_status))"
    sleep 0.025
  done
  sys_fail "the program did not start"
}

sys_alive() { kill -0 "$SYS_GAME_PID" 2>/dev/null; }

# Asks the program for a fresh dump; fails when it does not answer.
sys_dump() {
  sys_alive || sys_fail "the program is gone ($(sys_exit_status))"
  rm -f "$SYS_DUMP"
  kill -USR1 "$SYS_GAME_PID"
  local i
  for i in $(seq 200); do
    [[ -s "$SYS_DUMP" ]] && return 0
    sleep 0.025
  done
  sys_alive || sys_fail "the program died ($(sys_exit_status))"
  sys_fail "the program did not answer the dump request (hung?)"
}

sys_exit_status() {
  if sys_alive; then echo running; return; fi
  local rc=0
  wait "$SYS_GAME_PID" 2>/dev/null || rc=$?
  echo "exit status $rc"
}

# The value after KEY in the dump: sys_get 'PAUSED'; sys_get 'STATE Money'
sys_get() { grep -m1 "^$1 " "$SYS_DUMP" | cut -d' ' -f$(( $(wc -w <<<"$1") + 1 ))-; }

# Waits until the dump has a line matching the pattern (grep -E).
sys_wait_for() {
  local pattern="$1" seconds="${2:-10}" i
  for i in $(seq $(( seconds * 10 ))); do
    sys_dump
    grep -Eq "$pattern" "$SYS_DUMP" && return 0
    sleep 0.1
  done
  sys_fail "waited ${seconds}s for /$pattern/"
}

sys_expect() {
  local pattern="$1" what="${2:-$1}"
  grep -Eq "$pattern" "$SYS_DUMP" || sys_fail "expected $what"
}

sys_expect_not() {
  local pattern="$1" what="${2:-$1}"
  grep -Eq "$pattern" "$SYS_DUMP" && sys_fail "did not expect $what: $(grep -E "$pattern" "$SYS_DUMP" | head -3)"
  return 0
}

# The screen's size in the program's pixels: SYS_SW x SYS_SH.
sys_screen() {
  local screen
  screen="$(xdpyinfo | awk '/dimensions:/ {print $2}')"
  SYS_SW=$(( ${screen%x*} / SYS_SCALE )) SYS_SH=$(( ${screen#*x} / SYS_SCALE ))
}

# WINDOW [TRIES]: waits until the window manager has framed it and it stands
# still, then sets SYS_WX SYS_WY SYS_WW SYS_WH (its frame) and checks that it
# stands wholly on the screen.
sys_settled_window() {
  local line before="" i
  [[ -n "${SYS_SW:-}" ]] || sys_screen
  for i in $(seq "${2:-30}"); do
    sys_dump
    line="$(grep -m1 "^WINDOW $1 " "$SYS_DUMP" | sed 's/"[^"]*"/T/')"
    [[ -n "$line" && "$line" == "$before" && "$line" != *" 0 0" ]] && break
    before="$line"
    sleep 0.1
  done
  [[ -n "$line" ]] || sys_fail "no window $1"
  read -r _ _ _ SYS_WX SYS_WY SYS_WW SYS_WH <<<"$line"
  (( SYS_WX >= 0 && SYS_WY >= 0 && SYS_WX + SYS_WW <= SYS_SW && SYS_WY + SYS_WH <= SYS_SH )) ||
    sys_fail "$1 is not wholly on the ${SYS_SW}x$SYS_SH screen ($SYS_WX $SYS_WY $SYS_WW $SYS_WH)"
}

# Real X input to whatever window has the focus.
sys_key() { xdotool key --delay 60 "$@"; sleep 0.15; }
sys_type() { xdotool type --delay 60 "$1"; sleep 0.15; }

# Clicks the middle of a control named in the dump: sys_click frmMainWindow.cmdShop
sys_click() {
  sys_dump
  local line
  line="$(grep -m1 "^CONTROL $1 " "$SYS_DUMP")" || sys_fail "no control $1 on the screen"
  read -r _ _ x y w h <<<"$line"
  xdotool mousemove $(( (x + w / 2) * SYS_SCALE )) $(( (y + h / 2) * SYS_SCALE )) click 1
  sleep 0.2
}

# Clicks a button of a window by its caption: sys_click_button messageBox "Нет"
sys_click_button() {
  sys_dump
  local line
  line="$(grep -m1 -F "BUTTON $1 \"$2\" " "$SYS_DUMP")" || sys_fail "no button $2 in $1"
  line="${line#*\"$2\" }"
  read -r x y w h <<<"$line"
  xdotool mousemove $(( (x + w / 2) * SYS_SCALE )) $(( (y + h / 2) * SYS_SCALE )) click 1
  sleep 0.2
}

# Clicks a menu of the menu bar, then an item of it, by their captions:
# sys_click_menu "Файл" "Сохранить игру..."
sys_click_menu() {
  local caption line popup=0
  for caption in "$@"; do
    if (( popup )); then
      # The item of the menu that has dropped down (a window of its own).
      sys_wait_for '^WINDOW mnu' 5
      # One awk, not awk piped into grep -m1: grep leaving early would end
      # awk by SIGPIPE, and under pipefail that ends the test unexplained.
      line="$(awk -v item="MENUITEM \"$caption\" " \
        '/^WINDOW mnu/ {open = 1} open && index($0, item) {print; exit}' "$SYS_DUMP")"
    else
      sys_dump
      line="$(grep -m1 -F "MENUITEM \"$caption\" " "$SYS_DUMP")"
    fi
    [[ -n "$line" ]] || sys_fail "no menu item $caption on the screen"
    line="${line#*\" }"
    read -r x y w h _ <<<"$line"
    xdotool mousemove $(( (x + w / 2) * SYS_SCALE )) $(( (y + h / 2) * SYS_SCALE )) click 1
    sleep 0.3
    popup=1
  done
}

# Opens the menu bar with F10 and walks it with the arrow keys and Enter.
sys_menu() { sys_key F10; sys_key "$@"; }

sys_shot() {
  [[ -z "$SYS_SHOTS" ]] && return 0
  mkdir -p "$SYS_SHOTS"
  import -window root "$SYS_SHOTS/$SYS_NAME-$1.png" 2>/dev/null || true
}

# Starts a game: name typed into the name dialog, Enter.
sys_new_game() {
  local name="${1:-Vasya}"
  sys_wait_for '^FORM frmPlayerName loaded=1 shown=1' 20
  sys_wait_for '^ACTIVE frmPlayerNameWindow' 20
  sys_type "$name"
  sys_key Return
  sys_wait_for '^FORM frmMain loaded=1 shown=1' 10
}

sys_pass() {
  sys_alive || sys_fail "the program is gone at the end ($(sys_exit_status))"
  if grep -q "ERROR: AddressSanitizer\|runtime error:" "$SYS_TMP/game.err" 2>/dev/null; then
    sys_fail "sanitizer report"
  fi
  sys_log "passed"
}
