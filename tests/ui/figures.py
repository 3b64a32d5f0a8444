"""Prints the window's start-up figures, measured on the real program in a private X server: the
time from launching the program to the end of its first paint of the board, and its resident
memory once the window is up and idle, for the first program on a new X server and for a usual
start.

Usage: /usr/bin/python3 tests/ui/figures.py path/to/zarvo

The program prints its side of the figures on standard error when ZARVO_FIGURES is set.
"""

import harness


def figure_lines(game, kind):
    return [line.split() for line in game.stderr().splitlines()
            if line.startswith("figures: " + kind)]


def value(fields, key):
    return float(fields[fields.index(key) + 1])


def resident_kib(game):
    with open("/proc/%d/status" % game.proc.pid) as status:
        return int(next(line.split()[1] for line in status if line.startswith("VmRSS")))


def start_up(game, label):
    first = figure_lines(game, "first-frame")[0]
    first_frame_ms = value(first, "monotonic-ns") / 1e6 - game.launched * 1e3
    # Idle: the resident size no longer changes.
    sizes = [resident_kib(game)]
    while len(sizes) < 3 or sizes[-1] != sizes[-3]:
        harness.time.sleep(0.1)
        sizes.append(resident_kib(game))
    print("%s: first frame %.1f ms after launch (%.1f ms after main began), resident memory "
          "after start-up %d KiB" % (label, first_frame_ms, value(first, "since-main-ms"),
                                      sizes[-1]))


def first_copy(game):
    # The first GTK program on a new X server also probes OpenGL (and loads Mesa) to choose
    # its visual; later programs find the choice stored on the server.
    start_up(game, "first program on a new X server")


def measure(game):
    start_up(game, "usual start")


harness.run(first_copy, measure, extra_env={"ZARVO_FIGURES": "1"})
