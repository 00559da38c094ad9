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
