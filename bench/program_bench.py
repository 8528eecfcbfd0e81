#!/usr/bin/env python3
"""The real program as a player starts it, under the X server of $DISPLAY:

- how long after the program is started its first menu frame is on the screen;
- the processor share of its menu (21 steps a second, frames at the display's rate), as a share of one
  core;
- its resident memory and processor time per frame in a mission under continuous fire.

    xvfb-run -a -s "-screen 0 1024x768x24" bench/program_bench.py build [runs] [-- arguments of the program]
    SDL_RENDER_DRIVER=opengl xvfb-run -a -s "-screen 0 1024x768x24" bench/program_bench.py build

Each run starts a fresh copy of the program with its pictures and sounds in a folder of its own;
the sound goes to SDL's dummy driver. Prints the median and the 99th percentile of the runs.
"""
import ctypes
import os
import shutil
import statistics
import subprocess
import sys
import tempfile
import time

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
x11.XDestroyImage.argtypes = [ctypes.c_void_p]

TICKS = os.sysconf("SC_CLK_TCK")


def percentiles(values):
    ordered = sorted(values)
    return statistics.median(ordered), ordered[min(len(ordered) - 1, len(ordered) * 99 // 100)]


class Screen:
    def __init__(self):
        self.display = x11.XOpenDisplay(None)
        if not self.display:
            sys.exit("program_bench: no X display; run it under xvfb-run")
        self.root = x11.XDefaultRootWindow(self.display)
        self.width = x11.XDisplayWidth(self.display, 0)
        self.height = x11.XDisplayHeight(self.display, 0)

    def menu_shown(self):
        """True once the middle of the screen shows the menu, not the black of a new window."""
        image = x11.XGetImage(self.display, self.root, self.width // 2 - 100, self.height // 2 - 100, 200, 200,
                              0xFFFFFFFF, 2)
        if not image:
            return False
        shown = any(x11.XGetPixel(image, x, y) & 0xFFFFFF for x in range(0, 200, 7) for y in range(0, 200, 7))
        x11.XDestroyImage(image)
        return shown


def processor_seconds(pid):
    with open(f"/proc/{pid}/stat") as stat:
        fields = stat.read().rsplit(")", 1)[1].split()
    return (int(fields[11]) + int(fields[12])) / TICKS  # utime and stime


def resident_kib(pid):
    with open(f"/proc/{pid}/status") as status:
        for line in status:
            if line.startswith("VmRSS:"):
                return int(line.split()[1])
    return 0


def xdotool(*args):
    subprocess.run(["xdotool", *args], check=False)


class Program:
    def __init__(self, build):
        self.folder = tempfile.mkdtemp(prefix="space-bench-")
        shutil.copy(os.path.join(build, "space"), self.folder)
        shutil.copytree(os.path.join(build, "img"), os.path.join(self.folder, "img"))
        for name in os.listdir(build):
            if name.endswith(".wav"):
                shutil.copy(os.path.join(build, name), self.folder)
        self.process = None

    def start(self, extra_environment=None, arguments=()):
        environment = dict(os.environ, SDL_AUDIODRIVER="dummy", **(extra_environment or {}))
        started = time.monotonic()
        self.process = subprocess.Popen(["./space", *arguments], cwd=self.folder, env=environment,
                                        stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        return started

    def stop(self):
        if self.process and self.process.poll() is None:
            self.process.terminate()
            self.process.wait(10)
        shutil.rmtree(self.folder, ignore_errors=True)


def start_fight():
    """From the menu into a mission, past its approach, firing weapon 4 with Space held."""
    # "Starten" lies 75 pixels above the pointer's start in the middle of the screen.
    xdotool("mousemove_relative", "--", "0", "-75")
    time.sleep(0.2)
    xdotool("mousedown", "1")
    time.sleep(0.2)
    xdotool("mouseup", "1")
    time.sleep(5)  # the approach
    xdotool("keydown", "4")
    xdotool("keyup", "4")
    xdotool("keydown", "space")


def first_frame(build, screen, arguments):
    program = Program(build)
    try:
        started = program.start(arguments=arguments)
        while not screen.menu_shown():
            if program.process.poll() is not None:
                sys.exit("program_bench: the program ended before its menu showed")
            if time.monotonic() - started > 30:
                sys.exit("program_bench: no menu within 30 s")
        return (time.monotonic() - started) * 1000
    finally:
        program.stop()


def menu_and_mission(build, screen, seconds, arguments):
    program = Program(build)
    try:
        program.start(arguments=arguments)
        while not screen.menu_shown():
            time.sleep(0.01)
        time.sleep(1)
        pid = program.process.pid
        before = processor_seconds(pid)
        time.sleep(seconds)
        menu_share = (processor_seconds(pid) - before) / seconds * 100
        start_fight()
        before = processor_seconds(pid)
        time.sleep(seconds)
        mission_ms = (processor_seconds(pid) - before) / (seconds * 41) * 1000  # per step: 41 a second
        resident = resident_kib(pid)
        xdotool("keyup", "space")
        return menu_share, mission_ms, resident
    finally:
        program.stop()


def main():
    if len(sys.argv) < 2:
        sys.exit(__doc__)
    arguments = sys.argv[sys.argv.index("--") + 1:] if "--" in sys.argv else []
    own = sys.argv[:sys.argv.index("--")] if "--" in sys.argv else sys.argv
    build = own[1]
    runs = int(own[2]) if len(own) > 2 else 10
    screen = Screen()
    print(f"{runs} runs under a {screen.width} x {screen.height} screen, "
          f"SDL_RENDER_DRIVER={os.environ.get('SDL_RENDER_DRIVER', '(not set)')}")
    times = [first_frame(build, screen, arguments) for _ in range(runs)]
    print("first menu frame after start:   median %6.0f ms  p99 %6.0f ms" % percentiles(times))
    shares, frames, memory = [], [], []
    for _ in range(max(1, runs // 5)):
        share, frame, resident = menu_and_mission(build, screen, 10, arguments)
        shares.append(share)
        frames.append(frame)
        memory.append(resident / 1024)
    print("menu, processor share of a core: median %6.1f %%  p99 %6.1f %%" % percentiles(shares))
    print("mission under fire, processor time per step (10 s average): median %5.2f ms  p99 %5.2f ms"
          % percentiles(frames))
    print("mission, resident memory:       median %6.1f MB  p99 %6.1f MB" % percentiles(memory))


if __name__ == "__main__":
    main()
