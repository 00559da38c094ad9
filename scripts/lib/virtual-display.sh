# Shared by the scripts that play the program on a virtual X display (source it).

# require_tools NAME TOOL...: each tool must be on the PATH; NAME is the calling check's name.
require_tools() {
  local name=$1 tool
  shift
  for tool in "$@"; do
    command -v "$tool" > /dev/null || { echo "$name: $tool is missing (scripts/install-deps.sh)" >&2; exit 2; }
  done
}

# start_virtual_display: a 1024 x 768 screen at 96 dots per inch on $display (its log in
# $work/xvfb.log); sets xvfb_pid and DISPLAY and waits until the display answers. Fails when it
# does not start within ten seconds.
start_virtual_display() {
  Xvfb "$display" -screen 0 1024x768x24 -dpi 96 -nolisten tcp > "$work/xvfb.log" 2>&1 &
  xvfb_pid=$!
  export DISPLAY=$display
  for _ in $(seq 100); do
    xdotool getmouselocation > /dev/null 2>&1 && return 0
    sleep 0.1
  done
  return 1
}

# start_display :N: one more 1024 x 768 screen at 96 dots per inch on :N (its log in
# $work/xvfb-N.log) for a program of its own; its pid is added to xvfb_pids. Fails when it does
# not answer within ten seconds.
xvfb_pids=()
start_display() {
  Xvfb "$1" -screen 0 1024x768x24 -dpi 96 -nolisten tcp > "$work/xvfb-${1#:}.log" 2>&1 &
  xvfb_pids+=($!)
  for _ in $(seq 100); do
    DISPLAY=$1 xdotool getmouselocation > /dev/null 2>&1 && return 0
    sleep 0.1
  done
  return 1
}

# tcp_port_in_state PORT STATE: true while a local TCP socket on PORT is in STATE (hex, as
# /proc/net/tcp writes it: 0A listening, 01 established). Reads the kernel's tables, so that the
# check does not connect to the program itself.
tcp_port_in_state() {
  local hex tables=()
  hex=$(printf '%04X' "$1")
  for t in /proc/net/tcp /proc/net/tcp6; do [ -r "$t" ] && tables+=("$t"); done
  awk -v p=":$hex" -v s="$2" 'FNR > 1 && substr($2, length($2) - 4) == p && $4 == s { found = 1 } END { exit !found }' \
    "${tables[@]}"
}
