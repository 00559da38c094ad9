#!/usr/bin/env bash
# Three programs, each on a virtual X display of its own, play a LAN game over loopback in which
# the host loads a saved game and later starts a new one, and every window plays on. Ann hosts,
# Bob and Cy join, Ann starts. After the first turn Ann saves the game (Ctrl+S, a name typed into
# the save dialog, Enter); all three play a turn; Bob presses Done in the next one, and then Ann
# loads the saved game through File, Load Game (the name typed, Enter). Every window must show the
# saved year and turn with its seat taking its turn (Bob's Done was for the game before), and the
# games Bob and Cy then save hold the worlds of Ann's file. Two turns are played: Done on every
# window, the next turn open on every window; in the first, Bob presses last, and the turn must
# wait for him. Then Cy presses Done and Ann starts a new game through File, New Game (Yes in its
# box): every window must show the first turn of a star system that is not the loaded one, the
# same on all three (saved by each), and two more turns are played the same way, Cy pressing last
# in the first. Every wait is bounded, so a game that stalls fails. A screenshot of Bob's screen
# after the new game's turns goes to docs/net-new-game-bob.png.
#
# The turn clock starts afresh with the loaded turn and with the new game's first turn: the turn
# that each replaces has run for a while first, and then nobody touches the windows for a minute,
# in which every window's message line must keep the turn's opening notice until its first
# countdown notice, a whole minute after the turn opened there.
#
#   scripts/net-reload-check.sh [build folder]      (default: build; the program must be built)
set -euo pipefail
usage() {
  cat << 'TEXT'
usage: net-reload-check.sh [BUILD_FOLDER]
Three programs on three virtual displays play a LAN game that Ann hosts and Bob and Cy join: Ann
saves the game with Ctrl+S, all play a turn, Ann loads the save through File, Load Game, and every
window must show the saved turn and play on for two turns; then Ann starts a new game through
File, New Game, and every window must show its first turn and play on for two turns. The first
minute of the loaded turn and of the new game's first turn must be whole on every window: the
message line keeps the turn's opening notice until the clock's first countdown a minute later,
though the turn each replaces had run for a while. Takes about four minutes. Keeps
docs/net-new-game-bob.png. BUILD_FOLDER defaults to build (the program and zarnath-sim must be
built); NET_RELOAD_CHECK_DISPLAY is the first of the three display numbers (default 66) and
ZARNATH_PORT the game port (default 47334).
  --help  shows this text
TEXT
}
case ${1:-} in
  --help) usage; exit 0 ;;
  -*) echo "net-reload-check.sh: unknown option $1" >&2; usage >&2; exit 2 ;;
esac
[ $# -le 1 ] || { echo "net-reload-check.sh: one build folder at most" >&2; usage >&2; exit 2; }
cd "$(dirname "$0")/.."
root=$PWD
build=${1:-build}
shots=$root/docs
first=${NET_RELOAD_CHECK_DISPLAY:-66}
displays=(":$first" ":$((first + 1))" ":$((first + 2))")
names=(Ann Bob Cy)
turn_bound=30  # seconds a turn, a load or a new game may take to open on every window
wait_spell=3   # seconds a turn must stay open while one seat has not pressed Done
# Seconds the turn in play runs before a load or a new game replaces it: a clock left running from
# it would give its first countdown a minute less these seconds (and the menu steps) into the turn
# that replaces it, some 40 seconds, well before the earliest first countdown allowed below.
clock_spell=15
# The first countdown of a turn comes a minute after the turn opened. Measured on the check's
# clock, it comes up to the poll's period (about a second with three captures) late and up to the
# title search's lag (half a second or so) early, and the game's minute timer may itself be off by
# a few per cent; 55 to 70 seconds allow for those and for a loaded machine, while a minute that
# started before the turn did gives itself away well under 55.
minute_low=55
minute_high=70
export ZARNATH_PORT=${ZARNATH_PORT:-47334}

. scripts/lib/virtual-display.sh
. scripts/lib/display-players.sh
require_tools net-reload-check Xvfb xdotool import
[ -x "$build/game/zarnath" ] || { echo "net-reload-check: build the program first ($build/game/zarnath)" >&2; exit 2; }
sim=$build/tools/sim/zarnath-sim
[ -x "$sim" ] || { echo "net-reload-check: build zarnath-sim first ($sim)" >&2; exit 2; }

work=$(mktemp -d)
pids=()
player_files=()
trap end_players EXIT
fail() { players_failed net-reload-check "$@"; }

claim_displays net-reload-check NET_RELOAD_CHECK_DISPLAY
open_lan_game  # Ann hosts, Bob and Cy join, Ann's galaxy goes to them
echo "net-reload-check: the game window opened on all three displays at year 1.00, turn 0"
sleep 1

year_of() { awk -v t="$1" 'BEGIN { printf "%.2f", 1 + t * 0.05 }'; }
# The title of player I's game window in turn T, taking the turn (xdotool reads it as an
# extended regular expression).
turn_title() { # player turn
  echo "^Zarnath - Year $(year_of "$2"), Turn #$2:  ${names[$1]}\$"
}

# now_ms: the check's clock in milliseconds, into the variable now.
now_ms() {
  now=${EPOCHREALTIME/[.,]/}
  now=$((now / 1000))
}

# await_turn T WHAT: turn T opens on every window within turn_bound seconds, each seat taking it;
# the moment each window was seen showing it goes into opened (milliseconds, as now_ms).
opened=()
await_turn() {
  local i now
  for i in "${!names[@]}"; do
    player_window "$i" "$(turn_title "$i" "$1")" "$turn_bound" > /dev/null ||
      fail "$2: turn $1 (year $(year_of "$1")) did not open on ${names[$i]}'s window within" \
        "$turn_bound s (its title: [$(player_title "$i")])"
    now_ms
    opened[i]=$now
  done
}

# message_line I: a digest of the pixels of player I's message line (the notice line over the
# Done button) as its game window shows it now.
message_line() {
  import -display "${displays[$1]}" -window "${wins[$1]}" -crop 518x20+250+392 rgb:- 2> /dev/null | md5sum
}

# park_pointer I: player I's pointer rests at the view's right edge, where nothing lies, so that
# no world under it names itself while the message line is watched.
park_pointer() {
  DISPLAY=${displays[$1]} xdotool mousemove --window "${wins[$1]}" 1000 300
}

# whole_first_minute WHAT: the turn await_turn has just seen open is left alone, and on every
# window the message line must keep what it shows until the clock's first countdown, between
# minute_low and minute_high seconds after the turn opened on that window; WHAT names the turn.
# The three windows are watched together, so the minute passes once for all. Nothing may touch a
# window before it: a Done, a save dialog or a world under the pointer writes into the line.
whole_first_minute() {
  local i now line took left=${#names[@]} report="" wrong=""
  local -a before seconds
  for i in "${!names[@]}"; do
    before[i]=$(message_line "$i") || fail "no picture of ${names[$i]}'s message line"
  done
  while ((left > 0)); do
    sleep 0.5
    for i in "${!names[@]}"; do
      [ -z "${seconds[i]:-}" ] || continue
      now_ms
      took=$((now - opened[i]))
      line=$(message_line "$i") || fail "no picture of ${names[$i]}'s message line"
      if [ "$line" != "${before[i]}" ]; then
        seconds[i]=$((took / 1000)).$((took / 100 % 10))
        left=$((left - 1))
        if ((took < minute_low * 1000 || took > minute_high * 1000)); then
          wrong+="; ${names[$i]}'s message line first changed ${seconds[i]} s after the turn opened"
        fi
      elif ((took > minute_high * 1000)); then
        seconds[i]="over $minute_high"
        left=$((left - 1))
        wrong+="; ${names[$i]}'s message line did not change within $minute_high s of the turn's opening"
      fi
    done
  done
  for i in "${!names[@]}"; do report+="${report:+, }${names[$i]} ${seconds[i]} s"; done
  [ -z "$wrong" ] ||
    fail "the first minute of $1 was not whole (its first countdown must come $minute_low to" \
      "$minute_high s after the turn opened): ${wrong#; } ($report)"
  echo "net-reload-check: the first minute of $1 was whole on every window: the message line first" \
    "changed a minute after the turn opened ($report)"
}

# press_done I T: player I presses Done in turn T; the title must say so.
press_done() {
  local done_title
  done_title="$(turn_title "$1" "$2")"
  done_title="${done_title%\$} \\(Done Turn\\)\$"
  player_click "$1" "${wins[$1]}" 395 420  # Done
  player_window "$1" "$done_title" 10 > /dev/null ||
    fail "${names[$1]}'s Done in turn $2 did not show on the title: [$(player_title "$1")]"
}

# play_turn T [LAST]: every player presses Done in turn T, Bob and Cy first, Ann last; turn T + 1
# must open on every window. With LAST that player presses last instead, and until then the turn
# must stay open on every window.
play_turn() {
  local last=${2:-0} i
  for i in 1 2 0; do
    [ "$i" = "$last" ] || press_done "$i" "$1"
  done
  if [ $# = 2 ]; then
    sleep "$wait_spell"
    for i in "${!names[@]}"; do
      [[ "$(player_title "$i")" == "Zarnath - Year $(year_of "$1"), Turn #$1:  ${names[$i]}"* ]] ||
        fail "turn $1 did not wait for ${names[$last]}'s Done on ${names[$i]}'s window:" \
          "[$(player_title "$i")]"
    done
  fi
  player_click "$last" "${wins[$last]}" 395 420  # Done
  await_turn $(($1 + 1)) "after Done on every window in turn $1"
  echo "net-reload-check: turn $(($1 + 1)) opened on every window after Done on each in turn $1" \
    "(${names[$last]} the last)"
}

# save_game I NAME: player I saves the game as NAME: Ctrl+S on the game window, the name typed into
# the save dialog, Enter. NAME.zq must be in the player's folder and the dialog gone; what it holds
# goes into $work/NAME.txt as zarnath-sim describes it.
save_game() {
  local dialog file=$work/${names[$1]}/$2.zq
  # The game window takes the keys (nothing lies at the view's right edge).
  player_click "$1" "${wins[$1]}" 1000 300
  DISPLAY=${displays[$1]} xdotool key ctrl+s
  dialog=$(player_window "$1" "^Save Game\$" 10) ||
    fail "Ctrl+S showed no save dialog on ${names[$1]}'s display"
  sleep 0.5
  player_click "$1" "$dialog" 320 218  # the name box, which may still hold the last name saved
  DISPLAY=${displays[$1]} xdotool key ctrl+a
  DISPLAY=${displays[$1]} xdotool type --delay 40 "$2"
  DISPLAY=${displays[$1]} xdotool key Return
  for _ in $(seq 50); do [ -f "$file" ] && break; sleep 0.1; done
  [ -f "$file" ] || fail "Enter in ${names[$1]}'s save dialog wrote no $2.zq"
  await_gone "$1" "^Save Game\$" "${names[$1]}'s save dialog is still shown after the save"
  "$sim" --describe "$file" > "$work/$2.txt" || fail "${names[$1]}'s $2.zq does not read back"
}

# The worlds and the objects in flight of a saved game described in $work/NAME.txt.
galaxy_of() { grep -E '^(world|fleet) ' "$work/$1.txt"; }
# same_galaxy REFERENCE NAME...: each saved game holds the worlds and fleets of REFERENCE.
same_galaxy() {
  local ref=$1 name
  shift
  for name in "$@"; do
    [ "$(galaxy_of "$name")" = "$(galaxy_of "$ref")" ] ||
      fail "the game saved as $name does not hold the worlds of $ref:" \
        "$(diff <(galaxy_of "$ref") <(galaxy_of "$name") | head -8)"
  done
}

# choose_file_item ROW: Ann opens her File menu and chooses its item ROW (0 = the first).
choose_file_item() {
  player_click 0 "${wins[0]}" 20 29                    # File
  player_click 0 "${wins[0]}" 60 $((49 + 22 * $1))  # the item
}

# --- The first turn, then Ann saves the game. ---
play_turn 0
save_game 0 relay
read -r saved_year saved_turn <<< \
  "$(sed -n 's/^game year=\([0-9.]*\) turn=\([0-9]*\) .*/\1 \2/p' "$work/relay.txt")"
[ "$saved_year $saved_turn" = "$(year_of 1) 1" ] ||
  fail "Ann's save holds year $saved_year, turn $saved_turn, not the turn on her window (turn 1)"
echo "net-reload-check: Ann saved the game at year $saved_year, turn $saved_turn with Ctrl+S"

# --- A turn on, then Bob presses Done and Ann loads the save through File, Load Game. ---
play_turn 1
press_done 1 2
# The turn runs a while, so that a clock the load left running would tick early in the loaded turn.
for i in "${!names[@]}"; do park_pointer "$i"; done
sleep "$clock_spell"
choose_file_item 2  # Load Game
load=$(player_window 0 "^Load Game\$" 10) || fail "File, Load Game showed no load dialog"
sleep 0.5
player_click 0 "$load" 320 218  # the name box
DISPLAY=${displays[0]} xdotool type --delay 40 "relay"
DISPLAY=${displays[0]} xdotool key Return
await_gone 0 "^Load Game\$" "Ann's load dialog is still shown after Enter"
park_pointer 0
await_turn "$saved_turn" "the load of Ann's save"
echo "net-reload-check: Ann loaded her save through File, Load Game; every window shows year $saved_year," \
  "turn $saved_turn, each seat taking its turn"
whole_first_minute "the loaded turn"
save_game 1 bob-loaded
save_game 2 cy-loaded
same_galaxy relay bob-loaded cy-loaded
echo "net-reload-check: the games Bob and Cy saved hold the worlds of Ann's save"

# --- Two turns of the loaded game; in the first Bob presses Done last. ---
play_turn "$saved_turn" 1
play_turn $((saved_turn + 1))

# --- Cy presses Done, then Ann starts a new game through File, New Game. ---
press_done 2 $((saved_turn + 2))
for i in "${!names[@]}"; do park_pointer "$i"; done
sleep "$clock_spell"
choose_file_item 0  # New Game
player_window 0 "^Start New Game\$" 10 > /dev/null || fail "File, New Game showed no box to confirm"
sleep 0.3
DISPLAY=${displays[0]} xdotool key y  # Yes
await_gone 0 "^Start New Game\$" "the box of File, New Game is still shown after Y (Yes)"
park_pointer 0
await_turn 0 "Ann's new game"
echo "net-reload-check: Ann started a new game through File, New Game; every window shows year 1.00," \
  "turn 0, each seat taking its turn"
whole_first_minute "the new game's first turn"
save_game 0 ann-new
save_game 1 bob-new
save_game 2 cy-new
same_galaxy ann-new bob-new cy-new
[ "$(galaxy_of ann-new)" != "$(galaxy_of relay)" ] || fail "the new game holds the worlds of the loaded one"
echo "net-reload-check: Ann, Bob and Cy saved the same new star system"

# --- Two turns of the new game; in the first Cy presses Done last. ---
play_turn 0 2
play_turn 1
sleep 1
mkdir -p "$shots"
import -display "${displays[1]}" -window root "$shots/net-new-game-bob.png" ||
  fail "no screenshot of Bob's game"

echo "net-reload-check: Ann hosted on port $ZARNATH_PORT, Bob and Cy joined; Ann saved, loaded the save" \
  "through File, Load Game and started a new game through File, New Game, and every window played on" \
  "after each; screenshot in docs/net-new-game-bob.png"
