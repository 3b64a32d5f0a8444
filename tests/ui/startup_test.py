"""Start-up: the title, the two lines, the empty framed board pixel for pixel, the fixed size,
a board, "Cancel" and "Play" that do nothing before a game, and a second copy of the game that
is a program of its own."""

import harness
import board_model as model
from Xlib import Xatom


def test_start_up(game):
    assert game.app.get_name() == "zarvo"
    assert game.find_named(harness.Atspi.Role.FRAME, "Zarvo")
    game.wait_text("score_label", "You (red): 0 CPU (blue) : 0")
    assert game.text("status_label") == ":-)"

    # The first paint may follow the window's mapping by a moment.
    game.wait_for(lambda: model.board_matches(game, {}, set()), 5, "the empty board painted")
    shot = game.board_shot()
    # a8, dark, is the top-left square; the frame takes the text colour of the theme.
    assert shot.pixel(30, 30) == model.DARK
    assert shot.pixel(54, 30) == model.LIGHT
    frame = shot.pixel(27, 27)
    background = shot.pixel(0, 0)
    assert frame == "#2e3436", frame
    assert background != frame and background not in (model.DARK, model.LIGHT)
    picture = model.expected_board({}, False, set(), frame, background)
    wrong = model.compare(shot, picture)
    assert not wrong, "\n".join(wrong)

    # The window cannot be resized: its size hints pin one size.
    hints = game.window.get_wm_normal_hints()
    geometry = game.window.get_geometry()
    assert (hints.min_width, hints.min_height) == (hints.max_width, hints.max_height)
    assert (hints.min_width, hints.min_height) == (geometry.width, geometry.height)
    assert geometry.width == 252, geometry.width

    # Before any game, clicks on the board and both buttons change nothing.
    game.click_square("c3")
    game.click_square("c4")
    game.click_id("cancel_button")
    game.click_id("play_button")
    game.click_square("e2", button=3)
    game.sync()
    game.wait_for(lambda: not model.compare(game.board_shot(), picture), 5, "the board unchanged")
    assert game.text("status_label") == ":-)"
    assert game.text("score_label") == "You (red): 0 CPU (blue) : 0"


def test_second_copy_is_its_own_program(game):
    second = harness.Game(game.binary)
    try:
        assert second.proc.pid != game.proc.pid
        assert second.window.id != game.window.id
        second.menu("Game", "Start new game")
        second.wait_text("status_label", "You play...")
        # The first copy is still idle, and still answers.
        assert game.text("status_label") == ":-)"
        second.menu("Game", "Exit")
        assert second.wait_exit() == 0
        second.check_no_criticals()
        game.sync()
        assert game.proc.poll() is None
    finally:
        second.stop()


harness.run(test_start_up, test_second_copy_is_its_own_program)
