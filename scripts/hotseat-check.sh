#!/usr/bin/env bash
# Plays a hot-seat game on a virtual X display with real pointer and key events: Ann and Bob at
# one computer against two computer players, for several turns. Each human turn goes through the
# window's menus and buttons: Ann pauses the game from the Options menu and answers the box,
# rests the pointer on the galaxy, types a chat line and sends half of a world's ships on the map
# (the world, a target world, the travel options popup's 50 percent row); Bob shows the solar
# system's status from the Information menu and sends too; Done hands the turn on, and after the
# computers' moves the title names the next turn. Each send is checked in games saved with Ctrl+S
# just before and after it (read with zarnath-sim --describe): the world's ships dropped by half
# and the fleet is in flight to the target. On the way the About box opens from the Help menu,
# AutoSave is switched on and the game saved from the File menu.
# Keeps screenshots of the menus and of the game in docs/.
#
#   scripts/hotseat-check.sh [build folder]      (default: build; the program must be built)
set -euo pipefail
usage() {
  cat << 'TEXT'
usage: hotseat-check.sh [BUILD_FOLDER]
Plays a hot-seat game of two humans and two computer players on a virtual X display with real
pointer and key events, through the window's menus and buttons, and checks each send in games
saved just before and after it. Keeps screenshots in docs/. BUILD_FOLDER defaults to build (the
program and zarnath-sim must be built); HOTSEAT_CHECK_DISPLAY is the display number (default 58)
and HOTSEAT_CHECK_TURNS the number of turns (default 3).
  --help  shows this text
TEXT
}
case ${1:-} in
  --help) usage; exit 0 ;;
  -*) echo "hotseat-check.sh: unknown option $1" >&2; usage >&2; exit 2 ;;
esac
[ $# -le 1 ] || { echo "hotseat-check.sh: one build folder at most" >&2; usage >&2; exit 2; }
cd "$(dirname "$0")/.."
root=$PWD
build=${1:-build}
shots=$root/docs
display=:${HOTSEAT_CHECK_DISPLAY:-58}
turns=${HOTSEAT_CHECK_TURNS:-3}

. scripts/lib/virtual-display.sh
. scripts/lib/popup-box.sh
require_tools hotseat-check Xvfb xdotool import convert
[ -x "$build/game/zarnath" ] || { echo "hotseat-check: build the program first ($build/game/zarnath)" >&2; exit 2; }
sim=$build/tools/sim/zarnath-sim
[ -x "$sim" ] || { echo "hotseat-check: build the game runner first ($sim)" >&2; exit 2; }

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
# Names the game in the open save dialog and waits for NAME.zq in the program folder.
save_as() { # name, how the dialog was opened
  local save
  save=$(window "Save Game") || fail "$2 showed no save dialog"
  sleep 0.5
  click "$save" 320 218  # the name box, which may still hold the last name saved
  xdotool key ctrl+a
  xdotool type --delay 40 "$1"
  xdotool key Return
  for _ in $(seq 50); do [ -f "$work/game/$1.zq" ] && break; sleep 0.1; done
  [ -f "$work/game/$1.zq" ] || fail "$2 wrote no $1.zq"
}
# Saves the game with Ctrl+S as NAME.zq in the program folder and keeps what it holds in
# $work/NAME.txt: "world W owner=O ships=N bombs=B x=X y=Y name=..." a world in play (X, Y its
# pixel in the game window), "fleet J from=F to=T owner=O ships=N turns=L" an object in flight.
saved_state() { # name
  click "$galaxy" 1000 300  # the game window takes the keys (nothing lies at the view's right edge)
  xdotool key ctrl+s
  save_as "$1" "Ctrl+S"
  for _ in $(seq 50); do xdotool search --onlyvisible --name "^Save Game\$" > /dev/null 2>&1 || break; sleep 0.1; done
  "$sim" --describe "$work/game/$1.zq" > "$work/$1.txt" || fail "$1.zq cannot be read back"
}
# "index owner ships x y" of every world in a saved state.
worlds_of() {
  awk '$1 == "world" { for (i = 3; i <= 7; i++) { split($i, kv, "="); v[kv[1]] = kv[2] }
    print $2, v["owner"], v["ships"], v["x"], v["y"] }' "$work/$1.txt"
}
# Half of a world's ships sent on the map by seat $1: the source is the seat's world with the most
# ships, the target the nearest world of another owner that no other world lies close to (a press
# catches a world 10 pixels about its centre). The travel options popup opens beside the target;
# it is found on screenshots by the white frame that appeared when the target was pressed
# (scripts/lib/popup-box.sh), and its sixth row is the 50 percent send (title, distance, ships
# needed, all ships, 75 percent, 50 percent; rows 14 pixels under a one-pixel frame).
send_half() { # seat
  local seat=$1 tag=$1-$turn before after
  before=sent-$tag-before
  after=sent-$tag-after
  saved_state "$before"
  worlds_of "$before" > "$work/worlds.txt"
  local from fx fy ships to tx ty
  read -r from fx fy ships <<< "$(awk -v o=$((seat + 1)) '$2 == o && (n == 0 || $3 > best) {
      best = $3; line = $1 " " $4 " " $5 " " $3; n = 1 } END { print line }' "$work/worlds.txt")"
  [ -n "$from" ] && awk -v s="$ships" 'BEGIN { exit !(s > 3) }' ||
    fail "seat $seat holds no world with the four ships that make a popup with the 50 percent row"
  read -r to tx ty <<< "$(awk -v o=$((seat + 1)) -v fx="$fx" -v fy="$fy" '
      { w[NR] = $1; own[NR] = $2; x[NR] = $4; y[NR] = $5 }
      END { for (i = 1; i <= NR; i++) {
          if (own[i] == o) continue
          alone = 1
          for (j = 1; j <= NR; j++)
            if (j != i && (x[j] - x[i]) ^ 2 <= 400 && (y[j] - y[i]) ^ 2 <= 400) alone = 0
          d = (x[i] - fx) ^ 2 + (y[i] - fy) ^ 2
          if (alone && (best == "" || d < best)) { best = d; line = w[i] " " x[i] " " y[i] }
        }
        print line }' "$work/worlds.txt")"
  [ -n "$to" ] || fail "no world for seat $seat to send to"

  click "$galaxy" "$fx" "$fy"  # the source
  xdotool mousemove 1023 767   # the pointer off the window: no hover label
  sleep 0.4
  import -display "$display" -window "$galaxy" "$work/source.png" || fail "no screenshot of the selected source"
  click "$galaxy" "$tx" "$ty"  # the target: the travel options popup opens
  xdotool mousemove 1023 767
  sleep 0.6
  import -display "$display" -window "$galaxy" "$work/popup.png" || fail "no screenshot of the travel options"
  local left top width height
  read -r left top width height <<< "$(popup_box "$work/source.png" "$work/popup.png")"
  [ "${width:-0}" -ge 150 ] && [ "${height:-0}" -ge 100 ] ||
    fail "seat $seat: no travel options popup from world $from to world $to (found ${width:-0}x${height:-0})"
  click "$galaxy" $((left + 40)) $((top + 1 + 5 * 14 + 7))  # the 50 percent row
  sleep 0.5

  saved_state "$after"
  local left_ships fleets
  left_ships=$(awk -v w="$from" '$1 == "world" && $2 == w { sub("ships=", "", $4); print $4 }' "$work/$after.txt")
  # The objects in flight that the send added (slot numbers aside: the table is sorted anew).
  fleets=$(comm -13 <(sed -n 's/^fleet [0-9]* //p' "$work/$before.txt" | sort) \
    <(sed -n 's/^fleet [0-9]* //p' "$work/$after.txt" | sort))
  local n
  n=$(awk -v s="$ships" 'BEGIN { n = int(s * 50 / 100 + 0.99); if (n > int(s)) n = int(s); print n }')
  [ "$(printf '%s\n' "$fleets" | grep -c .)" = 1 ] &&
    [[ "$fleets" == "from=$from to=$to owner=$((seat + 1)) ships=$n turns="* ]] &&
    awk -v s="$ships" -v n="$n" -v l="${left_ships:-x}" 'BEGIN { d = s - n - l; exit !(d > -0.01 && d < 0.01) }' ||
    fail "seat $seat: half of world $from's $ships ships ($n) were not sent to world $to: $left_ships left," \
      "new in flight: ${fleets:-nothing}"
  echo "hotseat-check: seat $seat sent half of world $from's $ships ships to world $to ($left_ships left)"
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
    save_as hotseat "File, Save Game"
    sleep 0.5
  fi
  # The pointer over the galaxy: the hover label and the news line follow it.
  for x in 200 400 600 800; do xdotool mousemove --window "$galaxy" "$x" 200; sleep 0.1; done
  # A chat line: typed and sent with Enter (at one computer Send only empties the box).
  click "$galaxy" 140 671
  xdotool type --delay 40 "Good luck, Bob"
  xdotool key Return
  send_half 0
  alive "during Ann's turn $turn"
  click "$galaxy" 396 420  # Done
  window "Zarnath - Year $year, Turn #$turn:  Bob.*" > /dev/null || fail "Done gave no turn $turn to Bob"
  sleep 0.5
  # Information, "Show Status of Solar System" (the third item).
  menu_title 80
  menu_item 2 120
  sleep 0.5
  send_half 1
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
  "Status, About, AutoSave, Save Game), the map (half a world's ships sent from the travel options, each" \
  "checked in the saved game) and the buttons (chat, Done); screenshots in docs/menus.png" \
  "and docs/hot-seat.png"
