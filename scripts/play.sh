#!/usr/bin/env bash
# Installs what the program needs, builds it and starts it from its program folder.
set -euo pipefail
usage() {
  cat << 'TEXT'
usage: play.sh [QT_OPTION...]
Installs what the program needs, builds it into build/ and starts it from its program folder
build/game. Further arguments go to the program, which takes only Qt's own (such as
-platform xcb).
  --help  shows this text
TEXT
}
case ${1:-} in
  --help) usage; exit 0 ;;
  --*) echo "play.sh: unknown option $1" >&2; usage >&2; exit 2 ;;
esac
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo
cmake --build build -j "$(nproc)" --target zarnath
cd build/game && exec ./zarnath "$@"
