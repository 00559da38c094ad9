# Shared by the checks that give each player a program on a virtual X display of their own
# (source it after virtual-display.sh). The caller sets `names` (the players), `displays` (one
# display each), `build`, `work`, `shots` (the folder for screenshots), an empty array `pids` and
# a `fail` that ends the check; `player_files` may name files each player's folder gets besides
# the program's own. The LAN steps play on the port in ZARNATH_PORT; start_net_game fills
# `wins`, each player's game window.

# start_player I: player I runs the program from a copy of its folder, on their display.
start_player() {
  local name=${names[$1]} f
  cp -r "$build/game" "$work/$name"
  rm -f "$work/$name/FirstTime" "$work/$name/defaults.cfg"
  for f in "${player_files[@]}"; do cp "$f" "$work/$name/"; done
  (cd "$work/$name" && DISPLAY=${displays[$1]} QT_QPA_PLATFORM=xcb exec ./zarnath > "$work/$name.log" 2>&1) &
  pids+=($!)
}

# player_window I PATTERN [SECONDS]: the visible window of player I whose title matches PATTERN,
# within SECONDS (default 30). A search that fails on a window going away meanwhile (X's BadWindow,
# as a dialog closes) looks again.
player_window() {
  local deadline=$((SECONDS + ${3:-30})) found left
  while :; do
    left=$((deadline - SECONDS))
    [ "$left" -ge 1 ] || left=1
    found=$(DISPLAY=${displays[$1]} timeout "$left" xdotool search --all --sync --onlyvisible --pid "${pids[$1]}" \
      --name "$2" 2> /dev/null | head -1) || true
    if [ -n "$found" ]; then
      echo "$found"
      return 0
    fi
    [ "$SECONDS" -lt "$deadline" ] || return 1
    sleep 0.2
  done
}

# shown I TITLE: a window of player I's display whose title matches TITLE (a regular expression)
# is visible now.
shown() {
  DISPLAY=${displays[$1]} xdotool search --onlyvisible --name "$2" > /dev/null 2>&1
}

# await_gone I TITLE WHAT: player I's window TITLE goes within five seconds; else the check fails,
# saying WHAT.
await_gone() {
  for _ in $(seq 50); do
    shown "$1" "$2" || return 0
    sleep 0.1
  done
  fail "$3"
}

# player_click I WINDOW X Y: a click of player I at (X, Y) inside WINDOW (its own coordinates).
player_click() {
  DISPLAY=${displays[$1]} xdotool mousemove --window "$2" "$3" "$4" click 1
  sleep 0.3
}

# open_setup I: from player I's title window to the setup window, with the player's name typed into
# its first name box; the setup window's id goes into setup_I.
open_setup() {
  local title setup
  title=$(player_window "$1" "^Zarnath v1.40\$") || fail "no title window for ${names[$1]}"
  sleep 1
  player_click "$1" "$title" 57 392  # Start
  setup=$(player_window "$1" "^Zarnath Game Setup\$") || fail "no setup window for ${names[$1]}"
  sleep 0.5
  player_click "$1" "$setup" 80 44  # the first name box
  DISPLAY=${displays[$1]} xdotool type --delay 60 "${names[$1]}"
  eval "setup_$1=$setup"
}

# end_players: ends the players' programs and their displays and removes the work folder (the
# checks' trap on exit).
end_players() {
  local p
  for p in "${pids[@]}"; do kill "$p" 2> /dev/null || true; done
  for p in "${xvfb_pids[@]}"; do kill "$p" 2> /dev/null || true; done
  rm -rf "$work"
}

# players_failed CHECK TEXT...: CHECK fails: TEXT, then the titles of each player's windows; each
# player's screen is kept as $shots/CHECK-failed-NAME.png.
players_failed() {
  local check=$1 i
  shift
  echo "$check: $*" >&2
  mkdir -p "$shots"
  for i in "${!names[@]}"; do
    echo "${names[$i]}'s windows:" >&2
    DISPLAY=${displays[$i]} xdotool search --onlyvisible --name . getwindowname %@ >&2 2> /dev/null || true
    import -display "${displays[$i]}" -window root "$shots/$check-failed-${names[$i]}.png" 2> /dev/null || true
  done
  exit 1
}

# claim_displays CHECK VARIABLE: the players' displays and the game port must be this check's
# alone (a display that already answers belongs to someone else, and the programs would play on
# it); VARIABLE is the setting that moves the check's displays. Then the displays start.
claim_displays() {
  local d
  for d in "${displays[@]}"; do
    ! DISPLAY=$d xdotool getmouselocation > /dev/null 2>&1 ||
      { echo "$1: display $d is in use ($2 moves the check's)" >&2; exit 2; }
  done
  ! tcp_port_in_state "$ZARNATH_PORT" 0A ||
    { echo "$1: port $ZARNATH_PORT is in use (ZARNATH_PORT moves the game's)" >&2; exit 2; }
  for d in "${displays[@]}"; do start_display "$d" || fail "the virtual display $d did not start"; done
}

# lan_setup I: from player I's title window to the setup window with the player's name typed and
# "Network/LAN Game" ticked.
lan_setup() {
  local setup
  open_setup "$1"
  setup=setup_$1
  player_click "$1" "${!setup}" 25 171  # Network/LAN Game
}

# host_lan_game I: player I's program starts and hosts a LAN game (Host A New Game); its game
# port must listen within ten seconds.
host_lan_game() {
  local setup=setup_$1
  start_player "$1"
  lan_setup "$1"
  player_click "$1" "${!setup}" 47 219  # Host A New Game
  for _ in $(seq 100); do tcp_port_in_state "$ZARNATH_PORT" 0A && return 0; sleep 0.1; done
  fail "${names[$1]}'s program does not listen on port $ZARNATH_PORT after Host A New Game"
}

# join_lan_game I: player I's program starts and joins the host's lobby on this machine (Connect
# to Game, the address typed, Enter).
join_lan_game() {
  local setup=setup_$1
  start_player "$1"
  lan_setup "$1"
  player_click "$1" "${!setup}" 47 243   # Connect to Game
  player_click "$1" "${!setup}" 200 271  # the address box
  DISPLAY=${displays[$1]} xdotool type --delay 60 "127.0.0.1"
  DISPLAY=${displays[$1]} xdotool key Return
  sleep 1.5
}

# start_net_game I: host I presses Start in the lobby (LAN or internet); every player's game
# window must open at the first turn (year 1.00, turn 0) under the player's name. Their ids go
# into wins.
start_net_game() {
  local setup=setup_$1 i w
  player_click "$1" "${!setup}" 357 217  # Start
  wins=()
  for i in "${!names[@]}"; do
    w=$(player_window "$i" "^Zarnath - Year 1.00, Turn #0:  ${names[$i]}\$") ||
      fail "no game window with ${names[$i]}'s first turn"
    wins+=("$w")
  done
}

# open_lan_game: player 0 hosts a LAN game, every other player joins the lobby, and the host
# presses Start; every game window must open at the first turn (start_net_game).
open_lan_game() {
  local i
  host_lan_game 0
  for ((i = 1; i < ${#names[@]}; i++)); do join_lan_game "$i"; done
  start_net_game 0
}

# player_title I: the title of player I's game window now.
player_title() {
  DISPLAY=${displays[$1]} xdotool getwindowname "${wins[$1]}" 2> /dev/null || true
}
