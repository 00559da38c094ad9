#!/usr/bin/env bash
# Two programs, each on a virtual X display of its own, play the end of a LAN game over loopback:
# the last world falls while the loser's last fleet is still on its way. Ann hosts, Bob joins
# through the setup window's network boxes, Ann starts; then Ann loads, through the File menu's
# Load Game dialog, a game that zarnath-endgame wrote for these two players: the conqueror holds
# every world but the loser's home world, which stands empty; the conqueror's big fleet takes it at
# the end of the first turn, and the loser's last ship lands some turns later. Both players press
# Done every turn. Each step is checked on both windows: the game windows open, the load brings
# the file's year, every turn opens on both (the conqueror taking its turn, the loser without a
# world done), no conquest comes while the loser's ship still flies, and after its landing both
# programs show the conquest: the high-score window, the conqueror's row in each program's
# "Score130", and the setup window back. Bob saved the game before the load and leaves his Save
# dialog open with that name through the end, and Ann her Load dialog with the loaded game's: after
# the conquest Bob's Enter writes nothing over his save and says why, and Ann's Enter loads the
# game at once. Every wait is bounded, so a game that stalls fails.
# Screenshots of both players' screens at the conquest go to docs/net-conquest-*.png.
#
#   scripts/conquest-check.sh [build folder]      (default: build; the program must be built)
set -euo pipefail
usage() {
  cat << 'TEXT'
usage: conquest-check.sh [BUILD_FOLDER]
Two programs on two virtual displays play a LAN game that Ann hosts and Bob joins; Ann loads a
game in its last turns from the File menu (written by zarnath-endgame), both press Done every turn
while the loser's last ship flies, and both windows must show the conquest when it lands (the
high-score window, the winner in each Score130, the setup window back); a Save dialog left open
through the conquest writes nothing and a Load dialog left open loads at once. Keeps
docs/net-conquest-ann.png and docs/net-conquest-bob.png. BUILD_FOLDER defaults to build (the
program and the tools must be built); CONQUEST_CHECK_DISPLAY is the first of the two display
numbers (default 64), CONQUEST_CHECK_CONQUEROR the player who conquers, Ann or Bob (default Ann),
and ZARNATH_PORT the game port (default 47333).
  --help  shows this text
TEXT
}
case ${1:-} in
  --help) usage; exit 0 ;;
  -*) echo "conquest-check.sh: unknown option $1" >&2; usage >&2; exit 2 ;;
esac
[ $# -le 1 ] || { echo "conquest-check.sh: one build folder at most" >&2; usage >&2; exit 2; }
cd "$(dirname "$0")/.."
root=$PWD
build=${1:-build}
shots=$root/docs
first=${CONQUEST_CHECK_DISPLAY:-64}
displays=(":$first" ":$((first + 1))")
names=(Ann Bob)
case ${CONQUEST_CHECK_CONQUEROR:-Ann} in
  Ann) winner=0 ;;
  Bob) winner=1 ;;
  *) echo "conquest-check.sh: CONQUEST_CHECK_CONQUEROR is Ann or Bob" >&2; exit 2 ;;
esac
loser=$((1 - winner))
turn_bound=30      # seconds a turn may take to open on both windows after the last Done
conquest_bound=40  # seconds from the last Done to the high-score window on both
setup_bound=60     # seconds from the high-score window to the setup window on both
export ZARNATH_PORT=${ZARNATH_PORT:-47333}

. scripts/lib/virtual-display.sh
. scripts/lib/display-players.sh
require_tools conquest-check Xvfb xdotool import
[ -x "$build/game/zarnath" ] || { echo "conquest-check: build the program first ($build/game/zarnath)" >&2; exit 2; }
endgame=$build/tools/endgame/zarnath-endgame
sim=$build/tools/sim/zarnath-sim
for tool in "$endgame" "$sim"; do
  [ -x "$tool" ] || { echo "conquest-check: build the tools first ($tool)" >&2; exit 2; }
done

work=$(mktemp -d)
pids=()
player_files=()
trap end_players EXIT

fail() { players_failed conquest-check "$@"; }

claim_displays conquest-check CONQUEST_CHECK_DISPLAY

# The saved game of the end, written by the game's own save for these two players, and what it
# holds: its turn, and the turn at whose end the loser's last ship lands.
"$endgame" --players Ann,Bob --conqueror "$winner" --turn 10 --landing 5 "$work/lastworlds.zq" 2> /dev/null ||
  fail "zarnath-endgame wrote no saved game"
"$sim" --describe "$work/lastworlds.zq" > "$work/lastworlds.txt" || fail "the saved game does not read back"
read -r year turn <<< "$(sed -n 's/^game year=\([0-9.]*\) turn=\([0-9]*\) .*/\1 \2/p' "$work/lastworlds.txt")"
landing=$(awk -v o=$((loser + 1)) '$1 == "fleet" && $5 == "owner=" o { sub("turns=", "", $7); print $7 }' \
  "$work/lastworlds.txt")
[ -n "${turn:-}" ] && [ -n "$landing" ] && [ "$landing" -ge 2 ] ||
  fail "the saved game is not the end it should be: $(cat "$work/lastworlds.txt")"
conquest_turn=$((turn + landing))
year_of() { awk -v t="$1" 'BEGIN { printf "%.2f", 1 + t * 0.05 }'; }
[ "$(year_of "$turn")" = "$year" ] || fail "the saved game's year $year is not that of turn $turn"
echo "conquest-check: the saved game opens at year $year, turn $turn; ${names[$winner]} takes" \
  "${names[$loser]}'s last world in it, and ${names[$loser]}'s last ship lands $landing turns later"

open_lan_game  # Ann hosts, Bob joins, Ann's galaxy goes to him
cp "$work/lastworlds.zq" "$work/Ann/"
echo "conquest-check: the game window opened on both displays at year 1.00, turn 0"
sleep 1

# name_typed I DIALOG NAME: NAME typed into the name box of player I's DIALOG, over what it held.
name_typed() {
  player_click "$1" "$2" 320 218
  DISPLAY=${displays[$1]} xdotool key ctrl+a
  DISPLAY=${displays[$1]} xdotool type --delay 40 "$3"
}
# left_open I TITLE: player I's dialog TITLE, moved aside of the Done button and the map's middle.
left_open() {
  local dialog
  dialog=$(player_window "$1" "^$2\$" 10) || fail "${names[$1]}'s $2 dialog did not show"
  DISPLAY=${displays[$1]} xdotool windowmove "$dialog" 580 460
  sleep 0.5
  echo "$dialog"
}

# Bob saves the game he has: Ctrl+S, "mine", Enter.
player_click 1 "${wins[1]}" 1000 300
DISPLAY=${displays[1]} xdotool key ctrl+s
bob_save=$(left_open 1 "Save Game")
name_typed 1 "$bob_save" mine
DISPLAY=${displays[1]} xdotool key Return
for _ in $(seq 50); do [ -f "$work/Bob/mine.zq" ] && break; sleep 0.1; done
[ -f "$work/Bob/mine.zq" ] || fail "Bob's save dialog wrote no mine.zq"
await_gone 1 "^Save Game\$" "Bob's save dialog is still shown after the save"
cp "$work/Bob/mine.zq" "$work/mine-saved.zq"

# Ann loads the saved game: File, Load Game (the third item), the name typed into the dialog's
# name box, its Load button.
player_click 0 "${wins[0]}" 20 29  # File
player_click 0 "${wins[0]}" 60 93  # Load Game
load=$(player_window 0 "^Load Game\$" 10) || fail "File, Load Game showed no load dialog"
sleep 0.5
player_click 0 "$load" 320 218  # the name box
DISPLAY=${displays[0]} xdotool type --delay 40 "lastworlds"
player_click 0 "$load" 173 267  # Load
for i in 0 1; do
  player_window "$i" "^Zarnath - Year $year, Turn #$turn:  ${names[$i]}\$" 20 > /dev/null ||
    fail "the load did not bring year $year, turn $turn to ${names[$i]}'s window"
done
DISPLAY=${displays[0]} xdotool search --onlyvisible --name "^Load Game\$" > /dev/null 2>&1 &&
  fail "the load dialog is still shown after the load"
echo "conquest-check: Ann loaded the saved game from the File menu; both windows show year $year, turn $turn"

# The dialogs left open through the end: Bob's Save dialog with "mine", Ann's Load dialog with the
# game she loaded.
player_click 1 "${wins[1]}" 1000 300
DISPLAY=${displays[1]} xdotool key ctrl+s
bob_save=$(left_open 1 "Save Game")
name_typed 1 "$bob_save" mine
player_click 0 "${wins[0]}" 20 29  # File
player_click 0 "${wins[0]}" 60 93  # Load Game
ann_load=$(left_open 0 "Load Game")
name_typed 0 "$ann_load" lastworlds

conquest_shown() {  # player: its high-score window is up
  DISPLAY=${displays[$1]} xdotool search --all --onlyvisible --pid "${pids[$1]}" --name "^Zarnath HighScores\$" > /dev/null 2>&1
}

# Turn after turn both press Done, the client first. In the loaded turn the loser still holds
# its home world and takes its turn; from the next turn on it holds none, and a network seat
# without a world stands done while its ship flies (its Done changes nothing). The conqueror holds
# every world from then on, but takes its turn as long as the loser's ship flies.
for t in $(seq "$turn" $((conquest_turn - 1))); do
  for i in 1 0; do
    shown="Zarnath - Year $(year_of "$t"), Turn #$t:  ${names[$i]}"
    before=$(player_title "$i")
    if [ "$t" = "$turn" ] || [ "$i" = "$winner" ]; then
      [ "$before" = "$shown" ] || fail "${names[$i]} is not taking turn $t before the Done: [$before]"
    else
      [ "$before" = "$shown (Done Turn)" ] || fail "${names[$i]}, who holds no world, is not done in turn $t: [$before]"
    fi
    player_click "$i" "${wins[$i]}" 395 420  # Done
    # Bob's Done in the loaded turn leaves it open for Ann's: his title says so until then.
    if [ "$t" = "$turn" ] && [ "$i" = 1 ]; then
      player_window 1 "^$shown \\(Done Turn\\)\$" 10 > /dev/null ||
        fail "Bob's Done in turn $t did not show on his title: [$(player_title 1)]"
    fi
  done
  next=$((t + 1))
  if [ "$next" -lt "$conquest_turn" ]; then
    for i in 0 1; do
      # (xdotool reads the title as an extended regular expression)
      want="${names[$i]}"
      [ "$i" = "$winner" ] || want="$want \\(Done Turn\\)"
      player_window "$i" "^Zarnath - Year $(year_of "$next"), Turn #$next:  $want\$" "$turn_bound" > /dev/null ||
        fail "turn $next did not open on ${names[$i]}'s window within $turn_bound s as [...:  ${want//\\/}]" \
          "(its title: [$(player_title "$i")])"
      conquest_shown "$i" && fail "${names[$i]}'s program showed a conquest at turn $next while ${names[$loser]}'s ship flies"
    done
    echo "conquest-check: turn $next opened on both windows (${names[$winner]} taking the turn with every world," \
      "${names[$loser]} without a world done)"
  fi
done

# The last ship has landed: both programs show the conquest, in the turn after the landing. Each
# player's screen is kept as the high-score window comes up on it.
mkdir -p "$shots"
titles=()
for i in 0 1; do
  player_window "$i" "^Zarnath HighScores\$" "$conquest_bound" > /dev/null ||
    fail "no high-score window on ${names[$i]}'s display within $conquest_bound s of the last Done" \
      "(its game window: [$(player_title "$i")])"
  titles+=("$(player_title "$i")")
  sleep 0.5
  import -display "${displays[$i]}" -window root "$shots/net-conquest-${names[$i],,}.png" ||
    fail "no screenshot of ${names[$i]}'s conquest"
done
for i in 0 1; do
  [[ "${titles[$i]}" == "Zarnath - Year $(year_of "$conquest_turn"), Turn #$conquest_turn"* ]] ||
    fail "${names[$i]}'s game window showed the conquest at [${titles[$i]}], not at turn $conquest_turn"
  rows=$("$endgame" --scores "$work/${names[$i]}/Score130") || fail "${names[$i]}'s program wrote no high-score file"
  [[ "$(head -1 <<< "$rows")" == "score 0 rating="*" name=${names[$winner]} turns=$conquest_turn worlds=12 "* ]] ||
    fail "${names[$i]}'s high scores do not hold ${names[$winner]}'s conquest of 12 worlds in turn $conquest_turn: $rows"
done
echo "conquest-check: both programs showed ${names[$winner]}'s conquest at turn $conquest_turn (the high-score" \
  "window; each Score130 holds it)"
for i in 0 1; do
  player_window "$i" "^Zarnath Game Setup\$" "$setup_bound" > /dev/null ||
    fail "the setup window did not come back on ${names[$i]}'s display within $setup_bound s of the conquest"
  DISPLAY=${displays[$i]} xdotool search --all --onlyvisible --pid "${pids[$i]}" --name "^Zarnath - Year" > /dev/null 2>&1 &&
    fail "${names[$i]}'s game window is still shown after the conquest"
done
shown 1 "^Save Game\$" || fail "Bob's Save dialog did not stay open through the conquest"
player_click 1 "$bob_save" 320 218
DISPLAY=${displays[1]} xdotool key Return
box=$(player_window 1 "^Zarnath Error\$" 10) || fail "Bob's Enter in the Save dialog after the conquest showed no reason"
cmp -s "$work/Bob/mine.zq" "$work/mine-saved.zq" || fail "Bob's Enter after the conquest wrote over mine.zq"
sleep 0.5
import -display "${displays[1]}" -window root "${CONQUEST_CHECK_REFUSAL_SHOT:-$work/bob-refused.png}" || true
DISPLAY=${displays[1]} xdotool windowfocus "$box" 2> /dev/null || true
DISPLAY=${displays[1]} xdotool key Return
await_gone 1 "^Zarnath Error\$" "Bob's box is still up after Enter"
echo "conquest-check: Bob's Save dialog, left open through the conquest, wrote nothing over mine.zq and said why"
shown 0 "^Load Game\$" || fail "Ann's Load dialog did not stay open through the conquest"
player_click 0 "$ann_load" 320 218
DISPLAY=${displays[0]} xdotool key Return
player_window 0 "^Zarnath - Year $year, Turn #$turn:  Ann\$" 10 > /dev/null ||
  fail "Ann's Enter in the Load dialog after the conquest did not load her game (title: [$(player_title 0)])"
echo "conquest-check: Ann's Load dialog, left open through the conquest, loaded year $year, turn $turn at once"
echo "conquest-check: Ann hosted on port $ZARNATH_PORT, Bob joined, Ann loaded the end of a game and both played" \
  "it to ${names[$winner]}'s conquest while ${names[$loser]}'s last ship flew; both returned to the setup window;" \
  "screenshots in docs/net-conquest-ann.png and docs/net-conquest-bob.png"
