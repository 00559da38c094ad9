#!/usr/bin/env bash
# Runs a master server for Zarnath's internet lobby on this machine and writes the matching
# "servers.cfg" and "time.cfg" into a program folder, so that players on a network can find each
# other's games without an outside server.
set -euo pipefail
usage() {
  cat << 'TEXT'
usage: master-server.sh [--status-page URL] PROGRAM_FOLDER [ADDRESS] [FTP_PORT] [DAYTIME_PORT]
Runs a master server for the internet lobby (an FTP server for the day's lists of hosted games and
a daytime server for the shared clock) and writes the matching "servers.cfg" and "time.cfg" into
PROGRAM_FOLDER. ADDRESS is the address the other players reach this machine by (default 127.0.0.1,
this machine only); FTP_PORT defaults to 2121 and DAYTIME_PORT to 1313 (ports below 1024 need
root). Copy the two files into every player's program folder, and start each program with
ZARNATH_DAYTIME_PORT set to DAYTIME_PORT unless it is 13. The lists and the game log are kept in
PROGRAM_FOLDER/master-lists. Stop the server with Ctrl+C.
  --status-page URL  a web page that tells whether this master server is up: a player whose
                     program cannot reach the master server is offered to open it
  --help             shows this text
Needs Debian's python3-pyftpdlib, and zarnath-lobby-cfg from the build (or ZARNATH_LOBBY_CFG).
TEXT
}
refuse() {
  echo "master-server.sh: $1" >&2
  usage >&2
  exit 2
}
status_page=""
while [ $# -gt 0 ]; do
  case $1 in
    --help) usage; exit 0 ;;
    --status-page)
      [ $# -ge 2 ] && [ -n "$2" ] || refuse "--status-page takes an address"
      status_page=$2
      shift 2
      ;;
    --) shift; break ;;
    -*) refuse "unknown option $1" ;;
    *) break ;;
  esac
done
[ $# -ge 1 ] && [ $# -le 4 ] || refuse "a program folder is needed, and at most an address and two ports after it"
here=$(cd "$(dirname "$0")" && pwd)
folder=$1
address=${2:-127.0.0.1}
ftp_port=${3:-2121}
daytime_port=${4:-1313}
user=zarnath
password=${ZARNATH_MASTER_PASSWORD:-lobby$RANDOM$RANDOM}

cfg=${ZARNATH_LOBBY_CFG:-}
for candidate in "$folder/../tools/lobby/zarnath-lobby-cfg" "$here/../../build/tools/lobby/zarnath-lobby-cfg"; do
  [ -z "$cfg" ] && [ -x "$candidate" ] && cfg=$candidate
done
[ -n "$cfg" ] || { echo "zarnath-lobby-cfg not found: build the project or set ZARNATH_LOBBY_CFG" >&2; exit 1; }

mkdir -p "$folder/master-lists"
page=()
[ -n "$status_page" ] && page=(--status-page "$status_page")
"$cfg" "${page[@]}" "$folder" "ftp://$address:$ftp_port/" "$user" "$password" "$address" "*"
echo "wrote $folder/servers.cfg and $folder/time.cfg"
[ "$daytime_port" = 13 ] || echo "start each player's program with ZARNATH_DAYTIME_PORT=$daytime_port"
exec /usr/bin/python3 "$here/master_server.py" "$folder/master-lists" "$user" "$password" "$address" \
  "$ftp_port" "$daytime_port"
