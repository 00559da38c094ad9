#!/usr/bin/env bash
# Three programs, each on a virtual X display of its own: a host the player has left stays left.
# Bob plays a game at one computer, opens File, Load Game and leaves the dialog open beside the
# setup window that his File, New Game brings back; there he joins Ann's LAN lobby, and the Load
# dialog's Enter loads nothing there and says why. Bob clicks Ann's name; while "Do You Want to
# Disconnect From This Server?"
# stands, Ann starts her game, and Bob answers Yes: none of Ann's game may open on his display,
# and his setup window stays. Cy then hosts and Bob joins him: Cy's game opens on both windows and
# a turn is played. Bob saves it with Ctrl+S; Cy's program goes, and Bob answers "Connection with
# Server Lost!". Back in his setup window, Bob loads his save from the Load dialog still open: the
# game window shows it alone (the setup window hidden), and its File, New Game asks "Start New
# Game" and brings the setup window back. Every wait is bounded, so a step that does not come fails.
# A screenshot of Bob's screen after he left Ann goes to docs/left-host-bob.png.
#
#   scripts/left-host-check.sh [build folder]      (default: build; the program must be built)
set -euo pipefail
usage() {
  cat << 'TEXT'
usage: left-host-check.sh [BUILD_FOLDER]
Three programs on three virtual displays: Bob leaves Ann's LAN lobby by her name while she starts,
and none of her game may open on his window; he then joins Cy, plays a turn, saves, loses Cy, and
loads the save from the Load dialog he left open: the game must show without the setup window,
and its File, New Game must ask first and bring the setup window back. Takes about a minute.
Keeps docs/left-host-bob.png. BUILD_FOLDER defaults to build; LEFT_HOST_CHECK_DISPLAY is the
first of the three display numbers (default 76) and ZARNATH_PORT the game port (default 47335).
  --help  shows this text
TEXT
}
case ${1:-} in
  --help) usage; exit 0 ;;
  -*) echo "left-host-check.sh: unknown option $1" >&2; usage >&2; exit 2 ;;
esac
[ $# -le 1 ] || { echo "left-host-check.sh: one build folder at most" >&2; usage >&2; exit 2; }
cd "$(dirname "$0")/.."
root=$PWD
build=${1:-build}
shots=$root/docs
first=${LEFT_HOST_CHECK_DISPLAY:-76}
displays=(":$first" ":$((first + 1))" ":$((first + 2))")
names=(Ann Bob Cy)
export ZARNATH_PORT=${ZARNATH_PORT:-47335}

. scripts/lib/virtual-display.sh
. scripts/lib/display-players.sh
require_tools left-host-check Xvfb xdotool import
[ -x "$build/game/zarnath" ] || { echo "left-host-check: build the program first ($build/game/zarnath)" >&2; exit 2; }

work=$(mktemp -d)
pids=()
player_files=()
trap end_players EXIT
fail() { players_failed left-host-check "$@"; }
say() { echo "left-host-check: $*"; }

# never_shown I TITLE SECONDS WHAT: for SECONDS, player I shows no window TITLE; else WHAT fails.
never_shown() {
  for _ in $(seq $(($3 * 10))); do
    ! shown "$1" "$2" || fail "$4"
    sleep 0.1
  done
}

# answer_box I TITLE KEY TEXT: player I's box TITLE comes within ten seconds and is answered with
# KEY (y for Yes, Return for OK), which the box has the keyboard for; TEXT names it.
answer_box() {
  local box
  box=$(player_window "$1" "^$2\$" 10) || fail "no box \"$4\" on ${names[$1]}'s display"
  DISPLAY=${displays[$1]} xdotool windowraise "$box"
  DISPLAY=${displays[$1]} xdotool windowfocus "$box" 2> /dev/null || true
  sleep 0.3
  DISPLAY=${displays[$1]} xdotool key "$3"
  await_gone "$1" "^$2\$" "${names[$1]}'s box \"$4\" is still up after $3"
}

# join_lobby I: player I's setup window joins the LAN host on this machine (Connect to Game, the
# address typed, Enter).
join_lobby() {
  local setup=setup_$1
  player_click "$1" "${!setup}" 47 243   # Connect to Game
  player_click "$1" "${!setup}" 200 271  # the address box
  DISPLAY=${displays[$1]} xdotool key ctrl+a
  DISPLAY=${displays[$1]} xdotool type --delay 60 "127.0.0.1"
  DISPLAY=${displays[$1]} xdotool key Return
  sleep 1.5
}

claim_displays left-host-check LEFT_HOST_CHECK_DISPLAY

# --- Bob plays at one computer, opens File, Load Game and leaves the dialog open; his File, New
# Game brings the setup window back, in which he joins Ann's lobby. ---
host_lan_game 0
start_player 1
open_setup 1
player_click 1 "$setup_1" 80 74  # the second name box
DISPLAY=${displays[1]} xdotool type --delay 60 "Dee"
player_click 1 "$setup_1" 357 217  # Start
bob=$(player_window 1 "^Zarnath - Year 1.00, Turn #0:  Bob\$") || fail "Bob's game at one computer did not open"
player_click 1 "$bob" 20 29  # File
player_click 1 "$bob" 60 93  # Load Game
load=$(player_window 1 "^Load Game\$" 10) || fail "File, Load Game showed no load dialog"
# Beside the setup window that comes next, where its clicks do not land.
DISPLAY=${displays[1]} xdotool windowmove --sync "$load" 586 468
player_click 1 "$bob" 20 29  # File
player_click 1 "$bob" 60 49  # New Game
answer_box 1 "Start New Game" y "Start New Game"
setup_1=$(player_window 1 "^Zarnath Game Setup\$" 10) || fail "Bob's New Game did not bring the setup window"
shown 1 "^Load Game\$" || fail "Bob's Load dialog did not stay open through File, New Game"
player_click 1 "$setup_1" 25 171  # Network/LAN Game
join_lobby 1
say "Ann hosts and Bob has joined her lobby, his Load dialog still open"

# --- Bob's Load dialog, left open from his own game, loads nothing in Ann's lobby: it says why. ---
player_click 1 "$load" 320 218  # the name box
DISPLAY=${displays[1]} xdotool type --delay 40 "mine"
DISPLAY=${displays[1]} xdotool key Return
answer_box 1 "Zarnath Error" Return "The game was not loaded. This computer is a client in a network game"
shown 1 "^Load Game\$" || fail "Bob's Load dialog did not stay open after it said why it loads nothing"
shown 1 "^Zarnath Game Setup\$" || fail "Bob's setup window is gone after his Load dialog's refusal"
say "Bob's Enter in his Load dialog in Ann's lobby loaded nothing and said why"

# --- Bob clicks Ann's name; Ann starts while his question stands; Bob answers Yes. ---
player_click 1 "$setup_1" 80 74  # Ann's name
player_window 1 "^Zarnath\$" 10 > /dev/null || fail "Bob's click on Ann's name asked nothing"
player_click 0 "$setup_0" 357 217  # Ann's Start
ann=$(player_window 0 "^Zarnath - Year 1.00, Turn #0:  Ann\$") || fail "Ann's game did not open"
sleep 2
answer_box 1 Zarnath y "Do You Want to Disconnect From This Server?"
never_shown 1 "^Zarnath - Year" 5 "Bob's window opened the game of Ann, whom he had left"
shown 1 "^Zarnath Game Setup\$" || fail "Bob's setup window is gone after he left Ann"
import -display "${displays[1]}" -window root "$shots/left-host-bob.png"
say "Bob left Ann by her name as she started: none of her game opened on his window"

# --- Cy hosts on the port Ann's started game has let go; Bob joins and a turn is played. ---
! tcp_port_in_state "$ZARNATH_PORT" 0A || fail "Ann's started game still listens on the game port"
host_lan_game 2
join_lobby 1
player_click 2 "$setup_2" 357 217  # Cy's Start
cy=$(player_window 2 "^Zarnath - Year 1.00, Turn #0:  Cy\$") || fail "Cy's game did not open"
bob=$(player_window 1 "^Zarnath - Year 1.00, Turn #0:  Bob\$") || fail "Cy's game did not open on Bob's window"
player_click 1 "$bob" 395 420  # Done
player_window 1 "^Zarnath - Year 1.00, Turn #0:  Bob \\(Done Turn\\)\$" 10 > /dev/null ||
  fail "Bob's Done did not show on his title"
player_click 2 "$cy" 395 420  # Done
for i in 1 2; do
  player_window "$i" "^Zarnath - Year 1.05, Turn #1:  ${names[$i]}\$" 30 > /dev/null ||
    fail "turn 1 did not open on ${names[$i]}'s window"
done
say "Bob joined Cy, whose game opened on both windows, and turn 1 opened on both"

# --- Bob saves; Cy's program goes; Bob loads his save from the Load dialog left open. ---
player_click 1 "$bob" 1000 300
DISPLAY=${displays[1]} xdotool key ctrl+s
save=$(player_window 1 "^Save Game\$" 10) || fail "Ctrl+S showed no save dialog on Bob's display"
sleep 0.5
player_click 1 "$save" 320 218  # the name box
DISPLAY=${displays[1]} xdotool type --delay 40 "kept"
DISPLAY=${displays[1]} xdotool key Return
for _ in $(seq 50); do [ -f "$work/Bob/kept.zq" ] && break; sleep 0.1; done
[ -f "$work/Bob/kept.zq" ] || fail "Bob's save dialog wrote no kept.zq"
kill "${pids[2]}"
answer_box 1 Zarnath Return "Connection with Server Lost!  Exiting Game"
setup=$(player_window 1 "^Zarnath Game Setup\$" 10) || fail "Bob is not back in a setup window after Cy went"
shown 1 "^Load Game\$" || fail "Bob's Load dialog did not stay open through the game"
player_click 1 "$load" 320 218  # the name box
DISPLAY=${displays[1]} xdotool type --delay 40 "kept"
DISPLAY=${displays[1]} xdotool key Return
bob=$(player_window 1 "^Zarnath - Year 1.05, Turn #1:  Bob\$" 10) || fail "Bob's load did not show his save"
await_gone 1 "^Zarnath Game Setup\$" "the setup window stands over the game Bob loaded"
say "Bob lost Cy and loaded his save from the Load dialog left open: the game shows alone"

player_click 1 "$bob" 20 29  # File
player_click 1 "$bob" 60 49  # New Game
player_window 1 "^Start New Game\$" 10 > /dev/null ||
  fail "File, New Game of the game Bob loaded asked nothing (is it greyed?)"
answer_box 1 "Start New Game" y "Start New Game"
player_window 1 "^Zarnath Game Setup\$" 10 > /dev/null || fail "Bob's New Game did not bring the setup window"
say "File, New Game of Bob's loaded game asked \"Start New Game\" and brought the setup window back"
