"""Prints the window's figures, measured on the real program in a private X server: the time
from launching the program to the end of its first paint of the board, and its resident memory
once the window is up and idle, for the first program on a new X server and for a usual start;
then, for the computer's animated replies, the frames painted, the longest paint and the longest
gap between two paints.

Usage: /usr/bin/python3 tests/ui/figures.py path/to/zarvo

The program prints its side of the figures on standard error when ZARVO_FIGURES is set.
"""

import dialog_support as ds
import harness
from dialog_support import read_board


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
    # The computer opens and answers five times, each reply shown travelling.
    game.menu("Options", "Set options")
    game.click_id("cpu_first")
    game.click_id("options_ok")
    game.menu("Game", "Start new game")
    for _ in range(5):
        done = len(figure_lines(game, "animation"))
        game.wait_for(lambda: len(figure_lines(game, "animation")) > done, 20, "a reply")
        game.wait_text("status_label", "You play...")
        board = read_board(game)
        move = next((m for m in ds.legal_moves(game, board, "X", "greek")), None)
        if move is None:
            break
        for square in ds.squares_of(move):
            game.click_square(square)
        game.click_id("play_button")
    for line in figure_lines(game, "animation"):
        print("animated reply: %d frames, longest paint %.2f ms, longest gap between paints "
              "%.1f ms" % (value(line, "frames"), value(line, "longest-paint-us") / 1000,
                           value(line, "longest-gap-us") / 1000))


harness.run(first_copy, measure, extra_env={"ZARVO_FIGURES": "1"})
