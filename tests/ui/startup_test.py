"""Start-up: the title, the two lines, the empty framed board pixel for pixel, the fixed size,
and a board, "Cancel" and "Play" that do nothing before a game."""

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


harness.run(test_start_up)
