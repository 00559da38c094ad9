#!/usr/bin/env bash
# zarnath-endgame writes games that the game's own reader takes back as the end they promise: the
# turn the file opens at, every world the conqueror's but each loser's empty home world, the
# conqueror's 500 ships one turn from each of those and each loser's last ship L turns from world
# 0. Wrong options are refused with exit status 2 and write nothing. (--scores reads what the
# program writes at a conquest: scripts/conquest-check.sh plays one.)
set -uo pipefail
usage() {
  cat << 'TEXT'
usage: endgame_check.sh ZARNATH_ENDGAME ZARNATH_SIM
Checks the saved games that ZARNATH_ENDGAME writes, read back with ZARNATH_SIM --describe: their
turn, each world's owner and ships, each object in flight; and that wrong options write nothing.
  --help  shows this text
TEXT
}
case ${1:-} in
  --help) usage; exit 0 ;;
  -*) echo "endgame_check.sh: unknown option $1" >&2; usage >&2; exit 2 ;;
esac
[ $# -eq 2 ] || { echo "endgame_check.sh: the tool and the game runner are needed" >&2; usage >&2; exit 2; }
endgame=$1
sim=$2
dir=$(mktemp -d)
trap 'rm -rf "$dir"' EXIT
fail() { echo "$1"; [ -n "${2:-}" ] && echo "$2"; exit 1; }

# Two players, the first the conqueror: the defaults. The setup's Start keeps the player's
# defaults in a scratch folder under TMPDIR, which must go again.
mkdir "$dir/tmp"
TMPDIR=$dir/tmp "$endgame" "$dir/a.zq" 2> /dev/null || fail "no game written with the defaults"
[ -z "$(ls -A "$dir/tmp")" ] || fail "the setup's defaults were left behind: $(ls -AR "$dir/tmp")"
out=$("$sim" --describe "$dir/a.zq") || fail "the game runner cannot read the file back"
[ "$(head -1 <<< "$out")" = "game year=1.50 turn=10 seat=0" ] || fail "not turn 10" "$out"
[ "$(grep -c '^world ' <<< "$out")" = 12 ] || fail "not the twelve worlds" "$out"
[ "$(grep -c '^world [0-9]* owner=1 ships=40 ' <<< "$out")" = 11 ] || fail "not eleven worlds of seat 0's" "$out"
grep -q '^world 9 owner=2 ships=0 ' <<< "$out" || fail "seat 1's home world is not its own and empty" "$out"
[ "$(grep -c '^fleet ' <<< "$out")" = 2 ] || fail "not two objects in flight" "$out"
grep -q '^fleet [0-9]* from=8 to=9 owner=1 ships=500 turns=1$' <<< "$out" || fail "no conqueror's fleet" "$out"
grep -q '^fleet [0-9]* from=9 to=0 owner=2 ships=1 turns=5$' <<< "$out" || fail "no loser's last ship" "$out"

# Three players, the second the conqueror, another turn and landing.
"$endgame" --players Ann,Bob,Cy --conqueror 1 --worlds 9 --seed 7 --turn 3 --landing 4 "$dir/b.zq" 2> /dev/null ||
  fail "no game of three players written"
out=$("$sim" --describe "$dir/b.zq") || fail "the game runner cannot read the second file back"
[ "$(head -1 <<< "$out")" = "game year=1.15 turn=3 seat=0" ] || fail "not turn 3" "$out"
[ "$(grep -c '^world ' <<< "$out")" = 11 ] || fail "not the eleven worlds three seats need" "$out"
[ "$(grep -c '^world [0-9]* owner=2 ' <<< "$out")" = 9 ] || fail "not nine worlds of seat 1's" "$out"
grep -q '^world 8 owner=1 ships=0 ' <<< "$out" && grep -q '^world 10 owner=3 ships=0 ' <<< "$out" ||
  fail "the losers' home worlds are not their own and empty" "$out"
grep -q '^fleet [0-9]* from=9 to=8 owner=2 ships=500 turns=1$' <<< "$out" &&
  grep -q '^fleet [0-9]* from=9 to=10 owner=2 ships=500 turns=1$' <<< "$out" || fail "no conqueror's fleets" "$out"
grep -q '^fleet [0-9]* from=8 to=0 owner=1 ships=1 turns=4$' <<< "$out" &&
  grep -q '^fleet [0-9]* from=10 to=0 owner=3 ships=1 turns=4$' <<< "$out" || fail "no losers' last ships" "$out"

# Wrong options: exit status 2 and no file.
for options in "--players Ann" "--players Ann,Pandora" "--conqueror 2" "--landing 1" "--turn 1001" "--worlds 8" "--players Ann,"; do
  # shellcheck disable=SC2086
  "$endgame" $options "$dir/bad.zq" > /dev/null 2>&1
  status=$?
  [ $status -eq 2 ] || fail "$options: exit status $status, not 2"
  [ ! -e "$dir/bad.zq" ] || fail "$options wrote a file"
done
"$endgame" > /dev/null 2>&1
[ $? -eq 2 ] || fail "no file named: not refused"
# --scores: a file that cannot be read, or another option with it, is refused.
"$endgame" --scores "$dir/no-such-file" > /dev/null 2>&1
[ $? -eq 2 ] || fail "--scores of a missing file: not refused"
"$endgame" --scores "$dir/a.zq" --turn 3 > /dev/null 2>&1
[ $? -eq 2 ] || fail "--scores with another option: not refused"
echo ok
