# Shared by the checks that give each player a program on a virtual X display of their own
# (source it after virtual-display.sh). The caller sets `names` (the players), `displays` (one
# display each), `build` and `work`, an empty array `pids` and a `fail` that ends the check;
# `player_files` may name files each player's folder gets besides the program's own.

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
# within SECONDS (default 30).
player_window() {
  DISPLAY=${displays[$1]} timeout "${3:-30}" xdotool search --all --sync --onlyvisible --pid "${pids[$1]}" \
    --name "$2" | head -1
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
