#!/usr/bin/env bash
# The game's languages as players meet them. Without a locale, and with LANG=de_DE.UTF-8, the main
# menu is German and the same to the pixel. With LANG=en_US.UTF-8 (a locale this machine has not
# generated) the menu is English: its pictures differ from the German ones where the words are (the
# buttons and the credit line) and nowhere else, and so does the briefing page; the list page, a
# pause, the name entry and the line after an aborted mission are English too. --language de plays
# German whatever the locale. Pictures of every English screen are kept to be looked at.
# Usage: languages.sh BUILD_DIR   (pictures in BUILD_DIR/e2e, or in the folder E2E_KEEP names)
set -euo pipefail
e2e_name=languages
source "$(dirname "$0")/lib.sh"
build=$(cd "${1:?usage: languages.sh BUILD_DIR}" && pwd)
keep=${E2E_KEEP:-$build/e2e}
mkdir -p "$keep"
e2e_start_xvfb 1024x768x24

# Ten results below zero: the 0 points of a mission aborted at once earn the first place.
write_low_table() {
  python3 - "$1" <<'PY'
import struct, sys
with open(sys.argv[1], "wb") as f:
    for i in range(10):
        f.write(b"low%d\r\n" % (i + 1) + struct.pack("<i", -5 - i))
PY
}

# F10, and the path of the screenshot it saved, copied to $keep/$1.bmp.
take_screenshot() {
  local shot
  shot=$(e2e_screenshot "$folder")
  cp "$shot" "$keep/$1.bmp"
  echo "$keep/$1.bmp"
}

# Starts a fresh copy of the game with the given environment and arguments (as e2e_start_game) and
# waits for its menu.
start() {
  folder=$(e2e_copy_program "$build")
  e2e_start_game "$folder" SDL_AUDIODRIVER=dummy "$@"
  e2e_wait_window
}

# The main menu and the briefing page, then Escape twice: sets main and briefing to the screenshots,
# named $1_main and $1_briefing.
menu_and_briefing() {
  main=$(take_screenshot "$1_main")
  e2e_move 0 5  # the second button, centred at (400, 305)
  e2e_click
  briefing=$(take_screenshot "$1_briefing")
  e2e_move 200 250  # the button at (600, 555)
  e2e_click
  e2e_move -200 -255
  e2e_quit_from_menu
  [ "$e2e_status" -eq 0 ] || e2e_fail "exit status $e2e_status: $(cat "$e2e_game_log")"
}

start
menu_and_briefing no_locale
german_main=$main german_briefing=$briefing

start LANG=de_DE.UTF-8
menu_and_briefing de_DE
[ "$(e2e_differing_pixels "$german_main" "$main" 0 0 800 600)" -eq 0 ] ||
  e2e_fail "with LANG=de_DE.UTF-8 the main menu differs from the one without a locale"
[ "$(e2e_differing_pixels "$german_briefing" "$briefing" 0 0 800 600)" -eq 0 ] ||
  e2e_fail "with LANG=de_DE.UTF-8 the briefing differs from the one without a locale"

start LANG=en_US.UTF-8 -- --language de
menu_and_briefing option_de
[ "$(e2e_differing_pixels "$german_main" "$main" 0 0 800 600)" -eq 0 ] ||
  e2e_fail "--language de does not play German under LANG=en_US.UTF-8"

start LANG=en_US.UTF-8
menu_and_briefing en_US
# Where the words are: the four buttons and the credit line at the foot.
buttons_differ=0
for top in 200 280 360 440; do
  count=$(e2e_differing_pixels "$german_main" "$main" 300 "$top" 500 $((top + 50)))
  [ "$count" -gt 100 ] || e2e_fail "the button at y $top is the same in English as in German"
  buttons_differ=$((buttons_differ + count))
done
[ "$(e2e_differing_pixels "$german_main" "$main" 0 572 800 600)" -gt 10 ] ||
  e2e_fail "the credit line is the same in English as in German"
# Nowhere else: the sum over the whole page is that of the words' places.
total=$(e2e_differing_pixels "$german_main" "$main" 0 0 800 600)
foot=$(e2e_differing_pixels "$german_main" "$main" 0 572 800 600)
[ "$total" -eq $((buttons_differ + foot)) ] ||
  e2e_fail "$((total - buttons_differ - foot)) pixels of the main menu differ outside the buttons and the credit line"
[ "$(e2e_differing_pixels "$german_briefing" "$briefing" 40 20 780 360)" -gt 5000 ] ||
  e2e_fail "the briefing's text is the same in English as in German"

# The list page, a pause, the name entry and the line after the aborted mission, in English.
folder=$(e2e_copy_program "$build")
write_low_table "$folder/kvshs.dat"
e2e_start_game "$folder" SDL_AUDIODRIVER=dummy LANG=en_US.UTF-8
e2e_wait_window
e2e_move 0 85  # the third button, centred at (400, 385)
e2e_click
list=$(take_screenshot en_US_list)
e2e_move 200 170  # back
e2e_click
e2e_move -200 -330  # the first button, centred at (400, 225)
e2e_click
sleep 1.5
e2e_hold_key p
paused=$(take_screenshot en_US_pause)
[ "$(e2e_colour_pixels "$paused" 250 300 550 320 150 255 150)" -gt 20 ] || e2e_fail "no hint under the pause's title"
e2e_hold_key p
e2e_hold_key Escape  # abort: 0 points earn the first place
sleep 1
# The name entry takes no screenshots: the X screen, where the game stands 112 and 84 pixels in.
import -window root "bmp3:$keep/en_US_name_entry.bmp"
name_entry=$keep/en_US_name_entry.bmp
for key in a b c; do e2e_hold_key "$key"; done
e2e_hold_key Return
sleep 1
after=$(take_screenshot en_US_after_abort)
e2e_move 0 80  # the list page again, with the new name on top
e2e_click
take_screenshot en_US_list_after >/dev/null
e2e_move 200 170
e2e_click
e2e_quit_from_menu
[ "$e2e_status" -eq 0 ] || e2e_fail "exit status $e2e_status: $(cat "$e2e_game_log")"
[ "$(e2e_bright_pixels "$list" 250 145 560 170 200)" -gt 100 ] || e2e_fail "the list page has no title"
[ "$(e2e_bright_pixels "$name_entry" 362 219 672 244 200)" -gt 50 ] || e2e_fail "the name entry has no line over it"
[ "$(e2e_colour_pixels "$after" 0 540 800 560 150 255 150)" -gt 50 ] ||
  e2e_fail "the main menu shows no line about the aborted mission"
echo "languages: ok (pictures in $keep)"
