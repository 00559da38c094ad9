#!/usr/bin/env bash
# Runs a command with a temporary folder of its own and fails when the command leaves anything in
# it: tests and benchmarks remove what they make. Qt's per-user runtime folder (runtime-<user>,
# made when XDG_RUNTIME_DIR is not set) belongs to Qt and is not counted.
#
#   scripts/check-temp-leftovers.sh COMMAND [ARGUMENT...]
set -uo pipefail
usage() {
  cat << 'TEXT'
usage: check-temp-leftovers.sh COMMAND [ARGUMENT...]
Runs COMMAND with a temporary folder of its own (TMPDIR) and fails when it leaves anything there
or fails itself: tests and benchmarks remove what they make. Qt's per-user runtime folder
(runtime-<user>) is not counted. Exit status 0 when nothing was left, 1 otherwise.
  --help  shows this text
TEXT
}
case ${1:-} in
  --help) usage; exit 0 ;;
  -*) echo "check-temp-leftovers.sh: unknown option $1" >&2; usage >&2; exit 2 ;;
esac
[ $# -ge 1 ] || { usage >&2; exit 2; }
scratch=$(mktemp -d) || exit 2
trap 'rm -rf "$scratch"' EXIT
TMPDIR=$scratch "$@" > "$scratch.out" 2>&1
status=$?
output=$(cat "$scratch.out")
rm -f "$scratch.out"
if [ $status -ne 0 ]; then
  echo "$output"
  echo "check-temp-leftovers: $1 failed with status $status" >&2
  exit 1
fi
left=$(cd "$scratch" && find . -mindepth 1 -maxdepth 1 ! -name 'runtime-*' | sort)
if [ -n "$left" ]; then
  echo "check-temp-leftovers: $(basename "$1") left in the temporary folder:"
  (cd "$scratch" && find $left | sed 's/^/  /')
  exit 1
fi
echo "check-temp-leftovers: $(basename "$1") left nothing in the temporary folder"
