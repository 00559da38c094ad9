#!/usr/bin/env bash
# The layer check refuses what it is written to refuse: each fault below is planted in a fresh
# copy of the sources (in a temporary folder) and the check must fail on it, naming the fault; the
# untouched copy must pass.
set -uo pipefail
usage() {
  cat << 'TEXT'
usage: check-layers-selftest.sh
Plants each fault the layer check refuses, one at a time, in a temporary copy of the sources and
expects the check to refuse it with its message; the untouched copy must pass. Exit status 0 when
every planted fault was refused, 1 otherwise.
  --help  shows this text
TEXT
}
case ${1:-} in
  --help) usage; exit 0 ;;
  -*) echo "check-layers-selftest.sh: unknown option $1" >&2; usage >&2; exit 2 ;;
esac
[ $# -eq 0 ] || { echo "check-layers-selftest.sh: no arguments are taken" >&2; usage >&2; exit 2; }
root="$(cd "$(dirname "$0")/.." && pwd)"
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
passed=0
failed=0

# A copy of the check and of the sources it reads.
mkdir -p "$scratch/tree/scripts"
cp "$root/scripts/check-layers.sh" "$scratch/tree/scripts/"
cp -r "$root/src" "$scratch/tree/src"

# plant WHAT FILE LINE EXPECTED: adds LINE to FILE of the copy (a new file if there is none); the
# check must fail saying EXPECTED. The file is put back afterwards.
plant() {
  local what=$1 file=$2 line=$3 expected=$4 out rc
  local copy="$scratch/tree/$file"
  [ -f "$copy" ] && cp "$copy" "$scratch/kept"
  printf '%s\n' "$line" >>"$copy"
  out=$(bash "$scratch/tree/scripts/check-layers.sh" 2>&1)
  rc=$?
  if [ -f "$root/$file" ]; then cp "$scratch/kept" "$copy"; else rm -f "$copy"; fi
  if [ $rc -ne 0 ] && grep -qF "$expected" <<<"$out"; then
    passed=$((passed + 1))
  else
    failed=$((failed + 1))
    echo "NOT REFUSED: $what ($file: $line)"
    echo "$out" | sed 's/^/    /'
  fi
}

if out=$(bash "$scratch/tree/scripts/check-layers.sh" 2>&1); then
  passed=$((passed + 1))
else
  failed=$((failed + 1))
  echo "the untouched sources fail the check:"
  echo "$out" | sed 's/^/    /'
fi

rules="the turn's rules act on the screen themselves"
# Includes, however they are spaced.
plant "an include with no blank" src/engine/battle.cpp '#include"net/broadcast.h"' "the engine includes the network"
plant "an include spaced after the hash" src/model/truce.cpp '# include <QString>' "the model includes a layer above it"
plant "an include with a tab" src/ai/computer_turn.cpp $'#include\t"net/protocol.h"' "the computer player includes the network"
# The port structure under another name.
plant "an alias of the port structure in the model" src/model/truce.cpp 'using Doors = Ports; void Knock(Doors& d);' \
  "the model reaches a port"
plant "the game's ports held by another name in the model" src/model/truce.cpp 'auto& doors = game.io;' \
  "the model reaches a port"
plant "a port reached through a helper in a rule" src/engine/battle.cpp '  Doors(g).screen.Refresh(Control::kWindow);' "$rules"
plant "the game's ports held by another name in a rule" src/engine/battle.cpp '  auto& doors = g.io;' "$rules"
plant "an alias of the port structure in a rule" src/engine/orbits.cpp 'using Doors = Ports;' \
  "the port structure is named under another name"
plant "an alias of the port structure in the computer player" src/ai/computer_turn.cpp 'using Doors = Ports&;' \
  "the port structure is named under another name"
plant "an alias of the port structure in a command" src/commands/send_commands.cpp 'using Doors = Ports&;' \
  "the port structure is named under another name"
# Calls through the flow port.
plant "a game step from a rule through the flow port" src/engine/battle.cpp '  g.io.flow.GameCheck();' "$rules"
plant "another step than the rule hands on" src/engine/end_turn.cpp '  g.io.flow.GalaxySync();' "$rules"
plant "the flow port under another name" src/engine/next_player.cpp '  Flow(g).flow.GameCheck();' "$rules"
plant "a game step from the Done button through the flow port" src/engine/done_timer.cpp '  g.io.flow.GameCheck();' \
  "a game step is called through the flow port outside the game's orchestration"
# The show called directly.
plant "the show's step from a rule" src/engine/arrivals.cpp '  show::StageStep(g);' "the show is called directly"
plant "the show's handler from a rule" src/engine/bombs.cpp '  Shown(g, turn_event::StepStaged{});' "the show is called directly"
plant "the show's header in a rule" src/engine/launch.cpp '#include "engine/show_steps.h"' "the show is called directly"
plant "the show from the Done button" src/engine/done_timer.cpp '  show::StageStep(g);' "the show is called directly"
# Files the check reads without a list naming them.
plant "a screen call in the next-player step" src/engine/next_player.cpp '  g.io.screen.Refresh(Control::kWindow);' "$rules"
plant "a full redraw from the turn's Done" src/engine/done_timer.cpp '  g.io.screen.GalaxyDraw();' \
  "a full redraw without the radar's sightings"
plant "a screen call in a new rule file" src/engine/tides.cpp '  g.io.screen.Refresh(Control::kWindow);' "$rules"
plant "a notice from a new rule file" src/engine/tides.cpp '  ShowNotice(g, 0, "- High Tide -");' "$rules"
# What the check refused before stays refused.
plant "a port call in the model" src/model/truce.cpp '  g.io.platform.Pause(5);' "the model reaches a port"
plant "a full redraw without the sightings" src/commands/send_commands.cpp '  g.io.screen.GalaxyDraw();' \
  "a full redraw without the radar's sightings"
plant "a window in the engine" src/engine/launch.cpp '#include "view/galaxy_window.h"' "the engine includes a window"

echo "layer check self-test: $passed passed, $failed failed"
[ "$failed" -eq 0 ]
