#!/usr/bin/env bash
# Layers point down: the model includes nothing above it and makes no call on a port, persist calls
# no engine step, the core includes no Qt, the turn's rules and the computer player never include
# the network (they tell what happens; the network's broadcast listens) nor the window's commands,
# the commands reach no transport, the view and the game window never reach up into the shell, and
# the program never includes the recording ports.
# scripts/check-layers-selftest.sh plants each fault this check refuses and expects the refusal.
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
fail() {  # fail WHY HITS
  echo "$1:"
  echo "$2"
  status=1
}
# An include, however it is spaced ("#include <x>", "#include\"x\"", "# include <x>").
include='#[[:space:]]*include[[:space:]]*[<"]'
forbid() {  # forbid FOLDER PATTERN WHY
  local hits
  hits=$(grep -rnE "$include($2)" "$1" 2>/dev/null)
  [ -n "$hits" ] && fail "$3" "$hits"
}
# refuse PATH PERL-PATTERN WHY [FILE-TO-SKIP...]: no line of code (comments aside) in PATH (a
# folder or a file) matches PATTERN.
refuse() {
  local path=$1 pattern=$2 why=$3 hits
  shift 3
  local skip=()
  for f in "$@"; do skip+=(--exclude="$f"); done
  hits=$(grep -rnHP "${skip[@]}" "$pattern" "$path" 2>/dev/null | grep -vE '^[^:]+:[0-9]+:[[:space:]]*//')
  [ -n "$hits" ] && fail "$why" "$hits"
}

# The ports reached under any name: the game's `io`, the port structure `Ports`, or a member chain
# through one of its four ports (`x.screen.Refresh(...)` whatever `x` is).
ports_named='\bio\b|\bPorts\b|\.(platform|screen|net|flow)\s*\.'

forbid src/model 'engine/|commands/|persist/|net/|ai/|headless/|view/|window/|shell/|Q' "the model includes a layer above it"
# The model holds the ports of its game (model/ports.h, Game::io in model/game.h) but never calls
# one, nor names them under another name.
refuse src/model "$ports_named|\b(Platform|GameScreen|NetworkPort|GameFlow|NetworkEvents)\s*[&*]" \
  "the model reaches a port" ports.h game.h

# The engine's files are the turn's rules unless listed here: the show (the only files that act
# on the screen, the clock and the sockets for the rules), and the glue of the window's buttons,
# the timers, the game's start and loading and the network's sends, which act on the ports
# themselves. A new file is held to the rules until it is listed.
show_files="show_arrivals.cpp show_battle.cpp show_turn.cpp turn_show.cpp event_notices.cpp"
glue_files="chat.cpp done_timer.cpp engine_flow.cpp game_start.cpp game_window.cpp net_send.cpp save_load.cpp setup_load.cpp"
# The steps of the game the rules hand on through the flow port, file by file.
declare -A flow_steps=([end_turn.cpp]="OfferAutoSave" [next_player.cpp]="HighScore|ComputerTurn")
# The flow port belongs to the orchestration: the game's start and loading, and the flow itself.
flow_glue="engine_flow.cpp game_start.cpp save_load.cpp setup_load.cpp"
for f in $show_files $glue_files; do
  [ -f "src/engine/$f" ] || fail "a listed engine file is gone (mend the lists in scripts/check-layers.sh)" "src/engine/$f"
done
show_entry='\bshow::|\b(Shown|StageStep)\s*\(|'"$include"'engine/show_steps\.h'
for path in src/engine/*.cpp; do
  f=${path##*/}
  case " $show_files " in *" $f "*) continue ;; esac
  # Only the event's road (engine/turn_show.cpp, the listeners first) calls the show.
  refuse "$path" "$show_entry" "the show is called directly (tell the event instead)"
  refuse "$path" '\bPorts\b' "the port structure is named under another name"
  case " $glue_files " in
    *" $f "*)
      case " $flow_glue " in *" $f "*) ;; *) refuse "$path" '\.flow\b' "a game step is called through the flow port outside the game's orchestration" ;; esac
      continue
      ;;
  esac
  # The turn's rules tell what happens; only the show and the broadcast act on the screen, the
  # clock and the sockets. A rule reaches no port, by any name, but for the steps it hands on.
  steps=${flow_steps[$f]:-}
  ports=$ports_named
  [ -n "$steps" ] && ports="\bio\b(?!\.flow\.($steps)\s*\()|\bPorts\b|\.(platform|screen|net)\s*\.|\.flow\s*\.(?!($steps)\s*\()"
  refuse "$path" \
    "$ports|\b(ShowNotice|ClearNotice|EventSound|ShowCentredReport|HideCentredReport|ShowMoveLog|RedrawGalaxy|WorldUp|WorldDown)\s*\(" \
    "the turn's rules act on the screen themselves (tell the show instead)"
done
# The radar's sightings are the rules': every full redraw the core asks for goes through
# RedrawGalaxy (engine/event_notices.h), which marks them first.
for folder in src/engine src/commands src/ai src/net; do
  refuse "$folder" 'io\.screen\.GalaxyDraw\(' "a full redraw without the radar's sightings (use RedrawGalaxy)" \
    event_notices.cpp
done
# The computer player and the window's commands reach the ports as the game's `io` only.
refuse src/ai '\bPorts\b' "the port structure is named under another name"
refuse src/commands '\bPorts\b' "the port structure is named under another name"
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
