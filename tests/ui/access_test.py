"""The game played from the keyboard alone and read back through the accessibility tree only:
a new game from its key, a move entered with the arrow keys, Space and Return, the focus square
framed around a piece without hiding it, and every square's name, the path's "selected" state and
the computer's move as a screen reader hears them; the board a table named "Board" whose cells
are the squares as the screen shows them."""

import dialog_support as ds
import harness
from harness import Atspi, xtest, X

FOCUS_BLUE = "#3584e4"


def squares(game):
    """{square name: (what stands there, description, states)} read from the board's children."""
    board = game.find("board")
    board.clear_cache()
    out = {}
    for i in range(board.get_child_count()):
        child = board.get_child_at_index(i)
        name, what = child.get_name().split(", ", 1)
        out[name] = (what, child.get_description(), child.get_state_set())
    return out


def test_a_move_from_the_keyboard_read_back_by_a_screen_reader(game):
    # Keys go to the window under the pointer.
    x, y, w, h = game.extents(game.find("status_label"))
    xtest.fake_input(game.x, X.MotionNotify, x=x + w // 2, y=y + h // 2)
    game.press_key("n", ctrl=True)
    game.wait_text("status_label", "You play...")
    before = squares(game)
    assert len(before) == 64
    assert before["c3"][0] == "red man" and before["c6"][0] == "blue man"
    assert before["e4"][0] == "empty" and before["a1"][0] == "empty"

    # The focus square starts at the bottom left, a1: two right and two up is c3.
    for name in ("Right", "Right", "Up", "Up"):
        game.press_key(name)
    game.wait_for(lambda: squares(game)["c3"][2].contains(Atspi.StateType.FOCUSED), 5,
                  "c3 focused")
    game.press_key("space")
    game.wait_for(lambda: squares(game)["c3"][2].contains(Atspi.StateType.SELECTED), 5,
                  "c3 in the path")
    assert squares(game)["c3"][1] == "in the path"
    # The frame around the focused piece leaves the piece whole.
    sx, sy = game.square_origin("c3")
    shot = game.board_shot()
    assert shot.pixel(sx, sy + 12) == FOCUS_BLUE, shot.pixel(sx, sy + 12)
    assert shot.pixel(sx + 12, sy + 12) == "#ff7777"

    game.press_key("Up")
    game.press_key("Return")
    game.wait_for(lambda: squares(game)["c4"][2].contains(Atspi.StateType.SELECTED), 5,
                  "c4 in the path")
    game.press_key("Return")
    game.wait_text("status_label", "Computer plays...", timeout=5)
    game.wait_text("status_label", "You play...", timeout=20)

    after = squares(game)
    assert after["c4"][0] == "red man" and after["c3"][0] == "empty"
    heard = game.find("board").get_description()
    assert heard.startswith("Computer plays "), heard
    move = heard[len("Computer plays "):]
    source, target = move.split("-")
    assert after[source][0] == "empty" and after[target][0] == "blue man", (move, after[target])
    assert "last move" in after[target][1]


def test_square_texts_stay_whole_while_a_screen_reader_reads_them(game):
    # The bridge reads a square's texts and states as it tells of their changes (here when the
    # board takes the focus); a text it is still reading must not be rewritten meanwhile, or
    # it reads freed memory (bad UTF-8 on standard error, an abort under AddressSanitizer).
    game.menu("Options", "Set options")
    game.click_id("level_hard")
    game.click_id("options_ok")
    game.menu("Game", "Start new game")
    game.wait_text("status_label", "You play...")
    game.click_square("c3")
    game.click_square("c4")
    game.click_id("play_button")
    # Clicks just after "Play" give the board the focus while the computer answers.
    for name in ("a3", "b3", "d3", "h3", "a4"):
        game.click_square(name)
    game.wait_text("status_label", "You play...", timeout=20)
    game.sync()
    for name, (what, description, _) in squares(game).items():
        assert what in ("red man", "blue man", "red king", "blue king", "empty"), (name, what)
        assert description.isprintable(), (name, description)


Table = Atspi.Table


def cell_names(board):
    """The squares' names by the table's rows and columns, top row first."""
    return [[Table.get_accessible_at(board, r, c).get_name().split(",")[0] for c in range(8)]
            for r in range(8)]


def cell_position(square):
    return tuple(Atspi.TableCell.get_position(square))[-2:]


def test_the_board_is_a_table_of_its_squares_as_shown(game):
    board = game.find("board")
    assert board.get_role() == Atspi.Role.TABLE, board.get_role()
    assert board.get_name() == "Board"
    assert (Table.get_n_rows(board), Table.get_n_columns(board)) == (8, 8)
    names = cell_names(board)
    assert names[0][0] == "a8" and names[7][7] == "h1" and names[7][2] == "c1", names
    c3 = board.get_child_at_index(5 * 8 + 2)
    assert c3.get_name().startswith("c3")
    assert cell_position(c3) == (5, 2), cell_position(c3)
    assert Table.get_row_description(board, 0) == "8"
    assert Table.get_column_description(board, 2) == "c"

    # The computer opens: rank 1 is at the top, and so in the table's first row.
    game.menu("Options", "Set options")
    game.click_id("cpu_first")
    game.click_id("options_ok")
    ds.wait_gone(game, "options_dialog")
    game.menu("Game", "Start new game")
    game.wait_text("status_label", "You play...", timeout=20)
    game.wait_for(lambda: cell_names(board)[0][0] == "a1", 5, "the table turned with the board")
    assert cell_names(board)[7] == [f + "8" for f in "abcdefgh"]
    assert cell_position(c3) == (2, 2), cell_position(c3)
    assert Table.get_row_description(board, 0) == "1"
    assert Table.get_index_at(board, 0, 0) == 7 * 8


harness.run(test_a_move_from_the_keyboard_read_back_by_a_screen_reader,
            test_square_texts_stay_whole_while_a_screen_reader_reads_them,
            test_the_board_is_a_table_of_its_squares_as_shown)
