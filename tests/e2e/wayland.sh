#!/usr/bin/env bash
# The game on a Wayland desktop without a graphics card: weston nested in an X server of its own
# (weston's headless backend offers no seat, without which SDL does not start), the game on SDL's
# Wayland driver alone (no DISPLAY to fall back to). Once on the accelerated renderer (OpenGL on
# the processor) and once with SDL_RENDER_DRIVER=software, it shows the menu, starts a mission on
# a click and keeps showing its frames, tells the compositor its app id, and ends on SIGTERM with
# status 0 and the table written. The screenshots are of the X server that shows weston's output.
# Usage: wayland.sh BUILD_DIR   (E2E_LOOK_DIR=folder keeps the screenshots there)
set -euo pipefail
e2e_name=wayland
source "$(dirname "$0")/lib.sh"
build=$(cd "${1:?usage: wayland.sh BUILD_DIR}" && pwd)
look=${E2E_LOOK_DIR:-$e2e_work}
mkdir -p "$look"
command -v weston >/dev/null || e2e_fail "weston is missing (scripts/setup.sh installs it)"

# Under the leak checker: what SDL's Wayland driver and its libraries keep to the end is theirs.
if [ -n "${LSAN_OPTIONS:-}" ]; then
  sanitizer=$(cd "$(dirname "$0")/../sanitizer" && pwd)
  cat "$sanitizer/lsan.supp" "$sanitizer/lsan_wayland.supp" >"$e2e_work/lsan.supp"
  export LSAN_OPTIONS="suppressions=$e2e_work/lsan.supp:print_suppressions=0"
fi

# weston's output is 800 x 600 at the top-left of the X screen: the game's full screen, pixel for pixel.
e2e_start_xvfb 1024x768x24
runtime=$e2e_work/runtime
mkdir -m 700 "$runtime"
XDG_RUNTIME_DIR=$runtime weston --backend=x11-backend.so --use-pixman --socket=space-e2e --width=800 \
  --height=600 --idle-time=0 >"$e2e_work/weston.log" 2>&1 &
e2e_pids+=($!)
for _ in $(seq 100); do
  [ -S "$runtime/space-e2e" ] && break
  sleep 0.1
done
[ -S "$runtime/space-e2e" ] || e2e_fail "weston did not start: $(cat "$e2e_work/weston.log")"

# One run: `variant` names it, the rest is the game's extra environment.
play() {
  local variant=$1 folder
  shift
  folder=$(e2e_copy_program "$build")
  e2e_start_game "$folder" -u DISPLAY "XDG_RUNTIME_DIR=$runtime" WAYLAND_DISPLAY=space-e2e SDL_VIDEODRIVER=wayland \
    SDL_AUDIODRIVER=dummy "$@"
  e2e_wait_for "the menu ($variant)" e2e_menu_shown
  e2e_look "$look/wayland_${variant}_menu.png"
  # weston passes the X pointer's moves on as relative motion, and until it locks the pointer to the
  # window (at its first click) as pointer positions as well, which SDL counts again: a right click,
  # which the menu ignores, first. SDL drops the first motion after the pointer entered the window:
  # a step there and back costs at most a pixel. Then "Starten" at (400, 225).
  xdotool click 3
  sleep 0.3
  e2e_move 1 0
  e2e_move -1 0
  e2e_move 0 -75
  e2e_click
  e2e_wait_for "the mission ($variant)" e2e_menu_gone
  import -window root "bmp3:$e2e_work/first.bmp"
  sleep 1
  import -window root "bmp3:$e2e_work/second.bmp"
  e2e_look "$look/wayland_${variant}_mission.png"
  local moved
  moved=$(e2e_differing_pixels "$e2e_work/first.bmp" "$e2e_work/second.bmp" 0 0 800 600)
  [ "$moved" -gt 1000 ] || e2e_fail "$variant: only $moved pixels changed in a second of the mission"
  kill -TERM "$e2e_game_pid"
  e2e_wait_exit 30
  [ "$e2e_status" -eq 0 ] || e2e_fail "$variant: exit status $e2e_status after SIGTERM: $(tail -n 5 "$e2e_game_log")"
  e2e_check_empty_table "$folder/kvshs.dat"
  game_log=$e2e_game_log
}

# The protocol log shows the app id the game gives its window.
play accelerated WAYLAND_DEBUG=client
grep -q 'xdg_toplevel@[0-9]*\.set_app_id("org\.spacedevelopers\.space")' "$game_log" ||
  e2e_fail "the window's app id is not the desktop entry's: $(grep -m 1 set_app_id "$game_log")"
play software SDL_RENDER_DRIVER=software
echo "wayland: ok"
