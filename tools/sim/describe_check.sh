#!/usr/bin/env bash
# zarnath-sim --describe reads back a game the runner saved after its first turn: the turn it
# opens at, each world in play with its pixel on the game window, each object in flight; a file
# that is no saved game is refused with exit status 2.
set -uo pipefail
usage() {
  cat << 'TEXT'
usage: describe_check.sh ZARNATH_SIM
Checks that ZARNATH_SIM --describe reads back a game the runner saved after its first turn (its
turn, each world with its pixel, each object in flight) and refuses a file that is no saved game.
  --help  shows this text
TEXT
}
case ${1:-} in
  --help) usage; exit 0 ;;
  -*) echo "describe_check.sh: unknown option $1" >&2; usage >&2; exit 2 ;;
esac
[ $# -eq 1 ] || { echo "describe_check.sh: the tool to check is needed" >&2; usage >&2; exit 2; }
sim=$1
dir=$(mktemp -d)
trap 'rm -rf "$dir"' EXIT
"$sim" --seed 3 --worlds 9 --seats 6,1 --max-turns 3 --save-at 0 "$dir/g.zq" > /dev/null 2>&1 ||
  { echo "the runner saved no game"; exit 1; }
out=$("$sim" --describe "$dir/g.zq") || { echo "--describe failed"; exit 1; }
fail() { echo "$1"; echo "$out"; exit 1; }
[ "$(head -1 <<< "$out")" = "game year=1.05 turn=1 seat=0" ] || fail "not the turn the game was saved at"
world='^world [0-9]+ owner=[0-4] ships=[0-9.]+ bombs=[0-9]+ x=[0-9]+ y=[0-9]+ name=[A-Za-z]+$'
[ "$(grep -cE "$world" <<< "$out")" = 10 ] || fail "not the ten worlds in play"
grep -qE '^world 8 owner=1 .* x=[0-9]+ y=[0-9]+ name=Eridania$' <<< "$out" || fail "no home world of seat 0"
fleet='^fleet [0-9]+ from=[0-9]+ to=[0-9]+ owner=[1-4] ships=[0-9]+ turns=[0-9]+$'
grep -qE "$fleet" <<< "$out" || fail "no object in flight"
[ "$(grep -cvE "$world|$fleet" <<< "$out")" = 1 ] || fail "lines of no known kind"
printf 'no saved game\r\n' > "$dir/bad.zq"
"$sim" --describe "$dir/bad.zq" > /dev/null 2>&1
[ $? -eq 2 ] || { echo "a file that is no saved game was not refused"; exit 1; }
echo ok
