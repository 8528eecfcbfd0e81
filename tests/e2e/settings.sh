#!/usr/bin/env bash
# The player's settings carried from one run to the next: on the menu Alt+Return switches to a
# window and left Ctrl + M the music off; after Escape $XDG_CONFIG_HOME/space/settings.ini holds
# both beside the player's own lines (a byte order mark, a section, a comment after a value stay),
# and the next run opens in the window. --window --fullscreen plays one run on the full screen and
# leaves the file as it is. A line not understood gives one line on stderr and the default for its
# key, and stays as it is.
# Usage: settings.sh BUILD_DIR
set -euo pipefail
e2e_name=settings
source "$(dirname "$0")/lib.sh"
build=$(cd "${1:?usage: settings.sh BUILD_DIR}" && pwd)
e2e_start_xvfb 1024x768x24

settings=$XDG_CONFIG_HOME/space/settings.ini
mkdir -p "$(dirname "$settings")"
printf '\xEF\xBB\xBF# my own notes\n[space]\nvolume = loud\nmusic = Yes ; mine\n' >"$settings"

# Starts the game with the given arguments and waits for its menu.
start() {
  e2e_start_game "$folder" SDL_AUDIODRIVER=dummy -- "$@"
  e2e_wait_window
}

quit() {
  e2e_quit_from_menu
  [ "$e2e_status" -eq 0 ] || e2e_fail "$1: exit status $e2e_status: $(cat "$folder/game.log")"
}

# 1. The first run: full screen, then a window and the music off.
folder=$(e2e_copy_program "$build")
start
e2e_expect_window_size 1024x768 "the first run"
xdotool key --delay 0 alt+Return
e2e_expect_window_size 800x600 "Alt+Return"
xdotool keydown Control_L
sleep 0.3
xdotool key m
sleep 0.3
xdotool keyup Control_L
sleep 0.3
quit "the first run"
expected=$'\xEF\xBB\xBF# my own notes\n[space]\nvolume = loud\nmusic = No ; mine\neffects = on\nwindow = on'
[ "$(cat "$settings")" = "$expected" ] || e2e_fail "settings.ini after the first run: $(cat "$settings")"
[ -s "$folder/game.log" ] && e2e_fail "the first run wrote output: $(cat "$folder/game.log")"
[ -z "$(ls "$folder" | grep -i settings)" ] || e2e_fail "settings were kept beside the program: $(ls "$folder")"
[ "$(ls -A "$(dirname "$settings")")" = settings.ini ] ||
  e2e_fail "more than the settings in their folder: $(ls -A "$(dirname "$settings")")"

# 2. The next run opens in the window.
start
e2e_expect_window_size 800x600 "the next run"
quit "the next run"

# 3. --fullscreen for one run only, given last.
start --window --fullscreen
e2e_expect_window_size 1024x768 "--window --fullscreen"
quit "--window --fullscreen"
[ "$(cat "$settings")" = "$expected" ] || e2e_fail "--fullscreen changed settings.ini: $(cat "$settings")"

# 4. A line not understood: the default for its key, one line on stderr, the file as it was.
printf 'window = maybe\n' >"$settings"
start
e2e_expect_window_size 1024x768 "a line not understood"
quit "a line not understood"
[ "$(wc -l <"$folder/game.log")" -eq 1 ] && grep -q "settings.ini: line 1: window is on or off" "$folder/game.log" ||
  e2e_fail "a line not understood is not told in one line: $(cat "$folder/game.log")"
[ "$(cat "$settings")" = "window = maybe" ] || e2e_fail "the file changed: $(cat "$settings")"
echo "settings: ok"
