#!/usr/bin/env python3
"""How evenly the real program shows its frames in the weapon-4 fight, and how long a frame's input
takes to reach the screen:

- the gaps between shown frames (median, 99th percentile, largest);
- the time from the poll that read a frame's input to the show of that frame (median, 99th percentile);
- how steady the machine itself is: after each fight, bench/machine_jitter repeats one fixed piece of
  drawing-like work at the same beat for as long. A frame is shown late when its work takes longer
  than the recent frames allowed for; the largest time of that fixed work beyond its median is how
  much longer the machine alone makes the same work now and then.

    xvfb-run -a -s "-screen 0 1024x768x24" bench/frame_beat.py build [seconds] [runs]

The program runs with build/bench/libframe_beat_shim.so preloaded, which timestamps every first
event poll after a show and every show; any build of the program can be measured with the same shim:

    xvfb-run -a -s "-screen 0 1024x768x24" bench/frame_beat.py old-build --shim build/bench/libframe_beat_shim.so
"""
import os
import statistics
import subprocess
import sys
import tempfile
import time

from program_bench import Program, Screen, start_fight, xdotool


def percentile(values, share):
    ordered = sorted(values)
    return ordered[min(len(ordered) - 1, int(len(ordered) * share))]


def fight(build, shim, screen, seconds):
    """Frames of one fight: (poll, show) pairs in microseconds, those of the fight only."""
    log = tempfile.NamedTemporaryFile(prefix="space-beat-", suffix=".txt", delete=False).name
    program = Program(build)
    try:
        program.start({"LD_PRELOAD": os.path.abspath(shim), "SPACE_BEAT_LOG": log})
        while not screen.menu_shown():
            time.sleep(0.01)
        time.sleep(1)
        start_fight()
        time.sleep(1)  # the first volleys
        start = time.monotonic() * 1e6
        time.sleep(seconds)
        end = time.monotonic() * 1e6
        xdotool("keyup", "space")
    finally:
        program.stop()
    with open(log) as lines:
        frames = [tuple(int(v) for v in line.split()) for line in lines if len(line.split()) == 2]
    os.unlink(log)
    return [(poll, show) for poll, show in frames if start <= show <= end]


def machine_times(probe, seconds):
    """Milliseconds of each repetition of the fixed work, or none without the probe."""
    if not os.path.exists(probe):
        return []
    output = subprocess.run([probe, str(seconds)], capture_output=True, text=True, check=True).stdout
    return [float(line) for line in output.split()]


def main():
    arguments = [a for a in sys.argv[1:] if not a.startswith("--")]
    if not arguments:
        sys.exit(__doc__)
    build = arguments[0]
    seconds = float(arguments[1]) if len(arguments) > 1 else 20
    runs = int(arguments[2]) if len(arguments) > 2 else 3
    shim = os.path.join(build, "bench", "libframe_beat_shim.so")
    if "--shim" in sys.argv:
        shim = sys.argv[sys.argv.index("--shim") + 1]
    screen = Screen()
    probe = os.path.join(os.path.dirname(shim), "machine_jitter")
    gaps, latencies, machine, shown = [], [], [], 0
    for _ in range(runs):
        frames = fight(build, shim, screen, seconds)
        machine += machine_times(probe, seconds)
        shown += len(frames)
        gaps += [(b[1] - a[1]) / 1000 for a, b in zip(frames, frames[1:])]
        latencies += [(show - poll) / 1000 for poll, show in frames]
    if not gaps:
        sys.exit("frame_beat: no frames were shown during the fight")
    print(f"{build}: {runs} fights of {seconds:.0f} s, {shown} frames shown")
    print("gap between shown frames:  median %6.2f ms  p99 %6.2f ms  largest %6.2f ms"
          % (statistics.median(gaps), percentile(gaps, 0.99), max(gaps)))
    print("from input poll to show:   median %6.2f ms  p99 %6.2f ms"
          % (statistics.median(latencies), percentile(latencies, 0.99)))
    if machine:
        middle = statistics.median(machine)
        print("the machine, fixed work:   median %6.2f ms  p99 %6.2f ms  largest %6.2f ms (%+.2f ms)"
              % (middle, percentile(machine, 0.99), max(machine), max(machine) - middle))


if __name__ == "__main__":
    main()
