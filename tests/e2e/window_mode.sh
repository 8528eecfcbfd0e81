#!/usr/bin/env bash
# A window when the player wants one: `space --window` plays in an 800 x 600 window in the middle of
# the screen; Alt+Return switches to the full screen and back. Escape then ends the game with
# status 0.
# Usage: window_mode.sh BUILD_DIR
set -euo pipefail
e2e_name=window_mode
source "$(dirname "$0")/lib.sh"
build=$(cd "${1:?usage: window_mode.sh BUILD_DIR}" && pwd)
e2e_start_xvfb 1024x768x24

folder=$(e2e_copy_program "$build")
e2e_start_game "$folder" SDL_AUDIODRIVER=dummy -- --window
e2e_wait_window
e2e_expect_window_size 800x600 "--window"
e2e_look "${E2E_LOOK_DIR:-$e2e_work}/window.png"

xdotool key --delay 0 alt+Return
e2e_expect_window_size 1024x768 "Alt+Return in the window"
xdotool key --delay 0 alt+Return
e2e_expect_window_size 800x600 "Alt+Return on the full screen"

e2e_quit_from_menu
[ "$e2e_status" -eq 0 ] || e2e_fail "exit status $e2e_status: $(cat "$folder/game.log")"
e2e_check_empty_table "$folder/kvshs.dat"

echo "window_mode: ok"
