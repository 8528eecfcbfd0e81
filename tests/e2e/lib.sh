# Shared helpers of the program tests: a private copy of the program, an X server of their own,
# a player's keys and clicks, and a look at the pixels of BMP screenshots.
# Source it after setting `e2e_name`; it installs a cleanup trap for what it starts.

e2e_work=$(mktemp -d)
e2e_pids=()
# The player's own settings, table and screenshots stay out of the tests' way and untouched.
export XDG_CONFIG_HOME=$e2e_work/config XDG_DATA_HOME=$e2e_work/data
# No locale: the game speaks German, its own language, unless a test asks for another.
unset LANGUAGE LC_ALL LC_MESSAGES LANG

e2e_cleanup() {
  local pid
  for pid in "${e2e_pids[@]}"; do kill "$pid" 2>/dev/null || true; done
  rm -rf "$e2e_work"
}
trap e2e_cleanup EXIT

e2e_fail() {
  echo "${e2e_name:-e2e}: $*" >&2
  exit 1
}

# Copies the program with its pictures, sounds and catalogues into a fresh folder (printed), so that the build
# folder's own highscore file and screenshots stay untouched.
e2e_copy_program() {
  local build=$1 folder
  [ -x "$build/space" ] || e2e_fail "no program at $build/space"
  folder=$(mktemp -d "$e2e_work/program.XXXXXX")
  cp "$build/space" "$folder/"
  cp -r "$build/img" "$folder/"
  [ -d "$build/locale" ] && cp -r "$build/locale" "$folder/"
  cp "$build"/*.wav "$folder/"
  echo "$folder"
}

# Starts an X server of the given size on a free display and exports DISPLAY.
e2e_start_xvfb() {
  local size=${1:-1024x768x24} number=""
  # Xvfb picks a free display number and writes it to the pipe once it accepts connections.
  mkfifo "$e2e_work/display"
  # -noreset: a server resets when its last client leaves, and a client that connects during the
  # reset is refused; the probe below is such a last client, and the game connects right after it.
  Xvfb -displayfd 3 -screen 0 "$size" -nolisten tcp -noreset 3>"$e2e_work/display" >"$e2e_work/xvfb.log" 2>&1 &
  e2e_pids+=($!)
  read -r -t 10 number <"$e2e_work/display" || true
  [ -n "$number" ] || e2e_fail "Xvfb did not start: $(cat "$e2e_work/xvfb.log")"
  export DISPLAY=":$number"
  # On a busy machine the first client has been seen refused even so: wait until one gets in.
  local _
  for _ in $(seq 50); do
    xdpyinfo >/dev/null 2>&1 && return 0
    sleep 0.1
  done
  e2e_fail "Xvfb on $DISPLAY takes no clients: $(cat "$e2e_work/xvfb.log")"
}

# Starts the program in its folder with the given environment, and the words after "--" as its
# arguments; its pid is in e2e_game_pid and its output goes to game.log beside it (e2e_game_log).
e2e_start_game() {
  local folder=$1 environment=()
  shift
  while [ $# -gt 0 ] && [ "$1" != -- ]; do
    environment+=("$1")
    shift
  done
  [ $# -gt 0 ] && shift
  e2e_game_log=$folder/game.log
  (cd "$folder" && exec env "${environment[@]}" ./space "$@") >"$e2e_game_log" 2>&1 &
  e2e_game_pid=$!
  e2e_pids+=("$e2e_game_pid")
}

# Starts the program in its folder through a wrapper command (the words before "--") with the
# given environment (the words after it); sets e2e_game_pid like e2e_start_game;
# its output goes to game.log in the test's own folder. The program is ./space of the folder, or
# the one e2e_program names.
e2e_start_wrapped() {
  local folder=$1 wrapper=()
  shift
  while [ "$1" != -- ]; do
    wrapper+=("$1")
    shift
  done
  shift
  e2e_game_log=$e2e_work/game.log
  (cd "$folder" && exec "${wrapper[@]}" env "$@" "${e2e_program:-./space}") >"$e2e_game_log" 2>&1 &
  e2e_game_pid=$!
  e2e_pids+=("$e2e_game_pid")
}

# Waits until the game's window is mapped and has the focus, and until the middle of the screen
# shows something other than the black of a freshly opened display: the first menu frame, drawn
# only after every picture and sound was loaded.
e2e_wait_window() {
  local window="" _
  for _ in $(seq 600); do  # a loaded machine may take long to start the program
    window=$(xdotool search --onlyvisible --name '^Space$' 2>/dev/null | head -n 1) && [ -n "$window" ] && break
    kill -0 "$e2e_game_pid" 2>/dev/null ||
      e2e_fail "the program ended before its window showed: $(cat "$e2e_game_log" 2>/dev/null)"
    sleep 0.1
  done
  [ -n "$window" ] || e2e_fail "the window did not appear"
  xdotool windowfocus --sync "$window" 2>/dev/null || true
  python3 - <<'PY' || e2e_fail "the menu was not drawn within 60 s"
import ctypes, sys, time
x11 = ctypes.cdll.LoadLibrary("libX11.so.6")
x11.XOpenDisplay.restype = ctypes.c_void_p
x11.XDefaultRootWindow.argtypes = [ctypes.c_void_p]
x11.XDefaultRootWindow.restype = ctypes.c_ulong
x11.XDisplayWidth.argtypes = x11.XDisplayHeight.argtypes = [ctypes.c_void_p, ctypes.c_int]
x11.XGetImage.argtypes = [ctypes.c_void_p, ctypes.c_ulong, ctypes.c_int, ctypes.c_int, ctypes.c_uint,
                          ctypes.c_uint, ctypes.c_ulong, ctypes.c_int]
x11.XGetImage.restype = ctypes.c_void_p
x11.XGetPixel.argtypes = [ctypes.c_void_p, ctypes.c_int, ctypes.c_int]
x11.XGetPixel.restype = ctypes.c_ulong
display = x11.XOpenDisplay(None)
root = x11.XDefaultRootWindow(display)
cx, cy = x11.XDisplayWidth(display, 0) // 2 - 50, x11.XDisplayHeight(display, 0) // 2 - 50
for _ in range(600):
    image = x11.XGetImage(display, root, cx, cy, 100, 100, 0xFFFFFFFF, 2)  # ZPixmap
    if image and any(x11.XGetPixel(image, i, j) & 0xFFFFFF for i in range(0, 100, 5) for j in range(0, 100, 5)):
        sys.exit(0)
    time.sleep(0.1)
sys.exit(1)
PY
  sleep 0.5
}

# The size of the game's window, as "800x600".
e2e_window_size() {
  local window
  window=$(xdotool search --onlyvisible --name '^Space$' | head -n 1)
  xdotool getwindowgeometry "$window" | sed -n 's/.*Geometry: //p'
}

# Waits up to 5 s for the game's window to have the given size; `what` names the step on failure.
e2e_expect_window_size() {
  local wanted=$1 what=$2 size="" _
  for _ in $(seq 50); do
    size=$(e2e_window_size)
    [ "$size" = "$wanted" ] && return 0
    sleep 0.1
  done
  e2e_fail "$what: the window is $size, not $wanted"
}

# Waits up to `seconds` for the game to end and sets e2e_status to its exit status.
e2e_wait_exit() {
  local seconds=${1:-10} _
  for _ in $(seq $((seconds * 10))); do
    kill -0 "$e2e_game_pid" 2>/dev/null || break
    sleep 0.1
  done
  kill -0 "$e2e_game_pid" 2>/dev/null && e2e_fail "the program did not end within $seconds s"
  e2e_status=0
  wait "$e2e_game_pid" || e2e_status=$?
}

# A key held over several frames, as a player holds it (taps.sh taps them).
e2e_hold_key() {
  xdotool keydown "$1"
  sleep 0.3
  xdotool keyup "$1"
  sleep 0.3
}

# Relative motion in raw counts, which the game adds to its own pointer (it starts at 400, 300).
e2e_move() {
  xdotool mousemove_relative -- "$1" "$2"
  sleep 0.2
}

e2e_click() {
  xdotool mousedown 1
  sleep 0.2
  xdotool mouseup 1
  sleep 0.5
}

# Bright pixels (all channels 200 or more) of the X screen in the rectangle x0 y0 x1 y1.
e2e_screen_bright() {
  import -window root "bmp3:$e2e_work/screen.bmp" && e2e_bright_pixels "$e2e_work/screen.bmp" "$@" 200
}

# Waits up to 30 s until the command after `what` succeeds: loading and frames are slow on a busy
# machine, and a click or key that comes before its screen is lost.
e2e_wait_for() {
  local what=$1 _
  shift
  for _ in $(seq 150); do
    "$@" && return 0
    kill -0 "$e2e_game_pid" 2>/dev/null ||
      e2e_fail "the program ended while waiting for $what: $(tail -n 5 "$e2e_game_log" 2>/dev/null)"
    sleep 0.2
  done
  e2e_fail "$what did not show"
}

# The menu's "Starten" button on the screen, or no longer (a mission has started).
e2e_menu_shown() { [ "$(e2e_screen_bright 300 200 500 250)" -gt 100 ]; }
e2e_menu_gone() { [ "$(e2e_screen_bright 300 200 500 250)" -lt 20 ]; }

# Releases F10 and prints the path of the screenshot it saved in the game's folder $1.
e2e_screenshot() {
  local folder=$1 before _ newest
  shots() { (cd "$folder" && ls scrnsht_*.bmp 2>/dev/null | sort) || true; }
  before=$(shots | wc -l)
  sleep 1.1  # a screenshot's name holds the second it was taken in
  xdotool key F10
  for _ in $(seq 50); do
    [ "$(shots | wc -l)" -gt "$before" ] && break
    sleep 0.1
  done
  newest=$(shots | tail -n 1)
  [ -n "$newest" ] || e2e_fail "F10 saved no screenshot"
  echo "$folder/$newest"
}

# Saves the X screen as a picture to look at, when ImageMagick's import is there.
e2e_look() {
  command -v import >/dev/null && import -window root "$1" 2>/dev/null || true
}

# Python that reads 24-bit BMP files: pixel(picture, x, y) gives (r, g, b) with y counted from the top.
e2e_bmp_python='
import struct, sys
def load(path):
    data = open(path, "rb").read()
    offset, = struct.unpack_from("<I", data, 10)
    width, height, _, bits = struct.unpack_from("<iiHH", data, 18)
    assert bits == 24, bits
    return data, offset, width, height, (width * 3 + 3) & ~3
def pixel(picture, x, y):
    data, offset, width, height, stride = picture
    at = offset + (height - 1 - y) * stride + 3 * x
    b, g, r = data[at:at + 3]
    return r, g, b
'

# Pixels of a 24-bit BMP within the rectangle x0 <= x < x1, y0 <= y < y1 (top-down) whose red,
# green and blue are all at least `level`.
e2e_bright_pixels() {
  python3 -c "$e2e_bmp_python"'
picture = load(sys.argv[1])
x0, y0, x1, y1, level = map(int, sys.argv[2:])
print(sum(min(pixel(picture, x, y)) >= level for y in range(y0, y1) for x in range(x0, x1)))
' "$@"
}

# Pixels of a 24-bit BMP within the rectangle x0 <= x < x1, y0 <= y < y1 of exactly the colour r g b.
e2e_colour_pixels() {
  python3 -c "$e2e_bmp_python"'
picture = load(sys.argv[1])
x0, y0, x1, y1, r, g, b = map(int, sys.argv[2:])
print(sum(pixel(picture, x, y) == (r, g, b) for y in range(y0, y1) for x in range(x0, x1)))
' "$@"
}

# Pixels within the rectangle x0 <= x < x1, y0 <= y < y1 in which two 24-bit BMPs differ.
e2e_differing_pixels() {
  python3 -c "$e2e_bmp_python"'
a, b = load(sys.argv[1]), load(sys.argv[2])
x0, y0, x1, y1 = map(int, sys.argv[3:])
print(sum(pixel(a, x, y) != pixel(b, x, y) for y in range(y0, y1) for x in range(x0, x1)))
' "$@"
}

# Checks that the highscore file is the empty table: ten empty names, each CR LF and score 0.
e2e_check_empty_table() {
  [ -f "$1" ] || e2e_fail "no highscore file $1"
  python3 -c 'import sys; sys.exit(open(sys.argv[1], "rb").read() != b"\r\n\0\0\0\0" * 10)' "$1" ||
    e2e_fail "$1 is not the empty table of 60 bytes: $(od -c "$1" | head -n 5)"
}

# Escape on the menu until the program ends, up to five times: a key that reaches the window before
# it takes input (a loaded machine) is lost. Sets e2e_status like e2e_wait_exit.
e2e_quit_from_menu() {
  local _
  for _ in 1 2 3 4 5; do
    e2e_hold_key Escape
    for _ in $(seq 30); do
      kill -0 "$e2e_game_pid" 2>/dev/null || break 2
      sleep 0.1
    done
  done
  e2e_wait_exit 1
}

# The colours within a rectangle of a 24-bit BMP, as many as there are distinct ones.
e2e_colour_count() {
  python3 -c "$e2e_bmp_python"'
picture = load(sys.argv[1])
x0, y0, x1, y1 = map(int, sys.argv[2:])
print(len({pixel(picture, x, y) for y in range(y0, y1) for x in range(x0, x1)}))
' "$@"
}

# 1 if the mixed sound output of the disk audio driver is nothing but silence (16-bit zeros).
e2e_silent_output() {
  python3 -c 'import sys; data = open(sys.argv[1], "rb").read(); print(int(len(data) > 0 and not any(data)))' "$1"
}

# The table as the game reads it from a file, and as it saves it after a mission that ended with
# `score` points: prints 1 or 0 (whether the name entry shows) and writes the file the save must
# give when the name typed is "x". Names end at CR (which drops one more byte), LF, NUL or the
# end; missing score bytes are 0; at most ten records; places no record reached stay empty.
e2e_expected_table() {
  python3 - "$@" <<'PY'
import struct, sys
data, out, score = open(sys.argv[1], "rb").read(), sys.argv[2], int(sys.argv[3])
table, at = [], 0
while at < len(data) and len(table) < 10:
    end = at
    while end < len(data) and data[end] not in b"\r\n\0":
        end += 1
    name = data[at:end]
    at = end + (2 if data[end:end + 1] == b"\r" else 1)
    value = int.from_bytes(data[at:at + 4].ljust(4, b"\0"), "little", signed=True)
    table.append((name, value))
    at += 4
table += [(b"", 0)] * (10 - len(table))
# The new entry climbs from the spare place past every lower score.
table.append((b"x", score))
i = 10
while i >= 1 and table[i][1] > table[i - 1][1]:
    table[i], table[i - 1] = table[i - 1], table[i]
    i -= 1
open(out, "wb").write(b"".join(name + b"\r\n" + struct.pack("<i", value) for name, value in table[:10]))
print(1 if i < 10 else 0)
PY
}
