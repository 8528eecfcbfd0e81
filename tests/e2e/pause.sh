#!/usr/bin/env bash
# The pause as a player uses it: P in a mission holds the world; two screenshots a second apart
# (F10 works while paused) show the same picture, with "Pause" over it; P again and the mission goes
# on, so that a third screenshot differs.
# Usage: pause.sh BUILD_DIR
set -euo pipefail
e2e_name=pause
source "$(dirname "$0")/lib.sh"
build=$(cd "${1:?usage: pause.sh BUILD_DIR}" && pwd)
e2e_start_xvfb 1024x768x24

folder=$(e2e_copy_program "$build")
e2e_start_game "$folder" SDL_AUDIODRIVER=dummy
e2e_wait_window
e2e_move 0 -75  # "Starten"
e2e_click
sleep 2  # the fleet comes into view

take_screenshot() { e2e_screenshot "$folder"; }

e2e_hold_key p
first=$(take_screenshot)
second=$(take_screenshot)
[ "$first" != "$second" ] || e2e_fail "the second screenshot did not come"
differ=$(e2e_differing_pixels "$first" "$second" 0 0 800 600)
[ "$differ" -eq 0 ] || e2e_fail "$differ pixels changed in a second of pause: the world moved"
# "Pause" over the dimmed frame, and below it the line on how to go on in its light green.
hint_pixels() { e2e_colour_pixels "$1" 250 300 550 320 150 255 150; }
[ "$(hint_pixels "$first")" -gt 20 ] || e2e_fail "no \"Pause\" over the frame"
e2e_look "$e2e_work/paused.png"

e2e_hold_key p
sleep 1
third=$(take_screenshot)
differ=$(e2e_differing_pixels "$second" "$third" 0 0 800 600)
[ "$differ" -gt 1000 ] || e2e_fail "only $differ pixels changed after the pause: the mission did not go on"
[ "$(hint_pixels "$third")" -lt 5 ] || e2e_fail "\"Pause\" is still shown"

e2e_hold_key Escape  # abort the mission
sleep 1
e2e_quit_from_menu
[ "$e2e_status" -eq 0 ] || e2e_fail "exit status $e2e_status: $(cat "$folder/game.log")"
echo "pause: ok"
