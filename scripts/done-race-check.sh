#!/usr/bin/env bash
# Three programs, each on a virtual X display of its own, play a LAN game over loopback in which
# all three players hold Done down and let go of it together, turn after turn, some turns just
# after one of them sent a chat line. Mostly the host lets go first and the others at once; one
# process lets go of the three buttons. A turn whose three presses came within a tenth of a second
# of each other raced; one the machine held further apart still has to open but made no race, and
# more than half of the turns must race. Every turn must open on every window within a fixed
# time, with the title of a seat taking its turn (no " (Done Turn)" left over) and every seat's
# status taking it, and the chat lines must reach the host's chat box. A screenshot of Bob's game
# at the end goes to docs/net-done-race.png.
#
#   scripts/done-race-check.sh [build folder]      (default: build; the program must be built)
set -euo pipefail
usage() {
  cat << 'TEXT'
usage: done-race-check.sh [BUILD_FOLDER]
Three programs on three virtual displays play a LAN game in which all three players let go of
Done together for 16 turns, some after a chat line; every turn must open on every window within
20 seconds with every seat taking it, and in more than half of the turns the three presses must
come within 0.1 s of each other. Keeps docs/net-done-race.png. BUILD_FOLDER defaults to build (the
program must be built);
DONE_RACE_CHECK_DISPLAY is the first of the three display numbers (default 61), DONE_RACE_TURNS
the number of turns (default 16) and ZARNATH_PORT the game port (default 47332).
  --help  shows this text
TEXT
}
case ${1:-} in
  --help) usage; exit 0 ;;
  -*) echo "done-race-check.sh: unknown option $1" >&2; usage >&2; exit 2 ;;
esac
[ $# -le 1 ] || { echo "done-race-check.sh: one build folder at most" >&2; usage >&2; exit 2; }
cd "$(dirname "$0")/.."
root=$PWD
build=${1:-build}
shots=$root/docs
first=${DONE_RACE_CHECK_DISPLAY:-61}
displays=(":$first" ":$((first + 1))" ":$((first + 2))")
names=(Ann Bob Cy)
turns=${DONE_RACE_TURNS:-16}
open_bound=20  # seconds a turn may take to open on every window after the last Done
export ZARNATH_PORT=${ZARNATH_PORT:-47332}

. scripts/lib/virtual-display.sh
. scripts/lib/display-players.sh
require_tools done-race-check Xvfb xdotool import xclip
[ -x "$build/game/zarnath" ] || { echo "done-race-check: build the program first ($build/game/zarnath)" >&2; exit 2; }

work=$(mktemp -d)
pids=()
player_files=()
trap end_players EXIT

fail() { players_failed done-race-check "$@"; }

claim_displays done-race-check DONE_RACE_CHECK_DISPLAY
open_lan_game  # Ann hosts, Bob and Cy join, Ann's galaxy goes to them
sleep 1

# status_row I: a digest of the pixels of the seats' status row along the top of player I's game
# window. Every turn opens with every seat taking it, as the first turn does.
status_row() {
  import -display "${displays[$1]}" -window "${wins[$1]}" -crop 980x16+21+4 rgb:- 2> /dev/null | md5sum
}
taking=()
for i in 0 1 2; do taking[i]=$(status_row "$i") || fail "no picture of ${names[$i]}'s status row"; done

said=()
raced=0
for turn in $(seq 1 "$turns"); do
  # Every third turn one of the players says something just before the three presses.
  if [ $((turn % 3)) = 0 ]; then
    speaker=$((turn / 3 % 3))
    line="turn $turn from ${names[$speaker]}"
    player_click "$speaker" "${wins[$speaker]}" 146 671  # the chat line under the chat
    DISPLAY=${displays[$speaker]} xdotool type --delay 10 "$line"
    DISPLAY=${displays[$speaker]} xdotool key Return
    said+=(" ${names[$speaker]}: $line")
    sleep 0.$((turn % 7 + 2))
  fi
  # Three presses of Done: each player holds the button down, then the three let go (Done acts on
  # the release). In three turns of four Ann, the host, lets go first and Bob and Cy at the same
  # moment, so that their Dones reach her while her own goes out to them; in the fourth whose
  # comes first turns round, 10 to 30 ms apart.
  if [ $((turn % 4)) = 3 ]; then
    order=()
    for k in 0 1 2; do order+=($(((turn / 4 + k) % 3))); done
    gap=$((turn / 4 % 3 * 10 + 10))
  else
    order=(0 1 2)
    gap=0
  fi
  for i in "${order[@]}"; do DISPLAY=${displays[$i]} xdotool mousemove --window "${wins[$i]}" 395 420 mousedown 1; done
  # One process lets go of the three buttons, so the race is made whatever the machine's load.
  spread=$(python3 scripts/lib/let-go.py "$gap" "${displays[${order[0]}]}" "${displays[${order[1]}]}" \
    "${displays[${order[2]}]}") || fail "the three Done buttons of turn $((turn - 1)) could not be let go"
  if [ "$spread" -lt 100 ]; then
    raced=$((raced + 1))
  else
    echo "done-race-check: the machine held the presses of turn $((turn - 1)) $spread ms apart" >&2
  fi
  for i in 0 1 2; do
    player_window "$i" "^Zarnath - Year [0-9.]*, Turn #$turn:  ${names[$i]}\$" "$open_bound" > /dev/null ||
      fail "turn $turn did not open on ${names[$i]}'s window within $open_bound s of the three Done presses" \
        "(pressed within $spread ms)"
  done
  # What was still on its way for the turn that ended lands now: no seat may show its Done in
  # the new turn (a Done relayed after the turn's end would).
  sleep 0.5
  for i in 0 1 2; do
    [ "$(status_row "$i")" = "${taking[i]}" ] ||
      fail "turn $turn opened on ${names[$i]}'s window with a seat not taking it (pressed within $spread ms)"
  done
  echo "done-race-check: turn $turn opened on every window with every seat taking it (Done pressed within" \
    "$spread ms)"
done

mkdir -p "$shots"
import -display "${displays[1]}" -window root "$shots/net-done-race.png" || fail "no screenshot of Bob's game"

# Every chat line reached the host's chat box: selected with the pointer from its first line to
# past its last, as a player would, and read from the selection.
DISPLAY=${displays[0]} xdotool mousemove --window "${wins[0]}" 24 496 mousedown 1 \
  mousemove --window "${wins[0]}" 200 580 mousemove --window "${wins[0]}" 330 652 mouseup 1
sleep 0.3
chat=$(DISPLAY=${displays[0]} xclip -o -selection primary 2> /dev/null | tr -d '\r') || chat=""
for line in "${said[@]}"; do
  grep -qxF -- "$line" <<< "$chat" || fail "Ann's chat box lacks the line [$line]: [$chat]"
done
# A turn whose presses the machine held apart still had to open, but made no race: most must.
[ $((raced * 2)) -gt "$turns" ] ||
  fail "only $raced of $turns turns had their Done presses within 0.1 s: the race was not made"
echo "done-race-check: Ann hosted on port $ZARNATH_PORT, Bob and Cy joined, and $turns turns opened on all three" \
  "windows after Done was pressed on all three, within 0.1 s in $raced of them, ${#said[@]} of them" \
  "just after a chat line"
