#!/usr/bin/env python3
"""How evenly the real program shows its frames in the weapon-4 fight, how long the pointer takes to
reach the screen, and what it costs, at each frame rate asked for:

- the frames shown a second, and the gaps between them (median, 99th percentile, largest);
- the time from the poll that read the pointer to the show of the frame that drew it (median, 99th
  percentile);
- the processor share of one core that the program took during the fight;
- frames that showed the same picture as the one before (with --hash; hashing costs time itself);
- how steady the machine itself is: after each fight, machine_jitter repeats one fixed piece of
  drawing-like work at the game's beat for as long. The largest time of that work beyond its median is
  how much longer the machine alone makes the same work now and then.

    xvfb-run -a -s "-screen 0 1024x768x24" bench/frame_beat.py build [seconds] [runs] [--fps 41,60,120,144]

The program runs with build/tests/libframe_log_shim.so preloaded, which timestamps every first event
poll after a show and every show. A build from before frames followed the display takes no --fps and
always shows 41 frames a second: measure it with --classic and the shim of a newer build:

    xvfb-run -a -s "-screen 0 1024x768x24" bench/frame_beat.py old-build --classic --shim build/tests/libframe_log_shim.so
"""
import os
import statistics
import subprocess
import sys
import tempfile
import time

from program_bench import Program, Screen, processor_seconds, start_fight, xdotool


def percentile(values, share):
    ordered = sorted(values)
    return ordered[min(len(ordered) - 1, int(len(ordered) * share))]


def option(name, default):
    return sys.argv[sys.argv.index(name) + 1] if name in sys.argv else default


def fight(build, shim, screen, seconds, arguments, hashing):
    """One fight: its frames as (poll, show, hash), microseconds, and the processor share it took."""
    log = tempfile.NamedTemporaryFile(prefix="space-beat-", suffix=".txt", delete=False).name
    program = Program(build)
    environment = {"LD_PRELOAD": os.path.abspath(shim), "SPACE_FRAME_LOG": log}
    if hashing:
        environment["SPACE_FRAME_HASH"] = "1"
    try:
        program.start(environment, arguments)
        while not screen.menu_shown():
            time.sleep(0.01)
        time.sleep(1)
        start_fight()
        time.sleep(1)  # the first volleys
        start = time.monotonic() * 1e6
        before = processor_seconds(program.process.pid)
        time.sleep(seconds)
        share = (processor_seconds(program.process.pid) - before) / seconds * 100
        end = time.monotonic() * 1e6
        xdotool("keyup", "space")
    finally:
        program.stop()
    with open(log) as lines:
        frames = [tuple(int(v) for v in line.split()) for line in lines if len(line.split()) == 3]
    os.unlink(log)
    return [frame for frame in frames if start <= frame[1] <= end], share


def machine_times(probe, seconds):
    """Milliseconds of each repetition of the fixed work, or none without the probe."""
    if not os.path.exists(probe):
        return []
    output = subprocess.run([probe, str(seconds)], capture_output=True, text=True, check=True).stdout
    return [float(line) for line in output.split()]


def measure(build, shim, probe, screen, seconds, runs, rate, classic, hashing):
    arguments = [] if classic else ["--fps", str(rate)]
    gaps, latencies, machine, shares, shown, same = [], [], [], [], 0, 0
    for _ in range(runs):
        frames, share = fight(build, shim, screen, seconds, arguments, hashing)
        shares.append(share)
        machine += machine_times(probe, seconds)
        shown += len(frames)
        gaps += [(b[1] - a[1]) / 1000 for a, b in zip(frames, frames[1:])]
        latencies += [(show - poll) / 1000 for poll, show, _ in frames]
        same += sum(1 for a, b in zip(frames, frames[1:]) if a[2] != 0 and a[2] == b[2])
    if not gaps:
        sys.exit("frame_beat: no frames were shown during the fight")
    label = "classic" if classic else f"--fps {rate}"
    print(f"{label}: {runs} fights of {seconds:.0f} s, {shown / (runs * seconds):.1f} frames shown a second")
    print("  gap between shown frames: median %6.2f ms  p99 %6.2f ms  largest %6.2f ms (period %.2f ms)"
          % (statistics.median(gaps), percentile(gaps, 0.99), max(gaps), 1000 / rate))
    print("  from input poll to show:  median %6.2f ms  p99 %6.2f ms"
          % (statistics.median(latencies), percentile(latencies, 0.99)))
    print("  processor share of a core in the fight: %s %%" % " / ".join("%.1f" % s for s in shares))
    if hashing:
        print(f"  frames showing the same picture as the one before: {same}")
    if machine:
        middle = statistics.median(machine)
        print("  the machine, fixed work:  median %6.2f ms  p99 %6.2f ms  largest %6.2f ms (%+.2f ms)"
              % (middle, percentile(machine, 0.99), max(machine), max(machine) - middle))


def main():
    arguments = []
    skip = False
    for a in sys.argv[1:]:
        if skip:
            skip = False
        elif a in ("--fps", "--shim", "--probe"):
            skip = True
        elif not a.startswith("--"):
            arguments.append(a)
    if not arguments:
        sys.exit(__doc__)
    build = arguments[0]
    seconds = float(arguments[1]) if len(arguments) > 1 else 20
    runs = int(arguments[2]) if len(arguments) > 2 else 3
    shim = option("--shim", os.path.join(build, "tests", "libframe_log_shim.so"))
    probe = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "build", "bench", "machine_jitter")
    probe = option("--probe", os.path.join(build, "bench", "machine_jitter") if os.path.exists(
        os.path.join(build, "bench", "machine_jitter")) else probe)
    classic = "--classic" in sys.argv
    rates = [41] if classic else [int(r) for r in option("--fps", "41,60,120,144").split(",")]
    screen = Screen()
    for rate in rates:
        measure(build, shim, probe, screen, seconds, runs, rate, classic, "--hash" in sys.argv)


if __name__ == "__main__":
    main()
