#!/usr/bin/env bash
# A developer tool or script answers --help with its usage on standard output and exit status 0,
# and the usage says each of the texts given; an option it does not know gets exit status 2. Both
# run in an empty folder, which must stay empty: asking for help makes nothing.
#
#   tools/help_check.sh TOOL TEXT...
set -uo pipefail
usage() {
  cat << 'TEXT'
usage: help_check.sh TOOL [TEXT...]
Checks that TOOL --help prints its usage (beginning "usage: " and the tool's file name) on
standard output with exit status 0 and says each TEXT, that TOOL --no-such-option ends with exit
status 2, and that neither leaves anything in the folder it runs in.
  --help  shows this text
TEXT
}
case ${1:-} in
  --help) usage; exit 0 ;;
  -*) echo "help_check.sh: unknown option $1" >&2; usage >&2; exit 2 ;;
  "") usage >&2; exit 2 ;;
esac
tool=$(realpath "$1")
shift
name=$(basename "$tool")
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
cd "$scratch" || exit 1
out=$("$tool" --help 2> /dev/null)
status=$?
[ $status -eq 0 ] || { echo "$name --help: exit status $status"; exit 1; }
[[ "$out" == "usage: $name "* || "$out" == "usage: $name"$'\n'* ]] || { echo "$name --help does not begin with its usage:"; echo "$out"; exit 1; }
for text in "$@"; do
  grep -qF -- "$text" <<< "$out" || { echo "$name --help does not say: $text"; echo "$out"; exit 1; }
done
"$tool" --no-such-option > /dev/null 2>&1
status=$?
[ $status -eq 2 ] || { echo "$name --no-such-option: exit status $status, not 2"; exit 1; }
left=$(ls -A)
[ -z "$left" ] || { echo "$name --help or --no-such-option made: $left"; exit 1; }
echo "$name --help: ok"
