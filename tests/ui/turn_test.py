"""Turns in the real window: a whole turn by clicks ("Start new game", c3 then c4, "Play"; the
man moves, the computer answers with a legal reply, marked, and the human is to move again), the
board turned upside down when the computer moves first, and the end of a game."""

import os

import harness
import board_model as model


def wait_board(game, board, marked, what):
    game.wait_for(lambda: model.board_matches(game, board, marked), 5, what)


def test_whole_turn(game):
    game.menu("Game", "Start new game")
    game.wait_text("status_label", "You play...")
    assert game.text("score_label") == "You (red): 16 CPU (blue) : 16"
    wait_board(game, model.START, set(), "the starting position")

    game.click_square("c3")
    wait_board(game, model.START, {"c3"}, "a marker on c3")
    game.click_square("c4")
    wait_board(game, model.START, {"c3", "c4"}, "markers on c3 and c4")

    game.click_id("play_button")
    after_human = dict(model.START)
    after_human["c4"] = after_human.pop("c3")

    # Blue's only replies move one man from rank 6 down to rank 5.
    def computer_moved():
        marked = model.marked_squares(game.board_shot(), False)
        return marked if marked and marked != {"c3", "c4"} else None
    marked = game.wait_for(computer_moved, 10, "the computer's move marked")
    files = {square[0] for square in marked}
    assert len(marked) == 2 and len(files) == 1, marked
    column = files.pop()
    assert marked == {column + "6", column + "5"}, marked
    expected = dict(after_human)
    expected[column + "5"] = expected.pop(column + "6")
    wait_board(game, expected, marked, "the board after the computer's move")
    game.wait_text("status_label", "You play...")
    assert game.text("score_label") == "You (red): 16 CPU (blue) : 16"


def test_computer_moves_first_on_a_turned_board(game):
    size = game.window.get_geometry()
    game.menu("Options", "Set options")
    cpu_first = game.find_named(harness.Atspi.Role.CHECK_BOX, "CPU plays first" + " " * 12)
    game.click_node(cpu_first)
    game.click_node(game.find_named(harness.Atspi.Role.PUSH_BUTTON, "OK"))
    game.menu("Game", "Start new game")
    game.wait_text("status_label", "You play...", timeout=10)
    assert game.text("score_label") == " CPU (red): 16 You (blue): 16"
    assert game.flipped()
    # Red, the computer, opened with one man from rank 3 to rank 4 (the repaint may follow the
    # status line by a moment).
    marked = game.wait_for(lambda: model.marked_squares(game.board_shot(), True), 5,
                           "the computer's opening marked")
    shot = game.board_shot()
    # Rank 1 is at the top: a1, light, at the top left; a8, dark, at the bottom left.
    assert shot.pixel(30, 30) == model.LIGHT
    assert shot.pixel(30, 30 + 7 * 24) == model.DARK
    column = {square[0] for square in marked}
    assert len(marked) == 2 and len(column) == 1, marked
    column = column.pop()
    assert marked == {column + "3", column + "4"}, marked
    expected = dict(model.START)
    expected[column + "4"] = expected.pop(column + "3")
    wait_board(game, expected, marked, "the computer's opening on the turned board")
    # The longer score line leaves the window its size.
    now = game.window.get_geometry()
    assert (now.width, now.height) == (size.width, size.height)
    # The human's blue men start at the bottom and move up the screen: c6 to c5.
    game.click_square("c6")
    game.click_square("c5")
    wait_board(game, expected, {"c6", "c5"}, "the blue path marked")


def write_saved_game(game, first_player, level, variant, position):
    board = model.parse_position(position)
    squares = bytes(ord(board.get(model.square_name(r, c), " ")) for r in range(8)
                    for c in range(8))
    with open(os.path.join(game.workdir, "zarvo.dat"), "wb") as f:
        f.write(bytes([first_player, level, variant]) + squares)


def test_human_takes_the_last_piece(game):
    position = "......../......../......../......../..x...../..o...../......../........"
    write_saved_game(game, 2, 1, 0, position)
    game.menu("Game", "Load game")
    game.wait_text("status_label", "You play...")
    assert game.text("score_label") == "You (red): 1 CPU (blue) : 1"
    game.click_square("c3")
    game.click_square("c5")
    game.click_id("play_button")
    game.wait_text("status_label", "You win !")
    assert game.text("score_label") == "You (red): 1 CPU (blue) : 0"
    wait_board(game, {"c5": "o"}, {"c3", "c5"}, "the final position, the capture marked")
    # The game is over: clicks and both buttons do nothing.
    game.click_square("c5")
    game.click_square("c6")
    game.click_id("cancel_button")
    game.click_id("play_button")
    game.sync()
    wait_board(game, {"c5": "o"}, {"c3", "c5"}, "the final position unchanged")
    assert game.text("status_label") == "You win !"


def test_board_without_pieces_ends_at_once(game):
    write_saved_game(game, 1, 2, 1, "/".join(["........"] * 8))
    game.menu("Game", "Load game")
    game.wait_text("status_label", "No winner !")
    assert game.text("score_label") == " CPU (red): 0 You (blue): 0"


harness.run(test_whole_turn, test_computer_moves_first_on_a_turned_board,
            test_human_takes_the_last_piece, test_board_without_pieces_ends_at_once)
