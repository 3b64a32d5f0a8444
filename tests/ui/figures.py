"""Prints the window's figures, measured on the real program in a private X server:

- the time from launching the program to the end of its first paint of the board, and its
  resident memory once the window is up and idle, for the first program on a new X server and
  for a usual start;
- over a game at Hard, for every computer move, how long the move took and the longest
  stretch during which the window handled no events.

Usage: /usr/bin/python3 tests/ui/figures.py path/to/zarvo [computer moves, default 30]

The program prints its side of the figures on standard error when ZARVO_FIGURES is set; this
script plays simple legal Greek moves for the human (a step, or a single capture when no step is
left) read from screenshots of the board, so it needs no rules of its own beyond those.
"""

import statistics
import sys

import harness

CENTRE = {"#ff7777": "o", "#ff0000": "O", "#7777ff": "x", "#0000ff": "X"}
FINAL = ("You win !", "Computer wins !", "No winner !")


def read_board(game):
    shot = game.board_shot()
    board = {}
    for row in range(8):
        for column in range(8):
            x, y = game.square_origin("abcdefgh"[column] + str(8 - row))
            code = CENTRE.get(shot.pixel(x + 12, y + 12))
            if code:
                board[(row, column)] = code
    return board


def human_move(board):
    """A legal Greek move for red, the human: a step if any, else a single capture."""
    def name(row, column):
        return "abcdefgh"[column] + str(8 - row)

    def on_board(row, column):
        return 0 <= row < 8 and 0 <= column < 8

    jumps = []
    for (row, column), code in sorted(board.items()):
        if code.upper() != "O":
            continue
        directions = [(0, -1), (-1, 0), (0, 1)] + ([(1, 0)] if code == "O" else [])
        for dr, dc in directions:
            r, c = row + dr, column + dc
            if on_board(r, c) and (r, c) not in board:
                return name(row, column) + name(r, c)
            r2, c2 = r + dr, c + dc
            if (on_board(r2, c2) and board.get((r, c), "o").upper() == "X"
                    and (r2, c2) not in board):
                jumps.append(name(row, column) + name(r2, c2))
    return jumps[0] if jumps else None


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
    moves = int(sys.argv[2]) if len(sys.argv) > 2 else 30
    game.menu("Options", "Set options")
    game.click_node(game.find_named(harness.Atspi.Role.RADIO_BUTTON, "Hard"))
    game.click_node(game.find_named(harness.Atspi.Role.PUSH_BUTTON, "OK"))
    game.menu("Game", "Start new game")
    game.wait_text("status_label", "You play...")
    while len(figure_lines(game, "command")) < moves + 1:
        if game.text("status_label") in FINAL:
            break
        move = human_move(read_board(game))
        if move is None:
            break
        done = len(figure_lines(game, "command"))
        for i in range(0, len(move), 2):
            game.click_square(move[i:i + 2])
        game.click_id("play_button")
        game.wait_for(lambda: len(figure_lines(game, "command")) > done, 60,
                      "the computer's answer")
    # The first command line is "Start new game", where the human moved first.
    turns = figure_lines(game, "command")[1:]
    gaps = [value(t, "longest-without-events-ms") for t in turns]
    times = [value(t, "ms") for t in turns]
    print("computer moves at Hard: %d, status now %r" % (len(turns), game.text("status_label")))
    print("time per computer move: median %.1f ms, longest %.1f ms"
          % (statistics.median(times), max(times)))
    print("longest stretch without handling events: %.1f ms (median per move %.1f ms)"
          % (max(gaps), statistics.median(gaps)))


harness.run(first_copy, measure, extra_env={"ZARVO_FIGURES": "1"})
