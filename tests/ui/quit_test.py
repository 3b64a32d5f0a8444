"""Quitting: "Exit" and the close button end the program with status 0, idle or in the middle
of a game, and closing the window while the computer thinks waits for the search, then exits
with status 0, without a critical and without drawing on a destroyed window."""

import os
import time

import board_model as model
import harness

FIGURES = {"ZARVO_FIGURES": "1"}


def quit_line(game):
    for line in game.stderr().splitlines():
        if line.startswith("figures: quit-requested"):
            return line.split()
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


def test_close_right_after_play(game):
    game.menu("Game", "Start new game")
    game.wait_text("status_label", "You play...")
    game.click_square("c3")
    game.click_square("c4")
    game.sync()
    # The click and the close go out in this order on one connection.
    game.click_id("play_button")
    game.close_window()
    assert game.wait_exit() == 0
    line = quit_line(game)
    assert line and line[line.index("in-command") + 1] == "1", game.stderr()


# A crowded Greek middlegame saved with the computer (red) to answer at Hard: its search takes
# long enough, and handles events often enough, to be closed in the middle.
CROWDED = "......../xxxxxxxx/.xxx.xxx/x..x..../..oo...o/oo..ooo./oooooooo/........"


def close_during_search(game):
    """Plays a5a4 in the crowded position and closes the window while the computer answers;
    returns the program's note of when the quit came."""
    board = model.parse_position(CROWDED)
    squares = bytes(ord(board.get(model.square_name(r, c), " ")) for r in range(8)
                    for c in range(8))
    with open(os.path.join(game.workdir, "zarvo.dat"), "wb") as f:
        f.write(bytes([1, 3, 0]) + squares)
    game.menu("Game", "Load game")
    game.wait_text("status_label", "You play...")
    game.click_square("a5")
    game.click_square("a4")
    game.sync()
    game.click_id("play_button")
    # The program answers the accessibility bus only while it handles events: reading
    # "Computer plays..." means the search is about to start. A short pause lets that round of
    # events end, so that the close comes in while the search runs.
    game.wait_text("status_label", "Computer plays...", timeout=10)
    time.sleep(0.02)
    game.close_window()
    assert game.wait_exit(60) == 0
    line = quit_line(game)
    assert line, game.stderr()
    return int(line[line.index("in-command") + 1]), int(line[line.index("event-round") + 1])


def test_close_while_the_search_runs(game):
    # Round 1 is the pump before the search; later rounds are the search's own. The timing is
    # the machine's, so a few fresh programs are tried; each must end cleanly whatever happens.
    notes = [close_during_search(game)]
    while notes[-1][0] == 0 or notes[-1][1] < 2:
        assert len(notes) < 5, "never closed during the search: %r" % notes
        extra = harness.Game(game.binary, FIGURES)
        try:
            notes.append(close_during_search(extra))
            extra.check_no_criticals()
        finally:
            extra.stop()
    print("quit noted (in command, event round):", notes)


harness.run(test_exit_menu_when_idle, test_close_button_in_a_game, test_close_right_after_play,
            test_close_while_the_search_runs, extra_env=FIGURES)
