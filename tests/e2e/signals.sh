#!/usr/bin/env bash
# SIGINT (Ctrl+C in the terminal) and SIGTERM (the session ending, `kill`) end the game as a closed
# window does, wherever the player is: on the menu, in a mission, in its pause, in the name entry
# and while the menu waits for a held button to come up. Each time the status is 0 and the table
# file holds what it should: the old results, and the name typed so far when the name entry was
# interrupted.
# Usage: signals.sh BUILD_DIR
set -euo pipefail
e2e_name=signals
source "$(dirname "$0")/lib.sh"
build=$(cd "${1:?usage: signals.sh BUILD_DIR}" && pwd)
e2e_start_xvfb 800x600x24  # the game's screen, pixel for pixel

# Ten results below zero, -5 to -14: the 0 points of an aborted mission earn the first place.
write_low_table() {
  python3 - "$1" <<'PY'
import struct, sys
with open(sys.argv[1], "wb") as f:
    for i in range(10):
        f.write(b"low%d\r\n" % (i + 1) + struct.pack("<i", -5 - i))
PY
}
# The low table with `name` and 0 points on top (an empty name: the table as it was).
check_low_table() {
  python3 - "$1" "$2" <<'PY' || e2e_fail "$3: the table is not as expected"
import struct, sys
path, name = sys.argv[1], sys.argv[2].encode()
rows = [b"low%d\r\n" % (i + 1) + struct.pack("<i", -5 - i) for i in range(10)]
if name:
    rows = [name + b"\r\n" + struct.pack("<i", 0)] + rows[:9]
actual = open(path, "rb").read()
if actual != b"".join(rows):
    sys.exit("expected %r\nactual   %r" % (b"".join(rows), actual))
PY
}

# Starts the game in a fresh folder holding `table` (or none) and waits for the menu. A script's
# background commands ignore SIGINT, and SDL leaves an ignored signal alone: the game gets it as a
# terminal would give it.
start() {
  folder=$(e2e_copy_program "$build")
  [ "$1" = low ] && write_low_table "$folder/kvshs.dat"
  e2e_start_game "$folder" --default-signal=INT SDL_AUDIODRIVER=dummy
  e2e_wait_window
  e2e_wait_for "the menu" e2e_menu_shown
}
start_mission() {
  e2e_move 0 -75  # "Starten" at (400, 225)
  e2e_click
  e2e_wait_for "the mission" e2e_menu_gone
}
# Sends the signal and expects status 0 within 30 s.
expect_end() {
  local signal=$1 place=$2
  kill -"$signal" "$e2e_game_pid"
  e2e_wait_exit 30
  [ "$e2e_status" -eq 0 ] || e2e_fail "SIG$signal $place: exit status $e2e_status: $(cat "$e2e_game_log")"
}

start low
expect_end INT "on the menu"
check_low_table "$folder/kvshs.dat" "" "SIGINT on the menu"

start none
start_mission
expect_end INT "in a mission"
e2e_check_empty_table "$folder/kvshs.dat"

start low
start_mission
e2e_hold_key p
# "Pause" over the frame, the line below it in light green.
paused() {
  import -window root "bmp3:$e2e_work/screen.bmp" && [ "$(e2e_colour_pixels "$e2e_work/screen.bmp" 250 300 550 320 150 255 150)" -gt 20 ]
}
e2e_wait_for "the pause" paused
expect_end TERM "in the pause"
check_low_table "$folder/kvshs.dat" "" "SIGTERM in the pause"

start low
start_mission
e2e_hold_key Escape  # abort: 0 points, the first place
name_entry_shown() { [ "$(e2e_screen_bright 295 140 560 160)" -gt 50 ]; }  # "Gratulation! ..."
e2e_wait_for "the name entry" name_entry_shown
e2e_hold_key a
e2e_hold_key b
expect_end INT "in the name entry"
check_low_table "$folder/kvshs.dat" "ab" "SIGINT in the name entry"

# The mouse button held from the mission: the menu waits for it to come up, drawing nothing.
start none
start_mission
xdotool mousedown 1
sleep 0.3
e2e_hold_key Escape
sleep 1
e2e_menu_gone || e2e_fail "the menu showed while the button was held"
expect_end TERM "while the menu waits for the button"
xdotool mouseup 1
e2e_check_empty_table "$folder/kvshs.dat"
echo "signals: ok"
