#!/usr/bin/env bash
# Installs what the build needs, builds everything and runs every test: the whole suite, then
# the core's tests again built with AddressSanitizer and UndefinedBehaviorSanitizer.
set -euo pipefail
usage() {
  cat << 'TEXT'
usage: test.sh
Installs what the build needs, builds everything into build/ and runs every test: the whole CTest
suite, the display checks (play-check.sh, watch-check.sh, net-play-check.sh,
done-race-check.sh, conquest-check.sh, net-reload-check.sh, left-host-check.sh,
online-play-check.sh), then the core's tests again built with AddressSanitizer and
UndefinedBehaviorSanitizer in build-sanitize/ (built while the display checks run).
  --help  shows this text
TEXT
}
case ${1:-} in
  --help) usage; exit 0 ;;
  -*) echo "test.sh: unknown option $1" >&2; usage >&2; exit 2 ;;
esac
[ $# -eq 0 ] || { echo "test.sh: no arguments are taken" >&2; usage >&2; exit 2; }
cd "$(dirname "$0")/.."
jobs=$(nproc)

bash scripts/install-deps.sh

cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo
cmake --build build -j "$jobs"
QT_QPA_PLATFORM=offscreen ctest --test-dir build --output-on-failure -j "$jobs"

# The core built with the sanitizers, beside the display checks, which mostly wait on the programs
# they drive (each passes beside a busy process on every core). Its output is shown if it fails.
sanitize_log=$(mktemp)
(
  cmake -S . -B build-sanitize -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DZARNATH_SANITIZE=ON -DZARNATH_WITH_QT=OFF -DZARNATH_BENCH=OFF &&
    cmake --build build-sanitize -j "$jobs" --target zarnath_core_tests
) > "$sanitize_log" 2>&1 &
sanitize_pid=$!
trap 'kill "$sanitize_pid" 2> /dev/null || true; rm -f "$sanitize_log"' EXIT

# The program itself on a virtual display, played with real pointer and key events.
bash scripts/play-check.sh build
# Whole games of computer players in the game window end as the headless runner plays them.
bash scripts/watch-check.sh build
# Three programs play a LAN game over loopback on the same virtual display.
bash scripts/net-play-check.sh build
# Three programs on three displays let go of Done together, turn after turn; most turns must race
# (the three presses within a tenth of a second).
bash scripts/done-race-check.sh build
# Two programs play the end of a LAN game to its conquest while the loser's last ship still flies.
bash scripts/conquest-check.sh build
# Three programs play on after the host loads a saved game, and again after it starts a new one.
bash scripts/net-reload-check.sh build
# A client leaves its host's lobby as the host starts, plays with the next host, and loads its own game.
bash scripts/left-host-check.sh build
# Two programs meet through a local master server and play an internet game.
bash scripts/online-play-check.sh build

if ! wait "$sanitize_pid"; then
  cat "$sanitize_log"
  echo "test.sh: the sanitizer build failed" >&2
  exit 1
fi
tail -n 1 "$sanitize_log"
ASAN_OPTIONS=detect_leaks=1:abort_on_error=1 UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
  ctest --test-dir build-sanitize -L core --output-on-failure -j "$jobs"
