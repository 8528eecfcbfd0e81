#!/usr/bin/env bash
# Taps as players make them: `xdotool key` and `xdotool click` send the press and the release at
# once, as a laptop touchpad's tap-to-click does, and the game must see each of them exactly once.
# A tapped Escape on the menu ends the game; a tapped click on "Beenden" ends it; a tapped click on
# "Starten" starts a mission, in which a tapped F10 saves one screenshot and a tapped Escape aborts
# it back to the menu, where a last tapped Escape ends the game. Status 0 and the empty table each
# time.
# Usage: taps.sh BUILD_DIR
set -euo pipefail
e2e_name=taps
source "$(dirname "$0")/lib.sh"
build=$(cd "${1:?usage: taps.sh BUILD_DIR}" && pwd)
e2e_start_xvfb 1024x768x24

check_ended() {
  local how=$1 folder=$2
  e2e_wait_exit 10
  [ "$e2e_status" -eq 0 ] || e2e_fail "$how: exit status $e2e_status: $(cat "$folder/game.log")"
  e2e_check_empty_table "$folder/kvshs.dat"
  echo "taps: $how: ok"
}

# 1. Escape tapped on the menu, press and release without a pause between them.
folder=$(e2e_copy_program "$build")
e2e_start_game "$folder" SDL_AUDIODRIVER=dummy
e2e_wait_window
xdotool key --delay 0 Escape
check_ended "Escape tapped on the menu" "$folder"

# 2. A click on "Beenden" (centred at 400, 465; the pointer starts at 400, 300).
folder=$(e2e_copy_program "$build")
e2e_start_game "$folder" SDL_AUDIODRIVER=dummy
e2e_wait_window
e2e_move 0 165
xdotool click 1
check_ended "a click on Beenden" "$folder"

# 3. "Starten" (centred at 400, 225) clicked, F10 and Escape tapped in the mission, Escape on the menu.
folder=$(e2e_copy_program "$build")
e2e_start_game "$folder" SDL_AUDIODRIVER=dummy
e2e_wait_window
e2e_move 0 -75
xdotool click 1
sleep 1
xdotool key --delay 0 F10
sleep 0.5
xdotool key --delay 0 Escape
sleep 1
kill -0 "$e2e_game_pid" 2>/dev/null ||
  e2e_fail "Escape in the mission ended the program: the click on Starten was lost"
shots=$(cd "$folder" && find . -maxdepth 1 -name 'scrnsht_*.bmp' | wc -l)
[ "$shots" -eq 1 ] || e2e_fail "$shots screenshots from one tap of F10 in the mission, not 1"
xdotool key --delay 0 Escape
check_ended "a mission started by a click and aborted by a tap" "$folder"
echo "taps: ok"
