#!/usr/bin/env bash
# The installed game, played from a read-only install tree with a fresh home
# folder, under Xvfb and a window manager, driven by real X input:
#   - the launcher entry and the AppStream entry pass their validators;
#   - --help, --version and an unknown option answer as a desktop program does;
#   - the name dialog opens, a game is started, saved from the Файл menu,
#     changed on disk, loaded back and saved again (the change came back);
#   - the statistics window opens (Ctrl+T): its module is found in the tree;
#   - the saves, the games log and the (empty) folder for the player's own
#     music are in ~/.local/share/Brindlex/Kalvitor 1.6;
#   - a home folder that cannot be written is reported once and the game
#     goes on;
#   - nothing in the install tree changed.
# The tree is `cmake --install BUILD_DIR` into a temporary folder, or the
# unpacked Debian package when one is given.
#
# Usage: tests/install/install_test.sh BUILD_DIR [PACKAGE.deb]
set -euo pipefail
build="$(cd "${1:?usage: install_test.sh BUILD_DIR [PACKAGE.deb]}" && pwd)"
deb="${2:-}"
here="$(cd "$(dirname "$0")" && pwd)"

work="$(mktemp -d /tmp/kalvitor-install.XXXXXX)"
chmod 755 "$work"
xvfb_pid="" wm_pid="" game_pid=""
cleanup() {
  for pid in $game_pid $wm_pid $xvfb_pid; do kill "$pid" 2>/dev/null || true; done
  wait 2>/dev/null || true
  chmod -R u+w "$work" 2>/dev/null || true
  rm -rf "$work"
}
trap cleanup EXIT
fail() {
  echo "install test: FAIL: $*" >&2
  [[ -n "${DISPLAY:-}" && -n "${KALVITOR_TEST_SHOTS:-}" ]] && import -window root "$KALVITOR_TEST_SHOTS/install-fail.png" 2>/dev/null
  [[ -s "$work/game.out" ]] && sed 's/^/  game: /' "$work/game.out" >&2
  exit 1
}

# --- The tree.
if [[ -n "$deb" ]]; then
  what="package $(basename "$deb")"
  dpkg-deb -x "$deb" "$work/tree"
  prefix="$work/tree/usr"
else
  what="install tree of $build"
  cmake --install "$build" --prefix "$work/tree/usr" >/dev/null
  prefix="$work/tree/usr"
fi
program="$prefix/bin/kalvitor"
[[ -e "$program" ]] || program="$prefix/games/kalvitor"   # the package's place
[[ -x "$program" ]] || fail "no program at $program"
for f in share/kalvitor/anecdot.dat share/kalvitor/readme.txt share/kalvitor/license.txt share/kalvitor/tips.txt \
         share/doc/kalvitor/readme.txt share/doc/kalvitor/license.txt share/man/man6/kalvitor.6.gz \
         share/applications/kalvitor.desktop share/metainfo/kalvitor.metainfo.xml \
         share/icons/hicolor/scalable/apps/kalvitor.svg share/icons/hicolor/256x256/apps/kalvitor.png; do
  [[ -s "$prefix/$f" ]] || fail "$f missing from the $what"
done
ls "$prefix"/share/kalvitor/Music/*.mid >/dev/null || fail "no music in the $what"
desktop-file-validate "$prefix/share/applications/kalvitor.desktop" || fail "the launcher entry is not valid"
appstreamcli validate --no-net --pedantic "$prefix/share/metainfo/kalvitor.metainfo.xml" >"$work/appstream" ||
  { cat "$work/appstream" >&2; fail "the AppStream entry is not valid"; }

# --- The command line, no display needed.
[[ "$("$program" --version)" == "kalvitor 1.6" ]] || fail "--version"
"$program" --help | grep -q -- "--version" || fail "--help"
status=0; "$program" --no-such-option >/dev/null 2>"$work/err" || status=$?
[[ $status == 2 ]] && grep -q "^Usage: kalvitor" "$work/err" || fail "an unknown option gave status $status"

snapshot() { (cd "$work/tree" && find . -printf '%p %y %m %s %T@\n' | sort && find . -type f -exec sha256sum {} + | sort); }
snapshot > "$work/before"
chmod -R a-w "$work/tree"

# --- The player: a fresh home. As root, play as nobody, so that the tree is
# really read-only for the game.
home="$work/home"
mkdir -p "$home"
as_player=()
if [[ "$(id -u)" == 0 ]]; then
  chown nobody:nogroup "$home"
  as_player=(setpriv --reuid=nobody --regid=nogroup --clear-groups)
fi
userdir="$home/.local/share/Brindlex/Kalvitor 1.6"

# --- A display and a window manager. Xvfb picks a free display itself and
# writes its number once it takes clients.
Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp 3>"$work/display" >/dev/null 2>&1 &
xvfb_pid=$!
n=""
for _ in $(seq 100); do
  read -r n 2>/dev/null <"$work/display" || true
  [[ "$n" =~ ^[0-9]+$ ]] && break
  sleep 0.1
done
[[ "$n" =~ ^[0-9]+$ ]] || fail "no X display could be started"
display=":$n"
export DISPLAY="$display"
openbox >/dev/null 2>&1 &
wm_pid=$!
sleep 1

# window TITLE [SECONDS]: the id of the visible window whose title is TITLE
# (a regular expression).
window() {
  local id
  for _ in $(seq $((${2:-20} * 10))); do
    id="$(xdotool search --onlyvisible --name "$1" 2>/dev/null | head -1 || true)"
    [[ -n "$id" ]] && { echo "$id"; return 0; }
    sleep 0.1
  done
  xdotool search --onlyvisible --name . getwindowname %@ >&2 2>/dev/null || true
  fail "no window '$1'"
}
gone() {
  for _ in $(seq 100); do
    xdotool search --onlyvisible --name "$1" >/dev/null 2>&1 || return 0
    sleep 0.1
  done
  fail "window '$1' stayed open"
}
# click WINDOW X Y: a real mouse click at a point of the window.
click() { xdotool mousemove --window "$1" "$2" "$3" sleep 0.2 click 1; sleep 0.3; }
keys() { local w="$1"; shift; xdotool windowactivate --sync "$w" 2>/dev/null || true; xdotool key --delay 80 "$@"; sleep 0.3; }
type_text() { xdotool type --delay 60 "$1"; sleep 0.2; }
# menu_file ITEM_NUMBER: the main window's first menu ("Файл"), then the
# item counted from the top, by the keyboard.
menu_file() {
  click "$main" 18 10
  local downs=()
  for _ in $(seq "$1"); do downs+=(Down); done
  xdotool key --delay 120 "${downs[@]}" Return
  sleep 0.5
}

# The game's clock starts at the time of day it is and a day lasts seconds:
# the game begins at about 00:10 (in a time zone where it is that time now;
# see tests/system/lib.sh), and 40 days bring no news (no virus, no family
# news, no event) that could come between the steps below.
quiet="0,0.10667,0.03125$(printf ',0,0.10667,0.03125%.0s' $(seq 39))"
now=$(( $(date -u +%s) / 60 % 1440 ))
east=$(( (10 - now + 1440) % 1440 ))
(( east > 720 )) && east=$(( east - 1440 ))
if (( east > 0 )); then tz="KLV-$(( east / 60 )):$(printf %02d $(( east % 60 )))"
else tz="KLV+$(( -east / 60 )):$(printf %02d $(( -east % 60 )))"; fi
env -i HOME="$home" PATH=/usr/bin:/bin DISPLAY="$display" LANG=C.UTF-8 SDL_AUDIODRIVER=dummy TZ="$tz" \
  KALVITOR_TEST_RND="$quiet" \
  "${as_player[@]}" "$program" >"$work/game.out" 2>&1 &
game_pid=$!

# The name dialog: type a name, OK.
dialog="$(window "^Добро пожаловать$" 30)"
click "$dialog" 100 180
type_text "Tester"
keys "$dialog" Return
main="$(window "^Brindlex Kalvitor 1.6 -- Tester$")"
gone "^Добро пожаловать$"
# A first start offers the tips from the installed data, the game paused:
# read, close (Esc), go on (p).
tips="$(window "^Советы новичку$")"
keys "$tips" Escape
gone "^Советы новичку$"
keys "$main" p

# The statistics, from their module in the tree (without it a box under the
# game's own title would say so).
keys "$main" ctrl+t
stats="$(window "^Статистика$")"
keys "$stats" Escape
gone "^Статистика$"

# Save as "first".
menu_file 2
save="$(window "^Сохранение игры$")"
click "$save" 150 205
type_text "first"
keys "$save" Return
gone "^Сохранение игры$"
saved="$userdir/Save/first.ksv"
[[ -s "$saved" ]] || fail "no saved game at $saved"
[[ -d "$userdir/Music" ]] || fail "no folder for the player's own music at $userdir/Music"
[[ -s "$userdir/games.log" ]] || fail "no games log in $userdir"
grep -q "NAME Tester" "$userdir/games.log" || fail "the games log has no line for the game"

# Change the money on disk (line 2), load the game back, save it again.
"${as_player[@]}" sed -i '2s/.*/4321\r/' "$saved"
menu_file 3
load="$(window "^Загрузка игры$")"
click "$load" 60 36      # the first listed game
keys "$load" Return
# The game edited by hand is no longer the one its journal was written with:
# it loads, and a box of the same title as the dialog says the journal
# starts anew.
for _ in $(seq 100); do
  xdotool search --onlyvisible --name "^Загрузка игры$" 2>/dev/null | grep -qx "$load" || break
  sleep 0.1
done
box="$(window "^Загрузка игры$")"
[[ "$box" != "$load" ]] || fail "the load dialog stayed open"
keys "$box" Return
gone "^Загрузка игры$"
menu_file 2
save="$(window "^Сохранение игры$")"
click "$save" 150 205
type_text "second"
keys "$save" Return
gone "^Сохранение игры$"
again="$userdir/Save/second.ksv"
[[ -s "$again" ]] || fail "no second saved game"
[[ "$(sed -n 2p "$again" | tr -d '\r')" == 4321 ]] || fail "the loaded game did not come back (money $(sed -n 2p "$again"))"

kill "$game_pid"; wait "$game_pid" 2>/dev/null || true; game_pid=""

# A home folder the player cannot write: said once, and the game goes on.
locked="$work/locked-home"
mkdir -p "$locked"
chmod 555 "$locked"
env -i HOME="$locked" PATH=/usr/bin:/bin DISPLAY="$display" LANG=C.UTF-8 SDL_AUDIODRIVER=dummy \
  "${as_player[@]}" "$program" >"$work/game.out" 2>&1 &
game_pid=$!
box="$(window "^Папка игрока$" 30)"
keys "$box" Return
window "^Добро пожаловать$" >/dev/null
xdotool search --onlyvisible --name "^Папка игрока$" >/dev/null 2>&1 && fail "the locked folder was reported twice"
kill "$game_pid"; wait "$game_pid" 2>/dev/null || true; game_pid=""

chmod -R u+w "$work/tree"
snapshot > "$work/after"
diff "$work/before" "$work/after" >&2 || fail "the game wrote in the install tree"
echo "install test: ok ($what)"
