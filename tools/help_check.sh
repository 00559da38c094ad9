#!/usr/bin/env bash
# A developer tool answers --help with its usage on standard output and exit status 0, and the
# usage says each of the texts given; a wrong option still gets exit status 2.
#
#   tools/help_check.sh TOOL TEXT...
set -uo pipefail
tool=$1
shift
name=$(basename "$tool")
out=$("$tool" --help 2> /dev/null)
status=$?
[ $status -eq 0 ] || { echo "$name --help: exit status $status"; exit 1; }
[[ "$out" == "usage: $name "* ]] || { echo "$name --help does not begin with its usage:"; echo "$out"; exit 1; }
for text in "$@"; do
  grep -qF -- "$text" <<< "$out" || { echo "$name --help does not say: $text"; echo "$out"; exit 1; }
done
"$tool" --no-such-option > /dev/null 2>&1
status=$?
[ $status -eq 2 ] || { echo "$name --no-such-option: exit status $status, not 2"; exit 1; }
echo "$name --help: ok"
