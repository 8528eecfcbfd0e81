#!/usr/bin/env bash
# The menu as a player uses it, on an X server of 1024 x 768 that shows the 800 x 600 game
# letterboxed: F10 on the main menu, "Mission", F10 on the briefing page, "Fertig", "Bestenliste",
# F10 on the list page, "Fertig", "Starten" and at once Escape, F10 on the main menu again, Escape.
# Checks the exit status, the highscore file, and the four screenshot files: their names, sizes,
# and that each shows its own page, the last one with the line about the aborted mission.
# Usage: menu_pages.sh BUILD_DIR
# Pictures of the X screen (when ImageMagick's import is there) and the game's screenshots are kept
# in BUILD_DIR/e2e, or in the folder E2E_KEEP names.
set -euo pipefail
e2e_name=menu_pages
source "$(dirname "$0")/lib.sh"
build=$(cd "${1:?usage: menu_pages.sh BUILD_DIR}" && pwd)
keep=${E2E_KEEP:-$build/e2e}
mkdir -p "$keep"

folder=$(e2e_copy_program "$build")
e2e_start_xvfb 1024x768x24
e2e_start_game "$folder" SDL_AUDIODRIVER=dummy
e2e_wait_window

# A screenshot is named by the second: one second apart, each page keeps its own file.
screenshot() {
  e2e_hold_key F10
  sleep 1.1
}

e2e_look "$keep/menu_main.png"
screenshot
e2e_move 0 5  # the pointer starts at (400, 300); "Mission" is centred at (400, 305)
e2e_click
e2e_look "$keep/menu_briefing.png"
screenshot
e2e_move 200 250  # "Fertig" at (600, 555)
e2e_click
e2e_move -200 -170  # "Bestenliste" at (400, 385)
e2e_click
e2e_look "$keep/menu_list.png"
screenshot
e2e_move 200 170  # "Fertig"
e2e_click
e2e_move -200 -330  # "Starten" at (400, 225)
e2e_click
sleep 0.5
e2e_hold_key Escape  # aborts the mission; its 0 points earn no place in a table of zeros
sleep 0.5
e2e_look "$keep/menu_after_mission.png"
screenshot
e2e_hold_key Escape
e2e_wait_exit 30
[ "$e2e_status" -eq 0 ] || e2e_fail "exit status $e2e_status after Escape: $(cat "$folder/game.log")"
e2e_check_empty_table "$folder/kvshs.dat"

mapfile -t shots < <(cd "$folder" && ls -tr -- scrnsht_* 2>/dev/null)
[ "${#shots[@]}" -eq 4 ] || e2e_fail "${#shots[@]} screenshot files, not 4: ${shots[*]}"
for shot in "${shots[@]}"; do
  [[ $shot =~ ^scrnsht_[0-9]{14}\.bmp$ ]] || e2e_fail "screenshot name $shot"
  size=$(stat -c %s "$folder/$shot")
  [ "$size" -eq 1440054 ] || e2e_fail "$shot has $size bytes, not 1,440,054"
done
main=$folder/${shots[0]}
briefing=$folder/${shots[1]}
list=$folder/${shots[2]}
after=$folder/${shots[3]}
cp "$main" "$keep/menu_main.bmp"
cp "$briefing" "$keep/menu_briefing.bmp"
cp "$list" "$keep/menu_list.bmp"
cp "$after" "$keep/menu_after_mission.bmp"

# Near-white pixels: the veil keeps every background pixel's red below 60, so only text is bright.
title="320 150 560 170"  # the list page's title
fertig="500 530 700 580"  # the button of pages 1 and 2
logo="190 30 622 102"
[ "$(e2e_bright_pixels "$main" $title 200)" -eq 0 ] || e2e_fail "the main menu shows a list title"
[ "$(e2e_bright_pixels "$main" $fertig 200)" -eq 0 ] || e2e_fail "the main menu shows a Fertig button"
[ "$(e2e_bright_pixels "$main" 300 200 500 490 200)" -gt 200 ] || e2e_fail "the main menu shows no buttons"
[ "$(e2e_bright_pixels "$briefing" $fertig 200)" -gt 50 ] || e2e_fail "the briefing page has no Fertig button"
[ "$(e2e_differing_pixels "$main" "$briefing" $logo)" -gt 1000 ] ||
  e2e_fail "the briefing page shows the main menu's logo and background"
[ "$(e2e_bright_pixels "$list" $title 200)" -gt 100 ] || e2e_fail "the list page has no title"
[ "$(e2e_bright_pixels "$list" $fertig 200)" -gt 50 ] || e2e_fail "the list page has no Fertig button"
[ "$(e2e_differing_pixels "$main" "$list" $logo)" -eq 0 ] ||
  e2e_fail "the list page's logo and veiled background differ from the main menu's"
[ "$(e2e_colour_pixels "$main" 0 540 800 560 150 255 150)" -eq 0 ] ||
  e2e_fail "the main menu shows a line about a mission before the first one"
[ "$(e2e_colour_pixels "$after" 0 540 800 560 150 255 150)" -gt 50 ] ||
  e2e_fail "the main menu shows no line about the aborted mission"
[ "$(e2e_differing_pixels "$main" "$after" 0 0 800 530)" -eq 0 ] ||
  e2e_fail "after the mission the main menu differs above its last line (page or pointer not reset)"
echo "menu_pages: ok (pictures in $keep)"
