#!/usr/bin/env bash
# A window when the player wants one: `space --window` plays in an 800 x 600 window in the middle of
# the screen; Alt+Return switches to the full screen and back. Escape then ends the game with
# status 0; an unknown argument is refused.
# Usage: window_mode.sh BUILD_DIR
set -euo pipefail
e2e_name=window_mode
source "$(dirname "$0")/lib.sh"
build=$(cd "${1:?usage: window_mode.sh BUILD_DIR}" && pwd)
e2e_start_xvfb 1024x768x24

size_of_window() {
  local window
  window=$(xdotool search --onlyvisible --name '^Space$' | head -n 1)
  xdotool getwindowgeometry "$window" | sed -n 's/.*Geometry: //p'
}

# Waits up to 5 s for the window to have the given size.
expect_size() {
  local wanted=$1 what=$2 size="" _
  for _ in $(seq 50); do
    size=$(size_of_window)
    [ "$size" = "$wanted" ] && return 0
    sleep 0.1
  done
  e2e_fail "$what: the window is $size, not $wanted"
}

folder=$(e2e_copy_program "$build")
(cd "$folder" && exec env SDL_AUDIODRIVER=dummy ./space --window) >"$folder/game.log" 2>&1 &
e2e_game_pid=$!
e2e_pids+=("$e2e_game_pid")
e2e_wait_window
expect_size 800x600 "--window"
e2e_look "${E2E_LOOK_DIR:-$e2e_work}/window.png"

xdotool key --delay 0 alt+Return
expect_size 1024x768 "Alt+Return in the window"
xdotool key --delay 0 alt+Return
expect_size 800x600 "Alt+Return on the full screen"

e2e_quit_from_menu
[ "$e2e_status" -eq 0 ] || e2e_fail "exit status $e2e_status: $(cat "$folder/game.log")"
e2e_check_empty_table "$folder/kvshs.dat"

# Anything but --window is refused with a usage line, before a window opens.
status=0
"$folder/space" --fullscreen 2>"$e2e_work/usage.txt" || status=$?
[ "$status" -eq 2 ] && grep -q "usage: space \[--window\]" "$e2e_work/usage.txt" ||
  e2e_fail "an unknown argument gave status $status: $(cat "$e2e_work/usage.txt")"
echo "window_mode: ok"
