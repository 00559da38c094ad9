#!/usr/bin/env bash
# Layers point down: the model includes nothing above it and makes no call on a port, persist calls
# no engine step, the core includes no Qt, the turn's rules and the computer player never include
# the network (they tell what happens; the network's broadcast listens) nor the window's commands,
# the commands reach no transport, the view and the game window never reach up into the shell, and
# the program never includes the recording ports.
set -uo pipefail
usage() {
  cat << 'TEXT'
usage: check-layers.sh
Checks that the layers point down: the model includes nothing above it and makes no call on a
port, persist calls no engine step, the core includes no Qt, the turn's rules and the computer
player never include the network nor the window's commands, the commands reach no transport, the
view and the game window never reach up into the shell, and the program never includes the
recording ports. Prints each breach; exit status 0 when there is none, 1 otherwise.
  --help  shows this text
TEXT
}
case ${1:-} in
  --help) usage; exit 0 ;;
  -*) echo "check-layers.sh: unknown option $1" >&2; usage >&2; exit 2 ;;
esac
[ $# -eq 0 ] || { echo "check-layers.sh: no arguments are taken" >&2; usage >&2; exit 2; }
cd "$(dirname "$0")/.."
status=0
forbid() {  # forbid FOLDER PATTERN WHY
  local hits
  hits=$(grep -rnE "#include [<\"]($2)" "$1" 2>/dev/null)
  if [ -n "$hits" ]; then
    echo "$3:"
    echo "$hits"
    status=1
  fi
}
# refuse FOLDER PATTERN WHY [FILE-TO-SKIP...]: no line of code (comments aside) matches PATTERN.
refuse() {
  local folder=$1 pattern=$2 why=$3 hits
  shift 3
  local skip=()
  for f in "$@"; do skip+=(--exclude="$f"); done
  hits=$(grep -rnHE "${skip[@]}" "$pattern" "$folder" 2>/dev/null | grep -vE '^[^:]+:[0-9]+:[[:space:]]*//')
  if [ -n "$hits" ]; then
    echo "$why:"
    echo "$hits"
    status=1
  fi
}
forbid src/model 'engine/|commands/|persist/|net/|ai/|headless/|view/|window/|shell/|Q' "the model includes a layer above it"
# The model holds the ports of its game (model/ports.h, Game::io) but never calls one.
refuse src/model '\bio\.(platform|screen|net|flow)\b|\b(Platform|GameScreen|NetworkPort|GameFlow|NetworkEvents)[[:space:]]*[&*]' \
  "the model calls a port" ports.h
# The turn's rules tell what happens; only the show (engine/turn_show.h) and the broadcast act on
# the screen, the clock and the sockets.
for rules in end_turn orbits arrivals bombs battle battle_done next_player launch; do
  refuse "src/engine/$rules.cpp" \
    '\bio\.(platform|screen|net)\b|\b(ShowNotice|ClearNotice|EventSound|ShowCentredReport|HideCentredReport|ShowMoveLog|RedrawGalaxy|WorldUp|WorldDown)\(' \
    "the turn's rules act on the screen themselves (tell the show instead)"
done
# The radar's sightings are the rules': every full redraw the core asks for goes through
# RedrawGalaxy (engine/event_notices.h), which marks them first.
for folder in src/engine src/commands src/ai src/net; do
  refuse "$folder" 'io\.screen\.GalaxyDraw\(' "a full redraw without the radar's sightings (use RedrawGalaxy)" \
    event_notices.cpp
done
forbid src/persist 'engine/|commands/|ai/|net/|headless/|view/|window/|shell/|Q' "persist includes the engine or above"
forbid src/engine 'headless/|view/|window/|shell/|Q' "the engine includes a window or the recording ports"
forbid src/engine 'commands/' "the engine includes the window's commands"
forbid src/engine 'net/' "the engine includes the network (it tells events; net/broadcast.h sends them)"
forbid src/commands 'net/(game_port|socket_network|ftp_transfer|internet_lobby)|headless/|view/|window/|shell/|Q' \
  "the window's commands include the network transport, a window or the recording ports"
forbid src/ai 'commands/|headless/|view/|window/|shell/|Q' "the computer player includes a window or the recording ports"
forbid src/ai 'net/' "the computer player includes the network"
forbid src/net 'commands/' "the network includes the window's commands"
forbid src/app 'headless/' "the program includes the recording ports"
forbid src/shell 'headless/' "the windows include the recording ports"
forbid src/view 'headless/' "the view includes the recording ports"
forbid src/view 'shell/|window/' "the view includes the windows above it"
forbid src/window 'shell/' "the game window's controls include the program's shell"
[ $status -eq 0 ] && echo "layers: 1 passed, 0 failed"
exit $status
