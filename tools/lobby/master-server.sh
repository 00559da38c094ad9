#!/usr/bin/env bash
# Runs a master server for Zarnath's internet lobby on this machine and writes the matching
# "servers.cfg" and "time.cfg" into a program folder, so that players on a network can find each
# other's games without an outside server.
#
#   tools/lobby/master-server.sh PROGRAM_FOLDER [ADDRESS] [FTP_PORT] [DAYTIME_PORT]
#
# ADDRESS is the address the other players reach this machine by (default 127.0.0.1, this machine
# only); FTP_PORT defaults to 2121 and DAYTIME_PORT to 1313 (ports below 1024 need root). Copy the
# two files into every player's program folder, and start each program with
# ZARNATH_DAYTIME_PORT set to DAYTIME_PORT unless it is 13. The lists are kept in
# PROGRAM_FOLDER/master-lists. Stop the server with Ctrl+C.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
folder=${1:?usage: master-server.sh PROGRAM_FOLDER [ADDRESS] [FTP_PORT] [DAYTIME_PORT]}
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
"$cfg" "$folder" "ftp://$address:$ftp_port/" "$user" "$password" "$address" "*"
echo "wrote $folder/servers.cfg and $folder/time.cfg"
[ "$daytime_port" = 13 ] || echo "start each player's program with ZARNATH_DAYTIME_PORT=$daytime_port"
exec /usr/bin/python3 "$here/master_server.py" "$folder/master-lists" "$user" "$password" "$address" \
  "$ftp_port" "$daytime_port"
