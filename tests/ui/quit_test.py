"""Quitting: "Exit" and the close button end the program with status 0, idle or in the middle
of a game, and closing the window while the computer thinks waits for the search, then exits
with status 0, without a critical and without drawing on a destroyed window."""

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


def test_close_while_the_search_runs(game):
    # Hard makes the search long enough to close the window in the middle of it.
    game.menu("Options", "Set options")
    game.click_node(game.find_named(harness.Atspi.Role.RADIO_BUTTON, "Hard"))
    game.click_node(game.find_named(harness.Atspi.Role.PUSH_BUTTON, "OK"))
    game.menu("Game", "Start new game")
    game.wait_text("status_label", "You play...")
    game.click_square("c3")
    game.click_square("c4")
    game.sync()
    game.click_id("play_button")
    # The program answers the accessibility bus only while it handles events, so reading
    # "Computer plays..." means the search is under way and pumping.
    game.wait_text("status_label", "Computer plays...", timeout=10)
    game.close_window()
    assert game.wait_exit(60) == 0
    line = quit_line(game)
    assert line, game.stderr()
    assert line[line.index("in-command") + 1] == "1", line
    # Round 1 is the pump before the search; later rounds are the search's own.
    assert int(line[line.index("event-round") + 1]) >= 2, line


harness.run(test_exit_menu_when_idle, test_close_button_in_a_game, test_close_right_after_play,
            test_close_while_the_search_runs, extra_env=FIGURES)
