#!/usr/bin/env bash
# Three programs on one virtual X display play a LAN game over loopback: Ann hosts, Bob and Cy
# join her lobby through the setup window's network boxes and chat there (each line typed into its
# sender's window; every lobby's chat box, copied to the clipboard, must hold both lines under
# their senders' names), Ann starts, and every
# program opens its game window on the same star system; a turn is played by all three, then Cy
# quits and Ann and Bob play two more turns. The game port is moved by ZARNATH_PORT (no root needed).
# Screenshots of the three game windows and the host's setup window go to docs/.
#
#   scripts/net-play-check.sh [build folder]      (default: build; the program must be built)
set -euo pipefail
usage() {
  cat << 'TEXT'
usage: net-play-check.sh [BUILD_FOLDER]
Three programs on one virtual X display play a LAN game over loopback: Ann hosts, Bob and Cy join
and chat in her lobby, a turn is played by all three, then Cy quits and Ann and Bob play on.
Keeps screenshots in docs/. BUILD_FOLDER defaults to build (the program must be built);
NET_PLAY_CHECK_DISPLAY is the display number (default 58) and ZARNATH_PORT the game port
(default 47330).
  --help  shows this text
TEXT
}
case ${1:-} in
  --help) usage; exit 0 ;;
  -*) echo "net-play-check.sh: unknown option $1" >&2; usage >&2; exit 2 ;;
esac
[ $# -le 1 ] || { echo "net-play-check.sh: one build folder at most" >&2; usage >&2; exit 2; }
cd "$(dirname "$0")/.."
root=$PWD
build=${1:-build}
shots=$root/docs
display=:${NET_PLAY_CHECK_DISPLAY:-58}
export ZARNATH_PORT=${ZARNATH_PORT:-47330}

. scripts/lib/virtual-display.sh
require_tools net-play-check Xvfb xdotool import xclip
[ -x "$build/game/zarnath" ] || { echo "net-play-check: build the program first ($build/game/zarnath)" >&2; exit 2; }

work=$(mktemp -d)
xvfb_pid=""
pids=()
cleanup() {
  for p in "${pids[@]}"; do kill "$p" 2> /dev/null || true; done
  [ -n "$xvfb_pid" ] && kill "$xvfb_pid" 2> /dev/null || true
  rm -rf "$work"
}
trap cleanup EXIT

fail() {
  echo "net-play-check: $*" >&2
  import -display "$display" -window root "$work/failed.png" 2> /dev/null && cp "$work/failed.png" "$shots/net-play-check-failed.png"
  exit 1
}

start_virtual_display || fail "the virtual display did not start"

# Each player runs the program from a copy of its folder of its own.
start() {
  cp -r "$build/game" "$work/$1"
  rm -f "$work/$1/FirstTime" "$work/$1/defaults.cfg"
  (cd "$work/$1" && QT_QPA_PLATFORM=xcb exec ./zarnath > "$work/$1.log" 2>&1) &
  pids+=($!)
}
# The visible window of program number $1 with this exact title, within 20 seconds.
window() {
  timeout 20 xdotool search --all --sync --onlyvisible --pid "${pids[$1]}" --name "^$2\$" | head -1
}
# Without a window manager the programs' windows lie on top of each other: the window is raised
# and given the keyboard by its id first, so that the click and the keys that follow reach it.
click() {
  xdotool windowraise "$1"
  xdotool windowfocus "$1" 2> /dev/null || true
  sleep 0.2
  xdotool mousemove --window "$1" "$2" "$3" click 1
  sleep 0.3
}
# What the chat box of a lobby window shows, copied as a player would copy it (Ctrl+A, Ctrl+C).
chat_of() {
  click "$1" 200 400  # the chat box
  xdotool key --clearmodifiers ctrl+a ctrl+c
  sleep 0.3
  xclip -o -selection clipboard 2> /dev/null | tr -d '\r'
}
# From the title window to a named player in the setup window with the LAN box ticked.
setup_player() {  # program name
  local title setup
  title=$(window "$1" "Zarnath v1.40") || fail "no title window for $2"
  sleep 1
  click "$title" 57 392  # Start
  setup=$(window "$1" "Zarnath Game Setup") || fail "no setup window for $2"
  sleep 0.5
  click "$setup" 80 44  # the first name box
  xdotool type --delay 60 "$2"
  click "$setup" 25 171  # Network/LAN Game
  echo "$setup"
}

start ann
ann_setup=$(setup_player 0 Ann)
click "$ann_setup" 47 219  # Host A New Game: Ann listens

for who in bob cy; do
  start "$who"
  n=$((${#pids[@]} - 1))
  name=$([ "$who" = bob ] && echo Bob || echo Cy)
  s=$(setup_player "$n" "$name")
  click "$s" 47 243   # Connect to Game
  click "$s" 200 271  # the address box
  xdotool type --delay 60 "127.0.0.1"
  xdotool key Return  # joins Ann's lobby
  sleep 1.5
  eval "${who}_setup=$s"
done

# The lobby's chat: Bob says hello in his window, Ann answers in hers; every chat box shows both
# lines under their senders' names, in order, and nothing else.
click "$bob_setup" 200 510  # Bob's chat line
xdotool type --delay 40 "hello from Bob"
xdotool key Return
sleep 1
click "$ann_setup" 200 510  # Ann's chat line
xdotool type --delay 40 "welcome to my game"
xdotool key Return
sleep 1
mkdir -p "$shots"
xdotool windowraise "$cy_setup"; sleep 0.5
import -display "$display" -window root "$shots/net-client-lobby.png" || fail "no screenshot of a client's lobby"
xdotool windowraise "$ann_setup"; sleep 0.5
import -display "$display" -window root "$shots/net-host-setup.png" || fail "no screenshot of the host's setup"
expected=$'Connected...\n Bob: hello from Bob\n Ann: welcome to my game'
for who in ann bob cy; do
  w=${who}_setup
  shown=$(chat_of "${!w}") || shown=""
  [ "$shown" = "$expected" ] ||
    fail "$who's lobby chat shows [$shown], not both lines under their senders' names"
done
click "$ann_setup" 357 217  # Start: Ann's galaxy goes to Bob and Cy

i=0
for name in Ann Bob Cy; do
  w=$(timeout 30 xdotool search --all --sync --onlyvisible --pid "${pids[$i]}" --name "^Zarnath - Year 1.00, Turn #0:  $name" | head -1) ||
    fail "no game window with $name's first turn"
  sleep 1
  xdotool windowactivate --sync "$w" 2> /dev/null || true
  sleep 1
  xdotool windowraise "$w"; sleep 0.5
  import -display "$display" -window root "$shots/net-game-$(echo "$name" | tr A-Z a-z).png" || fail "no screenshot of $name's game"
  i=$((i + 1))
done
# Three turns: Bob and Cy press Done, then Ann; each program then shows the next turn.
wins=()
i=0
for name in Ann Bob Cy; do
  wins+=("$(xdotool search --all --onlyvisible --pid "${pids[$i]}" --name "^Zarnath - Year" | head -1)")
  i=$((i + 1))
done
players="1 2 0"
for turn in 1 2 3; do
  if [ "$turn" = 2 ]; then
    # Cy quits in the middle of the game; Ann and Bob play on.
    kill "${pids[2]}"
    sleep 7
    players="1 0"
  fi
  for i in $players; do
    xdotool windowraise "${wins[$i]}"
    sleep 0.5
    click "${wins[$i]}" 395 420  # Done
    sleep 1
  done
  i=0
  for name in Ann Bob Cy; do
    if [ "$turn" = 1 ] || [ "$name" != Cy ]; then
      timeout 60 xdotool search --all --sync --onlyvisible --pid "${pids[$i]}" --name "Turn #$turn:  $name" > /dev/null ||
        fail "$name's program did not reach turn $turn"
    fi
    i=$((i + 1))
  done
done
xdotool windowraise "${wins[1]}"
sleep 1
import -display "$display" -window root "$shots/net-game-turn3.png" || fail "no screenshot after three turns"

echo "net-play-check: Ann hosted on port $ZARNATH_PORT, Bob and Cy joined her lobby and chatted, all three game" \
  "windows showed turn 0 of the same game, Cy quit after the first turn and Ann and Bob played on to turn 3;" \
  "screenshots in docs/net-*.png"
