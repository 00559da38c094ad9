#!/usr/bin/env bash
# The files zarnath-lobby-cfg writes read back as the lobby reads them, with and without the master
# server's status page.
set -euo pipefail
usage() {
  cat << 'TEXT'
usage: lobby_cfg_check.sh ZARNATH_LOBBY_CFG
Checks that the files ZARNATH_LOBBY_CFG writes read back as the internet lobby reads them, with
and without the master server's status page, and that an incomplete command line is refused.
  --help  shows this text
TEXT
}
case ${1:-} in
  --help) usage; exit 0 ;;
  -*) echo "lobby_cfg_check.sh: unknown option $1" >&2; usage >&2; exit 2 ;;
esac
[ $# -eq 1 ] || { echo "lobby_cfg_check.sh: the tool to check is needed" >&2; usage >&2; exit 2; }
tool=$1
dir=$(mktemp -d)
trap 'rm -rf "$dir"' EXIT
"$tool" "$dir" ftp://127.0.0.1:2121/ player 's3cret pass' 127.0.0.1 '*'
out=$("$tool" --read "$dir")
expected=$'master ftp://127.0.0.1:2121/ user player password s3cret pass\ntime 127.0.0.1 key *'
[ "$out" = "$expected" ] || { echo "read back: $out"; exit 1; }
[ "$(wc -l < "$dir/servers.cfg")" -eq 3 ] && [ "$(wc -l < "$dir/time.cfg")" -eq 2 ]
"$tool" --status-page http://127.0.0.1:8080/status "$dir" ftp://127.0.0.1:2121/ player pw 127.0.0.1 '*'
out=$("$tool" --read "$dir")
expected=$'master ftp://127.0.0.1:2121/ user player password pw\nstatus page http://127.0.0.1:8080/status\ntime 127.0.0.1 key *'
[ "$out" = "$expected" ] || { echo "read back: $out"; exit 1; }
[ "$(wc -l < "$dir/servers.cfg")" -eq 4 ]
if "$tool" "$dir" ftp://x/ u 2>/dev/null; then echo "an incomplete command line was taken"; exit 1; fi
echo ok
