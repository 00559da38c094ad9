#!/usr/bin/env bash
# Two programs on one virtual X display find each other through a local master server: the
# master server and the daytime server of tools/lobby/master-server.sh run on 127.0.0.1, Ann ticks
# the internet box and hosts, Bob ticks it, sees Ann's game in his server table and joins it with
# a double-click, Ann starts, both game windows open on the same game and one turn is played. The
# game log on the master server then holds the game's start. A screenshot of Bob's lobby goes to docs/.
#
#   scripts/online-play-check.sh [build folder]      (default: build; the program must be built)
#
# Not passing yet: without a window manager the clicks on the second program's internet box do not
# reach it while the first program's taller lobby window is up (the same play in one process is
# tests/ui/online_lobby_test.cpp, which passes). Not run by scripts/test.sh until it does.
set -euo pipefail
cd "$(dirname "$0")/.."
root=$PWD
build=${1:-build}
shots=$root/docs
display=:${ONLINE_PLAY_CHECK_DISPLAY:-59}
export ZARNATH_PORT=${ZARNATH_PORT:-47331}
ftp_port=${ONLINE_PLAY_CHECK_FTP_PORT:-47321}
daytime_port=${ONLINE_PLAY_CHECK_DAYTIME_PORT:-47313}
export ZARNATH_DAYTIME_PORT=$daytime_port ZARNATH_LOBBY_ADDRESS=127.0.0.1

. scripts/lib/virtual-display.sh
require_tools online-play-check Xvfb xdotool import
[ -x "$build/game/zarnath" ] || { echo "online-play-check: build the program first ($build/game/zarnath)" >&2; exit 2; }

work=$(mktemp -d)
xvfb_pid=""
pids=()
cleanup() {
  for p in "${pids[@]}"; do kill "$p" 2> /dev/null || true; done
  [ -n "$xvfb_pid" ] && kill "$xvfb_pid" 2> /dev/null || true
  [ -n "${master_pid:-}" ] && kill "$master_pid" 2> /dev/null || true
  rm -rf "$work"
}
trap cleanup EXIT

fail() {
  echo "online-play-check: $*" >&2
  ls -la "$work/master/master-lists" >&2 || true; cat "$work/ann.log" "$work/master.log" >&2 || true
  mkdir -p "$shots"; import -display "$display" -window root "$shots/online-play-check-failed.png" 2> /dev/null || true
  exit 1
}

mkdir -p "$work/master"
ZARNATH_LOBBY_CFG=$build/tools/lobby/zarnath-lobby-cfg \
  bash tools/lobby/master-server.sh "$work/master" 127.0.0.1 "$ftp_port" "$daytime_port" > "$work/master.log" 2>&1 &
master_pid=$!
for _ in $(seq 100); do grep -q "^master server" "$work/master.log" && break; sleep 0.1; done
grep -q "^master server" "$work/master.log" || fail "the master server did not start: $(cat "$work/master.log")"

start_virtual_display || fail "the virtual display did not start"

start() {
  cp -r "$build/game" "$work/$1"
  rm -f "$work/$1/FirstTime" "$work/$1/defaults.cfg"
  cp "$work/master/servers.cfg" "$work/master/time.cfg" "$work/$1/"
  (cd "$work/$1" && QT_QPA_PLATFORM=xcb exec ./zarnath > "$work/$1.log" 2>&1) &
  pids+=($!)
}
window() {
  timeout 20 xdotool search --sync --onlyvisible --pid "${pids[$1]}" --name "^$2\$" | head -1
}
click() {
  xdotool windowactivate --sync "$1" 2> /dev/null || true
  xdotool mousemove --window "$1" "$2" "$3" click 1
  sleep 0.3
}
setup_player() {  # program name
  local title setup
  title=$(window "$1" "Zarnath v1.40") || fail "no title window for $2"
  sleep 1
  click "$title" 57 392  # Start
  setup=$(window "$1" "Zarnath Game Setup") || fail "no setup window for $2"
  sleep 0.5
  click "$setup" 80 44  # the first name box
  xdotool type --delay 60 "$2"
  echo "$setup"
}

# Both players name themselves while their setup windows are alike, then go online.
start ann
ann_setup=$(setup_player 0 Ann)
start bob
bob_setup=$(setup_player 1 Bob)
xdotool windowraise "$ann_setup"  # no window manager: raise the window that is clicked next
click "$ann_setup" 25 195  # Internet Game: the shared clock and the day's list
sleep 3
click "$ann_setup" 47 219  # Host A New Game: Ann listens and publishes
sleep 3
[ -n "$(ls "$work/master/master-lists"/servers140-*.txt 2> /dev/null)" ] || fail "Ann's game was not published"
xdotool windowunmap --sync "$ann_setup"  # out of Bob's way while he joins
xdotool windowraise "$bob_setup"
click "$bob_setup" 25 195  # Internet Game: Bob's list holds Ann's game
sleep 4
mkdir -p "$shots"
xdotool windowraise "$bob_setup"; sleep 0.5
import -display "$display" -window root "$shots/online-lobby.png" || fail "no screenshot of Bob's lobby"
xdotool windowactivate --sync "$bob_setup" 2> /dev/null || true
xdotool windowraise "$bob_setup"
xdotool mousemove --window "$bob_setup" 60 607 click --repeat 2 --delay 80 1  # Ann's row
sleep 3
xdotool windowmap --sync "$ann_setup"
xdotool windowraise "$ann_setup"
click "$ann_setup" 357 217  # Start

i=0
for name in Ann Bob; do
  timeout 30 xdotool search --sync --onlyvisible --pid "${pids[$i]}" --name "^Zarnath - Year 1.00, Turn #0:  $name[!,]" > /dev/null ||
    fail "no game window with $name's first turn"
  i=$((i + 1))
done
log=$work/master/master-lists/gamelog.txt
for _ in $(seq 100); do grep -qs "Players: Ann Bob" "$log" && break; sleep 0.1; done
grep -qs "ZQ v1.40.0143 Game Start: .*Players: Ann Bob" "$log" ||
  fail "the game log has no line of this game"
wins=()
for i in 0 1; do wins+=("$(xdotool search --onlyvisible --pid "${pids[$i]}" --name "^Zarnath - Year" | head -1)"); done
for i in 1 0; do
  xdotool windowraise "${wins[$i]}"
  sleep 0.5
  click "${wins[$i]}" 395 420  # Done
  sleep 1
done
i=0
for name in Ann Bob; do
  timeout 60 xdotool search --sync --onlyvisible --pid "${pids[$i]}" --name "Turn #1:  $name" > /dev/null ||
    fail "$name's program did not reach turn 1"
  i=$((i + 1))
done
echo "online-play-check: Ann published her game on the local master server, Bob found it in his server table" \
  "and joined, the game log holds its start, and a turn was played"
