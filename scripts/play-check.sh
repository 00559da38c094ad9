#!/usr/bin/env bash
# Plays the real program on a virtual X display with real pointer and key events: the title
# window's Start, a name typed into the setup window (a letter the files cannot keep refused with
# a box), three computer seats, Start; then Vega's
# first turn on the map: her home world clicked, a computer's home world clicked, the popup's
# 50 percent row, Done, and the turn's resolution. Then the game is saved (Ctrl+S, a name typed into the save dialog, Enter), the
# program ended and started again, and the game loaded from the title's Load. Last, a game of
# computer players near its end (saved by the headless runner) is loaded with a double-click in
# the load dialog and played on until one side takes every world and the high-score window shows.
# Checks each window as it comes and goes, and keeps screenshots in docs/. Last, scripts/hotseat-check.sh
# plays a hot-seat game through the menus and buttons.
#
#   scripts/play-check.sh [build folder]      (default: build; the program must be built)
#
# The program runs from a copy of its program folder, so the build's own folder keeps no
# "defaults.cfg" and its first-run marker.
set -euo pipefail
usage() {
  cat << 'TEXT'
usage: play-check.sh [BUILD_FOLDER]
Plays the real program on a virtual X display with real pointer and key events: a game against
three computers set up and a first turn played, the game saved, loaded again after a restart, a
game near its end played to the high-score window, then a hot-seat game (hotseat-check.sh).
Keeps screenshots in docs/. BUILD_FOLDER defaults to build (the program must be built);
PLAY_CHECK_DISPLAY is the display number (default 57).
  --help  shows this text
TEXT
}
case ${1:-} in
  --help) usage; exit 0 ;;
  -*) echo "play-check.sh: unknown option $1" >&2; usage >&2; exit 2 ;;
esac
[ $# -le 1 ] || { echo "play-check.sh: one build folder at most" >&2; usage >&2; exit 2; }
cd "$(dirname "$0")/.."
root=$PWD
build=${1:-build}
shots=$root/docs
display=:${PLAY_CHECK_DISPLAY:-57}

. scripts/lib/virtual-display.sh
. scripts/lib/popup-box.sh
require_tools play-check Xvfb xdotool import convert compare
[ -x "$build/game/zarnath" ] || { echo "play-check: build the program first ($build/game/zarnath)" >&2; exit 2; }
sim=$build/tools/sim/zarnath-sim
[ -x "$sim" ] || { echo "play-check: build the game runner first ($sim)" >&2; exit 2; }

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
  echo "play-check: $*" >&2
  import -display "$display" -window root "$work/failed.png" 2> /dev/null && cp "$work/failed.png" "$shots/play-check-failed.png"
  exit 1
}

cp -r "$build/game" "$work/game"
rm -f "$work/game/FirstTime" "$work/game/defaults.cfg"

start_virtual_display || fail "the virtual display did not start"

# Starts the program from its folder (the log of each run is kept apart).
run=0
start_program() {
  run=$((run + 1))
  (cd "$work/game" && QT_QPA_PLATFORM=xcb exec ./zarnath > "$work/zarnath-$run.log" 2>&1) &
  game_pid=$!
}
# Ends the program as the desktop would when the player logs out.
end_program() {
  kill "$game_pid" 2> /dev/null || true
  wait "$game_pid" 2> /dev/null || true
  game_pid=""
}
start_program

# The first visible window with this exact title, within 20 seconds.
window() {
  timeout 20 xdotool search --sync --onlyvisible --name "^$1\$" | head -1
}
# A left click at (x, y) inside a window's client area.
click() {
  xdotool mousemove --window "$1" "$2" "$3" click 1
  sleep 0.3
}

title=$(window "Zarnath v1.40") || fail "no title window"
sleep 1
click "$title" 57 392  # Start
setup=$(window "Zarnath Game Setup") || fail "Start on the title opened no setup window"
sleep 0.5

click "$setup" 80 44  # the first name box
# A letter the game's files cannot keep third in a name is refused with a box, and the box keeps
# "Ve": the name then becomes "Vega" (it would be "Veüga" had the letter gone in).
xdotool type --delay 80 "Ve*"
sleep 0.5  # xdotool maps the letter onto a spare key first; a key typed at once may be lost
xdotool type --delay 200 "ü"
refusal=$(window "Zarnath") || fail "the letter ü third in a name was not refused with a box"
xdotool windowfocus "$refusal" 2> /dev/null || true
xdotool key Return
timeout 10 sh -c 'while xdotool search --onlyvisible --name "^Zarnath\$" > /dev/null 2>&1; do sleep 0.2; done' ||
  fail "the refusal's box is still up after Enter"
click "$setup" 120 44  # the first name box, after its text
xdotool type --delay 80 "ga"
for slot in 1 2 3; do
  click "$setup" 161 $((44 + 30 * slot))  # the computer box of the slot
done
sleep 0.5
mkdir -p "$shots"
import -display "$display" -window "$setup" "$shots/setup-window.png" || fail "no screenshot"

click "$setup" 357 217  # Start
sleep 1
if xdotool search --onlyvisible --name "^Zarnath Game Setup\$" > /dev/null 2>&1; then
  fail "the setup window is still shown after Start"
fi
defaults=$(tr -d '\r' < "$work/game/defaults.cfg" 2> /dev/null || true)
[ "$(printf '%s' "$defaults" | head -1)" = "Vega" ] || fail "the game did not start as Vega (defaults.cfg: $defaults)"
kill -0 "$game_pid" 2> /dev/null || fail "the program ended"

# The game window opens on the new star system with Vega's first turn.
galaxy=$(timeout 30 xdotool search --sync --onlyvisible --name "^Zarnath - Year 1.00, Turn #0:  Vega" | head -1) ||
  fail "no game window with Vega's first turn"
sleep 2
import -display "$display" -window "$galaxy" "$shots/game-window.png" || fail "no screenshot of the game window"

# Vega's first turn, played on the map. The worlds' pixels are read from a screenshot of the
# window (its client area is the galaxy view, pixel for pixel): a home world wears two rings of
# its owner's colour (12 and 17 pixels about its centre), and nothing else on the view above the
# notice line is drawn in exactly that colour but the owner's ship label, which stands left of the
# world and within the rings' height. So the outer ring's right edge, top and bottom give the
# centre. Vega's home world is the source; the target is a computer's home world, above the sun
# when there is one (the popup then opens downwards from it), else the nearest.
import -display "$display" -window "$galaxy" "$work/turn0.png" || fail "no screenshot of the first turn"
convert "$work/turn0.png" -crop 1018x366+0+26 +repage txt:- > "$work/turn0.txt"
# "x y" of the home world ringed in colour $1 (#RRGGBB), or nothing.
home_world() {
  grep "$1" "$work/turn0.txt" | awk -F'[,:]' '{ x = $1; y = $2 + 26
      if (n == 0 || x > r) r = x; if (n == 0 || y < t) t = y; if (n == 0 || y > b) b = y; n++ }
    END { if (n > 30) printf "%d %d\n", r - 17, (t + b) / 2 }'
}
read -r vx vy <<< "$(home_world '#0096FF')" || true
[ -n "${vx:-}" ] || fail "Vega's home world was not found on the screenshot"
best=""
for colour in '#FF3200' '#FFEB00' '#00C832'; do
  spot=$(home_world "$colour")
  [ -n "$spot" ] || continue
  read -r x y <<< "$spot"
  # Above the galaxy centre (509, 206) first, then the nearest to Vega.
  above=1
  [ "$y" -le 206 ] && above=0
  echo "$above $(((x - vx) * (x - vx) + (y - vy) * (y - vy))) $x $y"
done | sort -n -k1,1 -k2,2 | head -1 > "$work/target.txt"
read -r _ _ tx ty < "$work/target.txt" || fail "no computer's home world was found on the screenshot"
echo "play-check: Vega's home world at ($vx, $vy), the target at ($tx, $ty)"

# The popup opens beside the target, towards the sun. It is found on screenshots by the white
# frame that appeared when the target was pressed (scripts/lib/popup-box.sh); its rows are 14
# pixels under a one-pixel frame, and the 50 percent row is the sixth (title, distance, ships
# needed, all, 75 percent, 50 percent).
travel_list() { convert "$1" -crop 250x16+746+493 +repage "$2"; }
import -display "$display" -window "$galaxy" "$work/before.png" || fail "no screenshot before the send"
travel_list "$work/before.png" "$work/travel-before.png"
click "$galaxy" "$vx" "$vy"  # the source
xdotool mousemove 1023 767   # the pointer off the window: no hover label
sleep 0.4
import -display "$display" -window "$galaxy" "$work/source.png" || fail "no screenshot of the selected source"
click "$galaxy" "$tx" "$ty"  # the target: the travel options popup opens beside it
xdotool mousemove 1023 767
sleep 0.6
import -display "$display" -window "$galaxy" "$work/popup.png" || fail "no screenshot of the travel options"
read -r left top width height <<< "$(popup_box "$work/source.png" "$work/popup.png")"
[ "${width:-0}" -ge 150 ] && [ "${height:-0}" -ge 100 ] ||
  fail "no travel options popup beside the target (found ${width:-0}x${height:-0})"
click "$galaxy" $((left + 40)) $((top + 1 + 5 * 14 + 7))  # " - Send 5 Ships From World ..."
sleep 1
import -display "$display" -window "$galaxy" "$work/sent.png" || fail "no screenshot after the send"
travel_list "$work/sent.png" "$work/travel-after.png"
# The in-transit list's first row no longer says "None".
changed=$(compare -metric AE "$work/travel-before.png" "$work/travel-after.png" null: 2>&1 || true)
[ "${changed%% *}" != "0" ] || fail "the 50 percent row sent nothing (the in-transit list did not change)"
click "$galaxy" 396 420  # Done (370, 405)
# The three computers move and the turn resolves: the title names the next turn.
timeout 120 xdotool search --sync --onlyvisible --name "^Zarnath - Year 1.05, Turn #1:  Vega" > /dev/null ||
  fail "the turn did not resolve into Vega's next turn"
sleep 2
kill -0 "$game_pid" 2> /dev/null || fail "the program ended during the turn"
import -display "$display" -window "$galaxy" "$shots/main-window.png" || fail "no screenshot of the main window"
cp "$work/sent.png" "$shots/main-window-sent.png"
echo "play-check: title, setup window, a name, three computers and Start played; Vega sent half her ships" \
  "on the map and pressed Done; the turn resolved; screenshots in docs/setup-window.png," \
  "docs/game-window.png, docs/main-window-sent.png and docs/main-window.png"

# --- Save the game: Ctrl+S on the game window, a name typed into the save dialog, Enter. ---
click "$galaxy" 1000 300  # the game window takes the keys
xdotool key ctrl+s
save=$(window "Save Game") || fail "Ctrl+S opened no save dialog"
sleep 0.5
click "$save" 320 218  # the name box
xdotool type --delay 80 "vega"
xdotool key Return
for _ in $(seq 50); do [ -f "$work/game/vega.zq" ] && break; sleep 0.1; done
[ -f "$work/game/vega.zq" ] || fail "Enter in the save dialog wrote no vega.zq"
sleep 0.5
if xdotool search --onlyvisible --name "^Save Game\$" > /dev/null 2>&1; then
  fail "the save dialog is still shown after the save"
fi
end_program

# The title window of a program just started, its Load clicked (again after 5 seconds without a
# load dialog, as a player would): the load dialog's window.
open_load_dialog() {
  local title
  title=$(window "Zarnath v1.40") || return 1
  sleep 1
  for try in 1 2 3; do
    [ "$try" = 1 ] || echo "play-check: no load dialog yet; Load clicked again" >&2
    click "$title" 152 392  # Load
    timeout 5 xdotool search --sync --onlyvisible --name "^Load Game\$" 2> /dev/null | head -1 | grep . && return 0
  done
  return 1
}

# A game of computer players two turns before its end, saved by the headless runner.
turns=$("$sim" --seed 3 --worlds 9 --seats 6,1,1 --speed --max-turns 400 | sed -n 's/^result: winner=0 victory=conquest turns=//p')
[ -n "$turns" ] || fail "the headless runner's game did not end by conquest"
"$sim" --seed 3 --worlds 9 --seats 6,1,1 --speed --max-turns 400 --save-at $((turns - 2)) "$work/game/endgame.zq" > /dev/null 2>&1 ||
  fail "the headless runner saved no game"

# --- Start again and load the saved game from the title: Load, the name typed, Enter. ---
start_program
load=$(open_load_dialog) || fail "Load on the title opened no load dialog after the restart"
sleep 0.5
click "$load" 320 218  # the name box
xdotool type --delay 80 "vega"
xdotool key Return
window "Zarnath - Year 1\.05, Turn #1:  Vega" > /dev/null || fail "loading vega.zq showed no game window for Vega"
if xdotool search --onlyvisible --name "^Load Game\$" > /dev/null 2>&1; then fail "the load dialog is still shown"; fi
kill -0 "$game_pid" 2> /dev/null || fail "the program ended"
echo "play-check: saved the game with Ctrl+S, started again and loaded it from the title"
end_program

# --- The game near its end: a double-click in the load dialog, play on to the conquest. ---
rm -f "$work/game/Score130"
start_program
load=$(open_load_dialog) || fail "Load on the title opened no load dialog after the second restart"
sleep 0.5
xdotool mousemove --window "$load" 300 40 click --repeat 2 --delay 80 1  # endgame.zq, the first listed
window "Zarnath - Year .*" > /dev/null || fail "endgame.zq was not loaded"
# Played on: the computers move, the turns after the saved one resolve, and one side's conquest
# shows the high-score window.
scores=$(timeout 300 xdotool search --sync --onlyvisible --name "^Zarnath HighScores\$" | head -1) ||
  fail "no high-score window within 5 minutes of play"
sleep 0.5
import -display "$display" -window "$scores" "$shots/high-scores.png" || fail "no screenshot of the high scores"
[ -s "$work/game/Score130" ] || fail "the conquest wrote no Score130"
timeout 120 xdotool search --sync --onlyvisible --name "^Zarnath Game Setup\$" > /dev/null ||
  fail "the setup window did not come back after the conquest"
echo "play-check: loaded a game with a double-click, played it on to the conquest; screenshot in docs/high-scores.png"

# --- A hot-seat game of two humans and two computers, played through the menus and buttons. ---
bash "$root/scripts/hotseat-check.sh" "$build"
