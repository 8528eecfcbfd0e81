#!/usr/bin/env bash
# The window as the desktop sees it, read back from the X server: its class is the one the desktop
# entry names in StartupWMClass (the entry's own id), so that docks group it with its launcher, and
# its icon is the installed 48 x 48 icon, pixel for pixel.
# Usage: window_identity.sh BUILD_DIR
set -euo pipefail
e2e_name=window_identity
source "$(dirname "$0")/lib.sh"
build=$(cd "${1:?usage: window_identity.sh BUILD_DIR}" && pwd)
entry=$(dirname "$0")/../../game/org.spacedevelopers.space.desktop
e2e_start_xvfb 1024x768x24

wanted=$(sed -n 's/^StartupWMClass=//p' "$entry")
[ "$wanted" = "$(basename "$entry" .desktop)" ] ||
  e2e_fail "StartupWMClass is \"$wanted\", not the desktop entry's id"

folder=$(e2e_copy_program "$build")
e2e_start_game "$folder" SDL_AUDIODRIVER=dummy
e2e_wait_window
window=$(xdotool search --onlyvisible --name '^Space$' | head -n 1)

class=$(xprop -id "$window" WM_CLASS)
[ "$class" = "WM_CLASS(STRING) = \"$wanted\", \"$wanted\"" ] || e2e_fail "the window's class: $class"

# _NET_WM_ICON: width, height, then one 0xAARRGGBB number a pixel, row by row.
xprop -id "$window" -notype -f _NET_WM_ICON 32c ' = $0+\n' _NET_WM_ICON >"$e2e_work/icon.txt"
convert "$build/icons/48x48/space.png" rgba:"$e2e_work/icon.rgba"
python3 - "$e2e_work/icon.txt" "$e2e_work/icon.rgba" <<'PY' || e2e_fail "the window's icon is not the game's"
import sys
text = open(sys.argv[1]).read()
if "=" not in text:
    sys.exit("no icon: " + text.strip())
values = [int(v) for v in text.split("=", 1)[1].replace(",", " ").split()]
rgba = open(sys.argv[2], "rb").read()
expected = [48, 48] + [rgba[i + 3] << 24 | rgba[i] << 16 | rgba[i + 1] << 8 | rgba[i + 2] for i in range(0, len(rgba), 4)]
if values != expected:
    differ = sum(a != b for a, b in zip(values, expected))
    sys.exit("%d numbers, %d expected, %d differ" % (len(values), len(expected), differ))
PY

e2e_quit_from_menu
[ "$e2e_status" -eq 0 ] || e2e_fail "exit status $e2e_status: $(cat "$e2e_game_log")"
echo "window_identity: ok"
