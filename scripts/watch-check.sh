#!/usr/bin/env bash
# Plays whole games of four computer players in the real game window on a virtual X display and
# checks that each ends as the headless game runner plays the same seed: the window, the desktop
# timers and the rules fit together to a conquest.
#
#   scripts/watch-check.sh [build folder]      (default: build)
set -euo pipefail
usage() {
  cat << 'TEXT'
usage: watch-check.sh [BUILD_FOLDER]
Plays whole games of four computer players in the real game window (zarnath-watch) on a virtual
X display and checks that each ends as the headless game runner (zarnath-sim) plays the same
seed. BUILD_FOLDER defaults to build; WATCH_CHECK_DISPLAY is the display number (default 59).
  --help  shows this text
TEXT
}
case ${1:-} in
  --help) usage; exit 0 ;;
  -*) echo "watch-check.sh: unknown option $1" >&2; usage >&2; exit 2 ;;
esac
[ $# -le 1 ] || { echo "watch-check.sh: one build folder at most" >&2; usage >&2; exit 2; }
cd "$(dirname "$0")/.."
build=${1:-build}
display=:${WATCH_CHECK_DISPLAY:-59}
command -v Xvfb > /dev/null || { echo "watch-check: Xvfb is missing (scripts/install-deps.sh)" >&2; exit 2; }

Xvfb "$display" -screen 0 1024x768x24 -dpi 96 -nolisten tcp > /dev/null 2>&1 &
xvfb_pid=$!
trap 'kill $xvfb_pid 2> /dev/null || true; wait $xvfb_pid 2> /dev/null || true' EXIT
sleep 1

status=0
for game in "21 9 6,6,6,6" "5 12 6,5,4,3" "8 16 2,6,-,5"; do
  read -r seed worlds seats <<< "$game"
  options=(--seed "$seed" --worlds "$worlds" --seats "$seats" --speed)
  expected=$("$build/tools/sim/zarnath-sim" "${options[@]}" | tail -1)
  got=$(DISPLAY=$display QT_QPA_PLATFORM=xcb timeout 300 "$build/tools/watch/zarnath-watch" "${options[@]}" \
    --quick-pauses 2> /dev/null | tail -1) || true
  if [ "$got" = "$expected" ]; then
    echo "watch-check: seed $seed, $worlds worlds, seats $seats: $got"
  else
    echo "watch-check: seed $seed, $worlds worlds, seats $seats: the window played '$got', headless '$expected'" >&2
    status=1
  fi
done
exit $status
