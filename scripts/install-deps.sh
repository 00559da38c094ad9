#!/usr/bin/env bash
# Installs every Debian package the build, the program and the tests need.
# Safe to run again; needs root (or sudo).
set -euo pipefail
usage() {
  cat << 'TEXT'
usage: install-deps.sh
Installs every Debian package the build, the program and the tests need (with sudo when not
root); does nothing when all are installed.
  --help  shows this text
TEXT
}
case ${1:-} in
  --help) usage; exit 0 ;;
  -*) echo "install-deps.sh: unknown option $1" >&2; usage >&2; exit 2 ;;
esac
[ $# -eq 0 ] || { echo "install-deps.sh: no arguments are taken" >&2; usage >&2; exit 2; }

packages=(
  build-essential cmake ninja-build pkg-config
  qt6-base-dev qt6-base-dev-tools libqt6opengl6-dev
  qt6-multimedia-dev libpulse-dev
  libcurl4-openssl-dev
  googletest libgtest-dev libgmock-dev libbenchmark-dev
  python3 python3-pyftpdlib
  xvfb xauth
  xdotool imagemagick  # scripts/play-check.sh: pointer and key events, screenshots
  xclip  # scripts/net-play-check.sh reads the lobby chat a player copied
  fonts-liberation2
  fonts-ferrite-core fonts-comfortaa  # the display typefaces copied as venusris.ttf, nasaliza.ttf
)

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0

SUDO=""
[ "$(id -u)" -eq 0 ] || SUDO="sudo"
export DEBIAN_FRONTEND=noninteractive
$SUDO apt-get update -q
$SUDO apt-get install -y -q --no-install-recommends "${missing[@]}"
