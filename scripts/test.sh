#!/usr/bin/env bash
# Installs what the build needs, builds everything and runs every test: the whole suite, then
# the core's tests again built with AddressSanitizer and UndefinedBehaviorSanitizer.
set -euo pipefail
cd "$(dirname "$0")/.."
jobs=$(nproc)

bash scripts/install-deps.sh

cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo
cmake --build build -j "$jobs"
QT_QPA_PLATFORM=offscreen ctest --test-dir build --output-on-failure -j "$jobs"
# The program itself on a virtual display, played with real pointer and key events.
bash scripts/play-check.sh build
# Whole games of computer players in the game window end as the headless runner plays them.
bash scripts/watch-check.sh build
# Three programs play a LAN game over loopback on the same virtual display.
bash scripts/net-play-check.sh build
# Two programs meet through a local master server and play an internet game.
bash scripts/online-play-check.sh build

cmake -S . -B build-sanitize -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DZARNATH_SANITIZE=ON -DZARNATH_WITH_QT=OFF -DZARNATH_BENCH=OFF
cmake --build build-sanitize -j "$jobs" --target zarnath_core_tests
ASAN_OPTIONS=detect_leaks=1:abort_on_error=1 UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
  ctest --test-dir build-sanitize -L core --output-on-failure -j "$jobs"
