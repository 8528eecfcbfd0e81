#!/usr/bin/env bash
# Frames between the game's steps, as a player on a 120 Hz screen sees them: in the weapon-4 fight at
# --fps 120 the frames are counted, no frame shows the same picture as the one before it (the world
# moves between steps), and they come on the beat of 1/120 s. The program runs with the frame log
# shim preloaded, which notes each show and a hash of its picture. The figures that matter are the
# benchmark's (bench/frame_beat.py); the bounds here are loose enough for a busy machine.
# Usage: smooth_frames.sh BUILD_DIR
set -euo pipefail
e2e_name=smooth_frames
source "$(dirname "$0")/lib.sh"
build=$(cd "${1:?usage: smooth_frames.sh BUILD_DIR}" && pwd)
shim=$build/tests/libframe_log_shim.so
[ -f "$shim" ] || e2e_fail "no frame log shim at $shim"
e2e_start_xvfb 1024x768x24

folder=$(e2e_copy_program "$build")
log=$e2e_work/frames.txt
e2e_start_game "$folder" SDL_AUDIODRIVER=dummy LD_PRELOAD="${LD_PRELOAD:+$LD_PRELOAD:}$shim" \
  SPACE_FRAME_LOG="$log" SPACE_FRAME_HASH=1 -- --window --fps 120
e2e_wait_window
e2e_move 0 -75  # "Starten"
e2e_click
sleep 5  # the approach
xdotool key 4
xdotool keydown space
sleep 1
from=$(python3 -c 'import time; print(int(time.monotonic() * 1e6))')
sleep 4
to=$(python3 -c 'import time; print(int(time.monotonic() * 1e6))')
xdotool keyup space
e2e_look "$e2e_work/fight.png"

# Slower builds (the sanitizers') keep the count and the picture checks but not the beat.
slow=0
[ -n "${ASAN_OPTIONS:-}" ] && slow=1
python3 - "$log" "$from" "$to" "$slow" <<'PY' || e2e_fail "the frames of the fight are not smooth"
import statistics, sys
log, start, end, slow = sys.argv[1], int(sys.argv[2]), int(sys.argv[3]), sys.argv[4] == "1"
frames = [tuple(map(int, line.split())) for line in open(log) if len(line.split()) == 3]
frames = [f for f in frames if start <= f[1] <= end]
seconds = (end - start) / 1e6
print(f"smooth_frames: {len(frames)} frames in {seconds:.1f} s")
if len(frames) < (10 if slow else 0.6 * 120) * seconds:
    sys.exit(f"only {len(frames) / seconds:.1f} frames a second")
same = [i for i in range(1, len(frames)) if frames[i][2] == frames[i - 1][2]]
if same:
    sys.exit(f"{len(same)} frames showed the picture of the frame before, the first at {same[0]}")
gaps = [(b[1] - a[1]) / 1000 for a, b in zip(frames, frames[1:])]
median = statistics.median(gaps)
print(f"smooth_frames: gaps median {median:.2f} ms")
if not slow and abs(median - 1000 / 120) > 1.0:
    sys.exit(f"the median gap is {median:.2f} ms, not 1/120 s")
PY

# The fight's score may enter the table, so the game is ended as a desktop ends it.
kill -TERM "$e2e_game_pid"
e2e_wait_exit 30
[ "$e2e_status" -eq 0 ] || e2e_fail "exit status $e2e_status: $(cat "$folder/game.log")"
echo "smooth_frames: ok"
