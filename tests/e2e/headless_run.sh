#!/usr/bin/env bash
# The real program without a screen: it starts on SDL's headless drivers and keeps running its menu,
# a request to close (SIGTERM, which SDL turns into one) ends it like Escape; under an X server
# Escape ends it, and so does a close request in a mission; each time with status 0 and the empty
# highscore table written. Without any display it says why on stderr and ends with status 1, also
# when SDL would fall back to a driver that shows nothing and nobody asked for it.
# Usage: headless_run.sh BUILD_DIR
set -euo pipefail
e2e_name=headless_run
source "$(dirname "$0")/lib.sh"
build=$(cd "${1:?usage: headless_run.sh BUILD_DIR}" && pwd)

# 1. Headless: the menu runs until the process is asked to end.
folder=$(e2e_copy_program "$build")
e2e_start_game "$folder" SDL_VIDEODRIVER=dummy SDL_AUDIODRIVER=dummy
sleep 2
kill -0 "$e2e_game_pid" 2>/dev/null || e2e_fail "the headless program ended by itself: $(cat "$folder/game.log")"
[ -e "$folder/kvshs.dat" ] && e2e_fail "the table is written only when the program ends"
kill -TERM "$e2e_game_pid"
e2e_wait_exit 30
[ "$e2e_status" -eq 0 ] || e2e_fail "exit status $e2e_status after a close request: $(cat "$folder/game.log")"
e2e_check_empty_table "$folder/kvshs.dat"
[ -s "$folder/game.log" ] && e2e_fail "the program wrote output: $(cat "$folder/game.log")"

# 2. Escape released on the menu, under an X server.
folder=$(e2e_copy_program "$build")
e2e_start_xvfb 1024x768x24
e2e_start_game "$folder" SDL_AUDIODRIVER=dummy
e2e_wait_window
e2e_hold_key Escape
e2e_wait_exit 30
[ "$e2e_status" -eq 0 ] || e2e_fail "exit status $e2e_status after Escape: $(cat "$folder/game.log")"
e2e_check_empty_table "$folder/kvshs.dat"

# 3. A close request in the middle of a mission ends the mission and then the program.
folder=$(e2e_copy_program "$build")
e2e_start_game "$folder" SDL_AUDIODRIVER=dummy
e2e_wait_window
e2e_move 0 -75  # "Starten" at (400, 225)
e2e_click
sleep 1
kill -0 "$e2e_game_pid" 2>/dev/null || e2e_fail "the program ended when the mission started"
kill -TERM "$e2e_game_pid"
e2e_wait_exit 30
[ "$e2e_status" -eq 0 ] || e2e_fail "exit status $e2e_status after a close request in a mission"
e2e_check_empty_table "$folder/kvshs.dat"

# 4. No display at all.
folder=$(e2e_copy_program "$build")
status=0
(cd "$folder" && SDL_VIDEODRIVER=no_such_driver SDL_AUDIODRIVER=dummy ./space) >"$folder/out.log" \
  2>"$folder/err.log" || status=$?
[ "$status" -eq 1 ] || e2e_fail "exit status $status without a display, not 1"
[ "$(wc -l <"$folder/err.log")" -eq 1 ] || e2e_fail "not one line on stderr: $(cat "$folder/err.log")"
grep -q '^space: cannot open the 800 x 600 display: .' "$folder/err.log" ||
  e2e_fail "stderr does not say why: $(cat "$folder/err.log")"
[ -s "$folder/out.log" ] && e2e_fail "stdout is not empty"
[ -e "$folder/kvshs.dat" ] && e2e_fail "a program that never ran wrote the table"
# 5. Started where there is no display, as from an SSH shell (which has a runtime folder): SDL
# could only fall back to a driver that shows nothing. One line says so, at once, with status 1.
folder=$(e2e_copy_program "$build")
mkdir -m 700 "$e2e_work/runtime"
status=0
started=$(date +%s%N)
(cd "$folder" && exec env -u DISPLAY -u WAYLAND_DISPLAY -u SDL_VIDEODRIVER -u SDL_AUDIODRIVER \
  "XDG_RUNTIME_DIR=$e2e_work/runtime" timeout 10 ./space) >"$folder/out.log" 2>"$folder/err.log" || status=$?
took=$((($(date +%s%N) - started) / 1000000))
[ "$status" -eq 1 ] || e2e_fail "exit status $status without any display, not 1"
[ "$took" -lt 1000 ] || e2e_fail "without any display the program took $took ms to end"
[ "$(cat "$folder/err.log")" = \
  "space: cannot open the 800 x 600 display: no display found; start the game from a desktop session, or set DISPLAY" ] ||
  e2e_fail "stderr does not say that there is no display: $(cat "$folder/err.log")"
[ -s "$folder/out.log" ] && e2e_fail "stdout is not empty"
[ -e "$folder/kvshs.dat" ] && e2e_fail "a program that never ran wrote the table"
echo "headless_run: ok"
