#!/usr/bin/env bash
# Plays a hot-seat game on a virtual X display with real pointer and key events: Ann and Bob at
# one computer against two computer players, for several turns. Each human turn goes through the
# window's menus and buttons: Ann pauses the game from the Options menu and answers the box,
# rests the pointer on the galaxy, types a chat line and sends half her home world's ships from
# the side list; Bob shows the solar system's status from the Information menu and sends too;
# Done hands the turn on, and after the computers' moves the title names the next turn. On the
# way the About box opens from the Help menu, AutoSave is switched on and the game saved from the
# File menu.
# Keeps screenshots of the menus and of the game in docs/.
#
#   scripts/hotseat-check.sh [build folder]      (default: build; the program must be built)
set -euo pipefail
cd "$(dirname "$0")/.."
root=$PWD
build=${1:-build}
shots=$root/docs
display=:${HOTSEAT_CHECK_DISPLAY:-58}
turns=${HOTSEAT_CHECK_TURNS:-3}

. scripts/lib/virtual-display.sh
require_tools hotseat-check Xvfb xdotool import
[ -x "$build/game/zarnath" ] || { echo "hotseat-check: build the program first ($build/game/zarnath)" >&2; exit 2; }

work=$(mktemp -d)
xvfb_pid=""
game_pid=""
cleanup() {
  [ -n "$game_pid" ] && kill "$game_pid" 2> /dev/null || true
  [ -n "$xvfb_pid" ] && kill "$xvfb_pid" 2> /dev/null || true
  rm -rf "$work"
}
trap cleanup EXIT

fail() {
  echo "hotseat-check: $*" >&2
  import -display "$display" -window root "$work/failed.png" 2> /dev/null && cp "$work/failed.png" "$shots/hotseat-check-failed.png"
  exit 1
}

cp -r "$build/game" "$work/game"
rm -f "$work/game/FirstTime" "$work/game/defaults.cfg"

start_virtual_display || fail "the virtual display did not start"

(cd "$work/game" && QT_QPA_PLATFORM=xcb exec ./zarnath > "$work/zarnath.log" 2>&1) &
game_pid=$!

# The first visible window with this exact title (a pattern), within 20 seconds.
window() {
  timeout 20 xdotool search --sync --onlyvisible --name "^$1\$" | head -1
}
# A left click at (x, y) inside a window's client area.
click() {
  xdotool mousemove --window "$1" "$2" "$3" click 1
  sleep 0.4
}
alive() {
  kill -0 "$game_pid" 2> /dev/null || fail "the program ended $1"
}

title=$(window "Zarnath v1.40") || fail "no title window"
sleep 1
click "$title" 57 392  # Start
setup=$(window "Zarnath Game Setup") || fail "Start on the title opened no setup window"
sleep 0.5
click "$setup" 80 44  # the first name box
xdotool type --delay 60 "Ann"
click "$setup" 80 74  # the second
xdotool type --delay 60 "Bob"
click "$setup" 161 104  # the third and fourth seats play by the computer
click "$setup" 161 134
click "$setup" 357 217  # Start

galaxy=$(timeout 30 xdotool search --sync --onlyvisible --name "^Zarnath - Year 1.00, Turn #0:  Ann" | head -1) ||
  fail "no game window with Ann's first turn"
sleep 1
mkdir -p "$shots"

# The menu bar stands under the seats' captions: its titles and the items of an open menu, one
# item every 22 pixels from y 49 and 2 more for each separator line above (the window stands at
# the screen's top-left corner, so an open menu's places are the window's).
menu_title() { # title x
  click "$galaxy" "$1" 29
}
menu_item() { # row (0 = the first item), x, separator lines above
  click "$galaxy" "$2" $((49 + 22 * $1 + 2 * ${3:-0}))
}
# Half of the home world's ships to the first world of the list, from the side list and the popup.
send_half() {
  click "$galaxy" 390 516              # the home world's row in the owned-worlds list
  click "$galaxy" 80 $((27 + 14 + 7))  # the first world under the popup's title row
  click "$galaxy" 80 $((27 + 6 * 14 + 7))  # " - Send 50% of Ships Between Worlds"
  sleep 0.5
}

for turn in $(seq 0 $((turns - 1))); do
  year=$(printf '1.%02d' $((turn * 5)))
  window "Zarnath - Year $year, Turn #$turn:  Ann.*" > /dev/null || fail "no turn $turn for Ann"
  sleep 0.5
  if [ "$turn" = 0 ]; then
    # Options, "Pause Game" (the last item, under one separator): the box holds the game.
    menu_title 152
    import -display "$display" -window root "$shots/menus.png" || fail "no screenshot of the Options menu"
    menu_item 13 190 1
    box=$(window "Zarnath") || fail "Options, Pause Game showed no box"
    sleep 0.3
    xdotool key Return
    sleep 0.5
    xdotool search --onlyvisible --name "^Zarnath\$" > /dev/null 2>&1 && fail "the pause box is still shown"
  fi
  if [ "$turn" = 1 ]; then
    # Help, "About Zarnath" (the last item, under two separators).
    menu_title 204
    menu_item 6 260 2
    about=$(window "About Zarnath") || fail "Help, About Zarnath showed no About box"
    sleep 3.5                  # the About box's own pause
    click "$about" 150 285     # its OK button
    xdotool search --onlyvisible --name "^About Zarnath\$" > /dev/null 2>&1 && fail "OK left the About box shown"
    # File, "AutoSave" (under two separators), then File, "Save Game": a name typed, Enter.
    menu_title 20
    menu_item 4 60 2
    menu_title 20
    menu_item 1 60
    save=$(window "Save Game") || fail "File, Save Game showed no save dialog"
    sleep 0.5
    click "$save" 320 218  # the name box
    xdotool type --delay 60 "hotseat"
    xdotool key Return
    for _ in $(seq 50); do [ -f "$work/game/hotseat.zq" ] && break; sleep 0.1; done
    [ -f "$work/game/hotseat.zq" ] || fail "File, Save Game wrote no hotseat.zq"
    sleep 0.5
  fi
  # The pointer over the galaxy: the hover label and the news line follow it.
  for x in 200 400 600 800; do xdotool mousemove --window "$galaxy" "$x" 200; sleep 0.1; done
  # A chat line: typed and sent with Enter (at one computer Send only empties the box).
  click "$galaxy" 140 671
  xdotool type --delay 40 "Good luck, Bob"
  xdotool key Return
  send_half
  alive "during Ann's turn $turn"
  click "$galaxy" 396 420  # Done
  window "Zarnath - Year $year, Turn #$turn:  Bob.*" > /dev/null || fail "Done gave no turn $turn to Bob"
  sleep 0.5
  # Information, "Show Status of Solar System" (the third item).
  menu_title 80
  menu_item 2 120
  sleep 0.5
  send_half
  alive "during Bob's turn $turn"
  click "$galaxy" 396 420  # Done
  # The computers move and the turn resolves: the title names Ann's next turn.
  next=$(printf '1.%02d' $(((turn + 1) * 5)))
  timeout 120 xdotool search --sync --onlyvisible --name "^Zarnath - Year $next, Turn #$((turn + 1)):  Ann" > /dev/null ||
    fail "turn $turn did not resolve into Ann's next turn"
  alive "during the resolution of turn $turn"
done
sleep 1
import -display "$display" -window "$galaxy" "$shots/hot-seat.png" || fail "no screenshot of the hot-seat game"
echo "hotseat-check: Ann and Bob played $turns turns against two computers through the menus (Pause," \
  "Status, About, AutoSave, Save Game) and the buttons (side list sends, chat, Done); screenshots in docs/menus.png" \
  "and docs/hot-seat.png"
