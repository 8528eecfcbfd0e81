#!/usr/bin/env bash
# The real program with missing and broken files: an empty img/ folder; every picture and sound
# cut to its first 100 bytes; every picture and sound cut to its first half; a highscore file of
# random bytes. Each time it shows the menu and the highscore list, runs a mission for three
# seconds, aborts it with Escape (and types a name when the score earns a place), and ends with
# status 0 on Escape, printing nothing. A picture that did not load draws nothing, a sound that
# did not load plays nothing, and the table read from random bytes is saved back as read.
# Usage: broken_files.sh BUILD_DIR   (E2E_KEEP=folder keeps pictures of the X screen there)
set -euo pipefail
e2e_name=broken_files
source "$(dirname "$0")/lib.sh"
build=$(cd "${1:?usage: broken_files.sh BUILD_DIR}" && pwd)
keep=${E2E_KEEP:-$e2e_work}
mkdir -p "$keep"

# Per cent of the pixels of a 24-bit BMP within x0 <= x < x1, y0 <= y < y1 that are the menu's veil
# or its dark-green text on it: no red, no blue, green at most 50.
veil_share() {
  python3 -c "$e2e_bmp_python"'
picture = load(sys.argv[1])
x0, y0, x1, y1 = map(int, sys.argv[2:])
veil = sum(r == 0 and b == 0 and g <= 50 for y in range(y0, y1) for x in range(x0, x1)
           for r, g, b in [pixel(picture, x, y)])
print(100 * veil // ((x1 - x0) * (y1 - y0)))
' "$@"
}

newest_screenshot() {
  (cd "$1" && ls -t -- scrnsht_*.bmp 2>/dev/null | head -n 1) || true
}

# F10 saves the frame before last into the program's folder as a file named by the second; its
# name goes into `shot`. A key held and let go between two frames is never seen, which happens
# while the program still loads its files or when the machine is busy: F10 is pressed again until
# a new file comes. The next screenshot waits for a new second.
screenshot() {
  local folder=$1 before _
  before=$(newest_screenshot "$folder")
  for _ in $(seq 10); do
    e2e_hold_key F10
    for _ in $(seq 20); do
      shot=$(newest_screenshot "$folder")
      [ -n "$shot" ] && [ "$shot" != "$before" ] && break 2
      sleep 0.1
    done
  done
  [ -n "$shot" ] && [ "$shot" != "$before" ] || e2e_fail "F10 saved no screenshot"
  sleep 1.1
  shot=$folder/$shot
}

# Plays one round in the program copied to `folder`; `name_entry` 1 means that the aborted
# mission's score earns a place. Sets the names of four screenshots: menu_left (the main menu with
# the pointer at (100, 300)), menu_start (the same with it at (400, 225)), mission, menu_after.
play_round() {
  local case=$1 folder=$2 name_entry=$3 output
  e2e_start_game "$folder" SDL_AUDIODRIVER=disk SDL_DISKAUDIOFILE="$e2e_work/$case.raw"
  e2e_wait_window
  e2e_move -300 0  # the pointer starts at (400, 300)
  screenshot "$folder"
  menu_left=$shot
  e2e_move 300 -75  # "Starten" at (400, 225)
  screenshot "$folder"
  menu_start=$shot
  e2e_move 0 160  # "Bestenliste" at (400, 385)
  e2e_click
  e2e_look "$keep/$case-list.png"
  e2e_move 200 170  # "Fertig" at (600, 555)
  e2e_click
  e2e_move -200 -330  # "Starten"
  xdotool mousedown 1
  sleep 0.2
  xdotool mouseup 1
  sleep 3
  screenshot "$folder"
  mission=$shot
  e2e_look "$keep/$case-mission.png"
  xdotool keydown Escape  # abort the mission: nothing destroyed, 0 points
  sleep 0.2
  xdotool keyup Escape
  sleep 1
  if [ "$name_entry" -eq 1 ]; then
    e2e_look "$keep/$case-name-entry.png"
    e2e_hold_key x
    e2e_hold_key Return
    sleep 0.5
  fi
  screenshot "$folder"
  menu_after=$shot
  e2e_look "$keep/$case-menu.png"
  e2e_quit_from_menu
  [ "$e2e_status" -eq 0 ] || e2e_fail "$case: exit status $e2e_status: $(cat "$folder/game.log")"
  # The disk audio driver announces itself; the program says nothing.
  output=$(grep -v -e '^CRITICAL: You are using the SDL disk i/o audio driver!$' \
    -e '^CRITICAL:  Writing to file \[.*\]\.$' "$folder/game.log" || true)
  [ -z "$output" ] || e2e_fail "$case: the program wrote output: $output"
  cp "$menu_left" "$keep/$case-menu-left.bmp"
  cp "$mission" "$keep/$case-mission.bmp"
  # The menu's line about the aborted mission shows that the mission ran.
  [ "$(e2e_colour_pixels "$menu_after" 240 540 620 556 150 255 150)" -gt 0 ] ||
    e2e_fail "$case: the menu does not report an aborted mission"
}

# Without the cursor's picture moving the pointer changes no pixel of the menu.
check_no_cursor() {
  local moved
  moved=$(e2e_differing_pixels "$menu_left" "$menu_start" 0 0 800 600)
  [ "$moved" -eq 0 ] || e2e_fail "$1: moving the pointer changed $moved pixels without a cursor picture"
}

# Without any picture file: the menu's background is the veil alone, one colour; in the mission
# the bands where the cockpit's pictures go keep what the menu left there (aliens may cross them).
check_no_pictures() {
  local case=$1 colours share
  check_no_cursor "$case"
  colours=$(e2e_colour_count "$menu_left" 0 120 280 530)
  [ "$colours" -eq 1 ] || e2e_fail "$case: $colours colours where the menu shows only its veil"
  [ "$(veil_share "$menu_left" 0 120 280 530)" -eq 100 ] || e2e_fail "$case: the menu's veil is not dark green"
  share=$(veil_share "$mission" 0 0 800 28)
  [ "$share" -ge 95 ] || e2e_fail "$case: only $share % of the top band is the veil: a cockpit is drawn"
  share=$(veil_share "$mission" 0 545 800 600)
  [ "$share" -ge 95 ] || e2e_fail "$case: only $share % of the bottom band is the veil: a cockpit is drawn"
}

cut_files() {
  local folder=$1 size=$2 file
  for file in "$folder"/img/* "$folder"/*.wav; do
    [ -f "$file" ] || continue  # the pictures of other languages, in folders of their own
    if [ "$size" = half ]; then
      truncate -s $(($(stat -c %s "$file") / 2)) "$file"
    else
      truncate -s "$size" "$file"
    fi
  done
}

e2e_start_xvfb 1024x768x24

# 1. The folder img/ is empty; the sounds are there and play.
folder=$(e2e_copy_program "$build")
rm -rf "$folder"/img/*
play_round empty_img "$folder" 0
check_no_pictures empty_img
[ "$(e2e_silent_output "$e2e_work/empty_img.raw")" -eq 0 ] || e2e_fail "empty_img: the intact sounds were not heard"
e2e_check_empty_table "$folder/kvshs.dat"
echo "broken_files: empty img/: ok"

# 2. Every picture and sound is cut to 100 bytes: none loads.
folder=$(e2e_copy_program "$build")
cut_files "$folder" 100
play_round cut_100 "$folder" 0
check_no_pictures cut_100
[ "$(e2e_silent_output "$e2e_work/cut_100.raw")" -eq 1 ] || e2e_fail "cut_100: a broken sound played"
echo "broken_files: files cut to 100 bytes: ok"

# 3. Every picture and sound is cut in half: no BMP and no sound loads (their data would reach
# beyond the end); a JPEG shows what was decoded of it.
folder=$(e2e_copy_program "$build")
cut_files "$folder" half
play_round cut_half "$folder" 0
check_no_cursor cut_half
[ "$(e2e_silent_output "$e2e_work/cut_half.raw")" -eq 1 ] || e2e_fail "cut_half: a broken sound played"
echo "broken_files: files cut in half: ok"

# 4. A highscore file of random bytes, with every picture and sound in place.
folder=$(e2e_copy_program "$build")
python3 -c 'import random, sys; open(sys.argv[1], "wb").write(random.Random(20261207).randbytes(1500))' \
  "$folder/kvshs.dat"
name_entry=$(e2e_expected_table "$folder/kvshs.dat" "$e2e_work/expected.dat" 0)
play_round random_table "$folder" "$name_entry"
moved=$(e2e_differing_pixels "$menu_left" "$menu_start" 0 0 800 600)
[ "$moved" -gt 0 ] || e2e_fail "random_table: the cursor is not drawn with its picture in place"
cmp -s "$e2e_work/expected.dat" "$folder/kvshs.dat" ||
  e2e_fail "random_table: the saved table is not the one read (name entry: $name_entry):" \
    "$(od -c "$folder/kvshs.dat" | head -n 8)"
echo "broken_files: random highscore file (name entry: $name_entry): ok"
echo "broken_files: ok"
