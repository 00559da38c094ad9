#!/usr/bin/env bash
# Plays the real program on a virtual X display with real pointer and key events: the title
# window's Start, a name typed into the setup window, three computer seats, Start. Checks each
# window as it comes and goes, and keeps a screenshot of the filled-in setup window in docs/.
#
#   scripts/play-check.sh [build folder]      (default: build; the program must be built)
#
# The program runs from a copy of its program folder, so the build's own folder keeps no
# "defaults.cfg" and its first-run marker.
set -euo pipefail
cd "$(dirname "$0")/.."
root=$PWD
build=${1:-build}
shots=$root/docs
display=:${PLAY_CHECK_DISPLAY:-57}

for tool in Xvfb xdotool import; do
  command -v "$tool" > /dev/null || { echo "play-check: $tool is missing (scripts/install-deps.sh)" >&2; exit 2; }
done
[ -x "$build/game/zarnath" ] || { echo "play-check: build the program first ($build/game/zarnath)" >&2; exit 2; }

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

Xvfb "$display" -screen 0 1024x768x24 -dpi 96 -nolisten tcp > "$work/xvfb.log" 2>&1 &
xvfb_pid=$!
export DISPLAY=$display
for _ in $(seq 100); do
  xdotool getmouselocation > /dev/null 2>&1 && break
  sleep 0.1
done
xdotool getmouselocation > /dev/null 2>&1 || fail "the virtual display did not start"

(cd "$work/game" && QT_QPA_PLATFORM=xcb exec ./zarnath > "$work/zarnath.log" 2>&1) &
game_pid=$!

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
xdotool type --delay 80 "Ve*ga"
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
echo "play-check: title, setup window, a name, three computers and Start played; the game window shows Vega's turn;" \
  "screenshots in docs/setup-window.png and docs/game-window.png"
