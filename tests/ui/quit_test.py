"""Quitting: "Exit" and the close button end the program with status 0, idle or in the middle
of a game, and closing the window while the computer thinks stops its search and exits at once,
with status 0 and without a critical."""

import os
import time

import board_model as model
import harness

FIGURES = {"ZARVO_FIGURES": "1"}


def figure(game, name):
    """The numbers after a figures line's name, as {word: value}."""
    for line in game.stderr().splitlines():
        if line.startswith("figures: " + name):
            words = line.split()[2:]
            return dict(zip(words[::2], (int(v) for v in words[1::2])))
    return None


def test_exit_menu_when_idle(game):
    game.menu("Game", "Exit")
    assert game.wait_exit() == 0


def test_close_button_in_a_game(game):
    game.menu("Game", "Start new game")
    game.wait_text("status_label", "You play...")
    game.click_square("c3")
    game.close_window()
    assert game.wait_exit() == 0


# A Turkish position with two blue kings, saved with the human (red) to move at Hard: after
# g4f4 the computer weighs some 780,000 moves.
KINGS = "...X..../......x./.......x/.......x/......o./..o....o/X......./........"


def test_close_while_the_computer_thinks(game):
    board = model.parse_position(KINGS)
    squares = bytes(ord(board.get(model.square_name(r, c), " ")) for r in range(8)
                    for c in range(8))
    with open(os.path.join(game.workdir, "zarvo.dat"), "wb") as f:
        f.write(bytes([2, 3, 1]) + squares)
    game.menu("Game", "Load game")
    game.wait_text("status_label", "You play...")
    game.click_square("g4")
    game.click_square("f4")
    game.sync()
    game.click_id("play_button")
    # The window answers while the computer thinks, so the status line can be read and the
    # close sent at once.
    game.wait_text("status_label", "Computer plays...", timeout=10)
    sent = time.monotonic()
    game.close_window()
    assert game.wait_exit(10) == 0
    exited = time.monotonic()
    quit_note = figure(game, "quit-requested")
    exit_note = figure(game, "exit")
    assert quit_note and exit_note, game.stderr()
    print("close to exit: %.1f ms seen from outside, %.1f ms inside the program "
          "(computer thinking at the close: %s)"
          % (1000 * (exited - sent), (exit_note["monotonic-ns"] - quit_note["monotonic-ns"]) / 1e6,
             "yes" if quit_note["thinking"] else "no"))


harness.run(test_exit_menu_when_idle, test_close_button_in_a_game,
            test_close_while_the_computer_thinks, extra_env=FIGURES)
