#!/usr/bin/env bash
# The name entry as a player meets it: "Starten", the mission aborted at once with Escape, a name
# typed with a capital and the German Y/Z keys, Return, Escape on the menu. The table file must
# hold the name at the first place, byte for byte, as soon as the name is confirmed and at the end.
# Usage: name_entry.sh BUILD_DIR   (E2E_KEEP=folder keeps a picture of the name-entry screen there)
set -euo pipefail
e2e_name=name_entry
source "$(dirname "$0")/lib.sh"
build=$(cd "${1:?usage: name_entry.sh BUILD_DIR}" && pwd)
keep=${E2E_KEEP:-$e2e_work}
mkdir -p "$keep"

# Ten results below zero, -5 to -14: the 0 points of a mission aborted before any hit earn the
# first place (against the empty table 0 would earn none).
write_table() {
  python3 - "$1" <<'PY'
import struct, sys
with open(sys.argv[1], "wb") as f:
    for i in range(10):
        f.write(b"low%d\r\n" % (i + 1) + struct.pack("<i", -5 - i))
PY
}

# The table after the insertion: the new name with 0 points on top, the others one place down,
# the last one gone. Each record: the name's bytes, CR LF, the score as signed 32-bit little-endian.
check_table() {
  python3 - "$1" "$2" <<'PY'
import struct, sys
path, name = sys.argv[1], sys.argv[2].encode()
expected = name + b"\r\n" + struct.pack("<i", 0)
for i in range(9):
    expected += b"low%d\r\n" % (i + 1) + struct.pack("<i", -5 - i)
actual = open(path, "rb").read()
if actual != expected:
    sys.exit("expected %r\nactual   %r" % (expected, actual))
PY
}

# Bright pixels (all channels 200 or more) of the X screen in the rectangle x0 y0 x1 y1.
screen_bright() {
  import -window root "bmp3:$e2e_work/screen.bmp" && e2e_bright_pixels "$e2e_work/screen.bmp" "$@" 200
}

# Waits up to 30 s for a screen: loading and frames are slow on a busy machine, and a click or key
# that comes before its screen is lost.
wait_for() {
  local what=$1 _
  shift
  for _ in $(seq 150); do
    "$@" && return 0
    kill -0 "$e2e_game_pid" 2>/dev/null || e2e_fail "the program ended while waiting for $what"
    sleep 0.2
  done
  e2e_fail "$what did not show"
}
menu_shown() { [ "$(screen_bright 300 200 500 250)" -gt 100 ]; }  # the "Starten" button
menu_gone() { [ "$(screen_bright 300 200 500 250)" -lt 20 ]; }
name_entry_shown() { [ "$(screen_bright 295 140 560 160)" -gt 50 ]; }  # "Gratulation! ..."

folder=$(e2e_copy_program "$build")
write_table "$folder/kvshs.dat"
e2e_start_xvfb 800x600x24
e2e_start_game "$folder" SDL_AUDIODRIVER=dummy
e2e_wait_window
wait_for "the menu" menu_shown

e2e_move 0 -75  # the pointer starts at (400, 300); "Starten" is centred at (400, 225)
e2e_click
wait_for "the mission" menu_gone
e2e_hold_key Escape  # abort: nothing destroyed, 0 points
wait_for "the name entry" name_entry_shown

# Shift held with the key Y (labelled Z in Germany) types "Z", the key Z types "y".
xdotool keydown shift
sleep 0.2
e2e_hold_key y
xdotool keyup shift
sleep 0.2
e2e_hold_key z
e2e_hold_key x
e2e_hold_key 1
e2e_look "$keep/name_entry.png"

e2e_hold_key Return
wait_for "the menu after the name entry" menu_shown
check_table "$folder/kvshs.dat" "Zyx1" || e2e_fail "the table is not saved as soon as the name is confirmed"

e2e_hold_key Escape
e2e_wait_exit 30
[ "$e2e_status" -eq 0 ] || e2e_fail "exit status $e2e_status after Escape: $(cat "$folder/game.log")"
check_table "$folder/kvshs.dat" "Zyx1" || e2e_fail "the table written at the end is not the expected one"
echo "name_entry: ok${E2E_KEEP:+ (picture in $keep)}"
