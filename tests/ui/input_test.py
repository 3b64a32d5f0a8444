"""Move input in the real window: markers follow the clicks, "Cancel" takes back the last
square, an illegal path is dropped without a message, clicks in the margin do nothing, any
mouse button clicks, a double click adds a square once, and Escape while the computer thinks
leaves the window answering."""

import harness
import board_model as model
import dialog_support as ds


def expect_marks(game, marked, what):
    game.wait_for(lambda: model.marked_squares(game.board_shot(), False) == set(marked), 5, what)
    game.sync()
    assert model.marked_squares(game.board_shot(), False) == set(marked), what
    game.wait_for(lambda: model.board_matches(game, model.START, marked), 5, what)


def start(game):
    game.menu("Game", "Start new game")
    game.wait_text("status_label", "You play...")


def test_cancel_takes_back_one_square(game):
    start(game)
    game.click_square("c3")
    game.click_square("c4")
    expect_marks(game, {"c3", "c4"}, "the path c3c4")
    game.click_id("cancel_button")
    expect_marks(game, {"c3"}, "c4 taken back")
    game.click_id("cancel_button")
    expect_marks(game, set(), "the path emptied")
    game.click_id("cancel_button")
    expect_marks(game, set(), "cancel on an empty path")
    # With the path empty, a click on an empty square starts nothing.
    game.click_square("c4")
    expect_marks(game, set(), "no path from an empty square")


def test_illegal_path_is_dropped_silently(game):
    start(game)
    game.click_square("c3")
    game.click_square("c5")
    expect_marks(game, {"c3", "c5"}, "the path c3c5")
    game.click_id("play_button")
    expect_marks(game, set(), "the path dropped")
    assert game.text("status_label") == "You play..."
    assert game.text("score_label") == "You (red): 16 CPU (blue) : 16"
    # The start square alone is no move either.
    game.click_square("d2")
    game.click_id("play_button")
    expect_marks(game, set(), "a lone start square dropped")
    assert game.text("status_label") == "You play..."


def test_margin_clicks_are_ignored(game):
    start(game)
    game.click_square("c3")
    for x, y in [(5, 5), (29, 100), (100, 29), (222, 100), (100, 222), (250, 250), (27, 27)]:
        game.click_board(x, y)
    expect_marks(game, {"c3"}, "margin clicks ignored")
    # The first and last pixels of the squares still count: (30, 30) is a8, (221, 221) h1.
    game.click_board(30, 30 + 24 * 4)  # a4, empty: appended
    game.click_board(221, 30 + 24 * 4)  # h4
    expect_marks(game, {"c3", "a4", "h4"}, "edge pixels of the squares")


def test_any_button_and_double_clicks(game):
    start(game)
    game.click_square("c3", button=3)
    game.click_square("c4", button=2)
    expect_marks(game, {"c3", "c4"}, "right and middle buttons")
    # A double click on a path square adds nothing; one on an enemy piece neither.
    game.click_square("c4")
    game.click_square("c4")
    game.click_square("c6")
    game.click_id("cancel_button")
    expect_marks(game, {"c3"}, "one cancel after the double click")
    # Another own piece restarts the path from there.
    game.click_square("e3")
    expect_marks(game, {"e3"}, "the path restarted on e3")


# A Turkish position with two blue kings, red (the human) to move: after g4f4 Hard weighs some
# 780,000 moves, and the Expert thinks for its whole second.
KINGS = "...X..../......x./.......x/.......x/......o./..o....o/X......./........"


def test_escape_while_the_computer_thinks(game):
    for level in (3, 4):
        ds.write_save(game, 2, level, 1, model.parse_position(KINGS))
        game.menu("Game", "Load game")
        game.wait_text("status_label", "You play...")
        game.click_square("g4")
        game.click_square("f4")
        # Escape goes on the same connection right after Play, so it arrives while the computer
        # thinks; the window must go on answering (a menu opens and closes) and the move come.
        game.click_id("play_button")
        game.press_key("Escape")
        game.sync()
        game.wait_text("status_label", "You play...", timeout=20)


harness.run(test_cancel_takes_back_one_square, test_illegal_path_is_dropped_silently,
            test_margin_clicks_are_ignored, test_any_button_and_double_clicks,
            test_escape_while_the_computer_thinks)
