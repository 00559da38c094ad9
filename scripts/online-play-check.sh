#!/usr/bin/env bash
# Two programs find each other through a local master server, each on a virtual X display of its
# own (no window manager, so windows never overlap and every click lands on the window it was
# aimed at). The master server and the daytime server of tools/lobby/master-server.sh run on
# 127.0.0.1. Ann ticks the internet box (her window grows into the lobby) and hosts (her record is
# in the day's list and her game port listens); Bob ticks it and joins Ann's game with a
# double-click on the first row of his server table (his program connects and writes his name to
# its defaults); Ann starts, both game windows open on turn 0 of the same game, the game log on
# the master server holds the game's start, and two turns are played. A screenshot of Bob's lobby
# goes to docs/online-lobby.png.
#
#   scripts/online-play-check.sh [build folder]      (default: build; the program must be built)
#
# ONLINE_PLAY_CHECK_DISPLAY is Ann's display number (Bob's is the next one); ZARNATH_PORT,
# ONLINE_PLAY_CHECK_FTP_PORT and ONLINE_PLAY_CHECK_DAYTIME_PORT move the ports.
set -euo pipefail
usage() {
  cat << 'TEXT'
usage: online-play-check.sh [BUILD_FOLDER]
Two programs, each on a virtual X display of its own, find each other through a local master
server (tools/lobby/master-server.sh on 127.0.0.1): Ann hosts an internet game, Bob joins it from
his server table, and they play two turns. Keeps docs/online-lobby.png. BUILD_FOLDER defaults to
build (the program must be built); ONLINE_PLAY_CHECK_DISPLAY is Ann's display number (default
59, Bob's the next one), and ZARNATH_PORT, ONLINE_PLAY_CHECK_FTP_PORT and
ONLINE_PLAY_CHECK_DAYTIME_PORT move the ports.
  --help  shows this text
TEXT
}
case ${1:-} in
  --help) usage; exit 0 ;;
  -*) echo "online-play-check.sh: unknown option $1" >&2; usage >&2; exit 2 ;;
esac
[ $# -le 1 ] || { echo "online-play-check.sh: one build folder at most" >&2; usage >&2; exit 2; }
cd "$(dirname "$0")/.."
root=$PWD
build=${1:-build}
shots=$root/docs
first=${ONLINE_PLAY_CHECK_DISPLAY:-59}
displays=(":$first" ":$((first + 1))")
names=(Ann Bob)
export ZARNATH_PORT=${ZARNATH_PORT:-47331}
ftp_port=${ONLINE_PLAY_CHECK_FTP_PORT:-47321}
daytime_port=${ONLINE_PLAY_CHECK_DAYTIME_PORT:-47313}
export ZARNATH_DAYTIME_PORT=$daytime_port ZARNATH_LOBBY_ADDRESS=127.0.0.1

. scripts/lib/virtual-display.sh
. scripts/lib/display-players.sh
require_tools online-play-check Xvfb xdotool import python3
[ -x "$build/game/zarnath" ] || { echo "online-play-check: build the program first ($build/game/zarnath)" >&2; exit 2; }

work=$(mktemp -d)
pids=()
player_files=("$work/master/servers.cfg" "$work/master/time.cfg")
master_pid=""
cleanup() {
  for p in "${pids[@]}"; do kill "$p" 2> /dev/null || true; done
  [ -n "$master_pid" ] && kill "$master_pid" 2> /dev/null || true
  for p in "${xvfb_pids[@]}"; do kill "$p" 2> /dev/null || true; done
  rm -rf "$work"
}
trap cleanup EXIT

fail() {
  echo "online-play-check: $*" >&2
  ls -la "$work/master/master-lists" >&2 || true
  cat "$work/Ann.log" "$work/Bob.log" "$work/master.log" >&2 || true
  for i in 0 1; do
    echo "${names[$i]}'s windows:" >&2
    DISPLAY=${displays[$i]} xdotool search --onlyvisible --name . getwindowname %@ >&2 2> /dev/null || true
  done
  mkdir -p "$shots"
  for i in 0 1; do
    import -display "${displays[$i]}" -window root "$shots/online-play-check-failed-${names[$i]}.png" 2> /dev/null || true
  done
  exit 1
}

# Waits up to $1 tenths of a second for the command that follows to succeed.
wait_for() {
  local tenths=$1
  shift
  for _ in $(seq "$tenths"); do
    "$@" && return 0
    sleep 0.1
  done
  "$@"
}

mkdir -p "$work/master"
ZARNATH_LOBBY_CFG=$build/tools/lobby/zarnath-lobby-cfg \
  bash tools/lobby/master-server.sh "$work/master" 127.0.0.1 "$ftp_port" "$daytime_port" > "$work/master.log" 2>&1 &
master_pid=$!
wait_for 100 grep -q "^master server" "$work/master.log" || fail "the master server did not start: $(cat "$work/master.log")"

for d in "${displays[@]}"; do start_display "$d" || fail "the virtual display $d did not start"; done

height() {  # player window
  DISPLAY=${displays[$1]} xdotool getwindowgeometry --shell "$2" | sed -n 's/^HEIGHT=//p'
}
day_file_has() {  # a line of the day's list
  grep -qsx "$1"$'\r' "$work/master/master-lists"/servers140-*.txt
}
defaults_hold() {  # player text
  [ "$(cat "$work/${names[$1]}/defaults.cfg" 2> /dev/null)" = "$2"$'\r' ]
}

# From the title window to the setup window with the player's name typed, then the internet box:
# the window grows into the lobby with the server table.
setup_player() {  # player
  local setup compact
  open_setup "$1"
  setup=setup_$1
  setup=${!setup}
  compact=$(height "$1" "$setup")
  player_click "$1" "$setup" 25 195  # Internet Game: the shared clock and the day's list
  wait_for 100 test "$(height "$1" "$setup")" -eq $((compact + 168)) ||
    fail "${names[$1]}'s setup window did not grow into the lobby (height $(height "$1" "$setup"), was $compact)"
  eval "compact_$1=$compact"
}

start_player 0
setup_player 0
sleep 1
player_click 0 "$setup_0" 47 219  # Host A New Game: Ann listens and publishes
wait_for 150 day_file_has Ann || fail "Ann's game was not published in the day's list"
wait_for 50 tcp_port_in_state "$ZARNATH_PORT" 0A || fail "Ann's program does not listen on port $ZARNATH_PORT"

start_player 1
setup_player 1
sleep 2  # the list arrives
mkdir -p "$shots"
import -display "${displays[1]}" -window root "$shots/online-lobby.png" || fail "no screenshot of Bob's lobby"
DISPLAY=${displays[1]} xdotool mousemove --window "$setup_1" 60 592 click --repeat 2 --delay 80 1  # Ann's row
wait_for 150 defaults_hold 1 Bob || fail "Bob's program did not connect to Ann's game (no name in its defaults)"
wait_for 50 tcp_port_in_state "$ZARNATH_PORT" 01 || fail "no connection on Ann's port $ZARNATH_PORT"
sleep 1  # Bob's seat and the Start button show in Ann's lobby
start_net_game 0
log=$work/master/master-lists/gamelog.txt
wait_for 100 grep -qs "Players: Ann Bob" "$log" || true
grep -qs "ZQ v1.40.0143 Game Start: .*Players: Ann Bob" "$log" || fail "the game log has no line of this game"

for turn in 1 2; do
  for i in 1 0; do
    sleep 0.5
    player_click "$i" "${wins[$i]}" 395 420  # Done
  done
  for i in 0 1; do
    player_window "$i" "Turn #$turn:  ${names[$i]}" > /dev/null || fail "${names[$i]}'s program did not reach turn $turn"
  done
done
echo "online-play-check: Ann published her game on the local master server, Bob found it in his server table" \
  "and joined, the game log holds its start, and two turns were played"
