#!/usr/bin/env bash
# Installs what the program needs, builds it and starts it from its program folder.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo
cmake --build build -j "$(nproc)" --target zarnath
cd build/game && exec ./zarnath "$@"
