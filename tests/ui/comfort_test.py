"""Playing comfort through the real window: take back and replay, a hint, legal moves shown,
complete moves played at once, an animated reply, the move list, zoom and a screen at scale 2,
two players, a game ended by repetition, and a damaged preferences file."""

import os
import time

import board_model as model
import dialog_support as ds
import harness
from harness import Atspi

ROLE = Atspi.Role
HINT_GREEN = "#009e00"


def prefs(text):
    """Puts a preferences file in place before the program starts."""
    def prepare(workdir):
        os.makedirs(os.path.join(workdir, "config", "zarvo"))
        with open(os.path.join(workdir, "config", "zarvo", "preferences.ini"), "wb") as f:
            f.write(text)
    return prepare


def fresh(game, prepare):
    """The program started afresh, after `prepare` has set up its folder: the copy running is
    closed first, as a second start in one session would only bring its window forward."""
    game.stop()
    return harness.Game(game.binary, prepare=prepare)


def toggle(game, title, item):
    """Clicks a check item of a menu."""
    game.click_node(game.find_named(ROLE.MENU, title))
    entry = game.find_named(ROLE.CHECK_MENU_ITEM, item)
    game.click_node(entry)
    game.wait_for(lambda: not harness.is_showing(entry), 5, "the menu to close")


def checked(game, item):
    return ds.is_checked(game.find_named(ROLE.CHECK_MENU_ITEM, item))


def sensitive(game, item):
    return ds.states(game.find_named(ROLE.MENU_ITEM, item)).contains(Atspi.StateType.SENSITIVE)


def load(game, first_player, level, variant, pos):
    board = model.parse_position(pos)
    ds.write_save(game, first_player, level, variant, board)
    game.menu("Game", "Load game")
    game.wait_for(lambda: ds.try_read_board(game) == board, 5, "the loaded position")
    return board


def test_take_back_and_replay_after_a_capture(game):
    start = load(game, 2, 1, 0, "......../xxx...../......../......../..x...../..o...../oo....../........")
    assert not sensitive(game, "Take back move") and not sensitive(game, "Replay move")
    ds.play(game, "c3c5")
    after_capture = ds.apply_move(game, start, "c3c5", "greek")
    answered = ds.wait_reply(game, after_capture)
    assert sensitive(game, "Take back move")
    game.menu("Game", "Take back move")
    game.wait_for(lambda: ds.try_read_board(game) == start, 5, "the position before the capture")
    assert game.text("status_label") == "You play..."
    assert sensitive(game, "Replay move")
    game.menu("Game", "Replay move")
    game.wait_for(lambda: ds.try_read_board(game) == answered, 5, "the capture and reply again")
    assert not sensitive(game, "Replay move")


def test_hint_shown_and_cleared(game):
    game.menu("Game", "Start new game")
    game.wait_text("status_label", "You play...")
    game.menu("Game", "Hint")
    text = game.wait_for(lambda: game.text("status_label").startswith("Hint: ") and
                         game.text("status_label"), 10, "the hint")
    source, target = text[len("Hint: "):].split("-")
    for square in (source, target):
        x, y = game.square_origin(square)
        game.wait_for(lambda: game.board_shot().pixel(x + 1, y) == HINT_GREEN, 5,
                      "the hint's green on " + square)
    game.click_square(source)
    game.wait_text("status_label", "You play...")
    x, y = game.square_origin(target)
    game.wait_for(lambda: game.board_shot().pixel(x + 1, y) != HINT_GREEN, 5, "the hint to go")


def gold_pixels(shot, game, square):
    x, y = game.square_origin(square)
    count = 0
    for dy in range(24):
        for dx in range(24):
            r, g, b = shot.rgb(x + dx, y + dy)
            count += 1 if r > 200 and 140 < g < 210 and b < 80 else 0
    return count


def test_legal_moves_outlined_when_a_capture_is_compulsory(game):
    toggle(game, "Options", "Show legal moves")
    # Turkish: c3 must take c4; f2 could step, but may not.
    load(game, 2, 1, 1, "......../xxx...../......../......../..x...../..o...../.....o../........")
    shot = game.wait_for(lambda: (lambda s: s if gold_pixels(s, game, "c3") else None)(
        game.board_shot()), 5, "the outline of c3")
    assert gold_pixels(shot, game, "f2") == 0
    game.click_square("c3")
    game.wait_for(lambda: gold_pixels(game.board_shot(), game, "c5") > 0, 5, "the dot on c5")
    assert gold_pixels(game.board_shot(), game, "c3") == 0
    assert checked(game, "Show legal moves")


def test_complete_move_played_at_once(game):
    toggle(game, "Options", "Play complete moves at once")
    game.menu("Game", "Start new game")
    game.wait_text("status_label", "You play...")
    game.click_square("c3")
    game.click_square("c4")
    board = ds.wait_reply(game, model.START)
    assert board.get("c4") == "o" and "c3" not in board


def test_animated_reply_shows_the_piece_half_way(game):
    # The computer opens as red: its man travels one square up, from rank 3 to rank 4.
    game.menu("Options", "Set options")
    game.click_id("cpu_first")
    game.click_id("options_ok")
    ds.wait_gone(game, "options_dialog")
    frames = []
    game.menu("Game", "Start new game")
    deadline = time.monotonic() + 5
    while time.monotonic() < deadline and game.text("status_label") != "You play...":
        frames.append(game.board_shot())
    board = ds.read_board(game)
    column = next(c for c in "abcdefgh" if board.get(c + "4") == "o")
    x, y = game.square_origin(column + "4")
    # Rank 1 is at the top: rank 3 lies just above rank 4, and half-way the disc covers their
    # edge.
    edge = (x + 12, y)
    assert any(f.pixel(*edge) == "#ff7777" for f in frames), "no frame shows the piece half-way"
    game.wait_for(lambda: game.board_shot().pixel(*edge) != "#ff7777", 5, "the piece to arrive")


def list_cells(game):
    view = game.find("move_list_view")
    view.clear_cache()
    return [n.get_name() for n in ds.descendants(view) if n.get_role() == ROLE.TABLE_CELL]


def test_move_list_after_three_turns(game):
    game.menu("Game", "Start new game")
    game.wait_text("status_label", "You play...")
    board = model.START
    played = []
    for _ in range(3):
        move = next(m for m in ds.legal_moves(game, board, "O", "greek") if len(m) == 4)
        ds.play(game, move)
        played.append(move)
        board = ds.wait_reply(game, ds.apply_move(game, board, move, "greek"))
    toggle(game, "View", "Move list")
    cells = game.wait_for(lambda: len(list_cells(game)) >= 9 and list_cells(game), 5, "the list")
    assert cells[0::3] == ["1.", "2.", "3."], cells
    assert cells[1::3] == [m[:2] + "-" + m[2:] for m in played], cells
    assert all("-" in blue or "x" in blue for blue in cells[2::3]), cells
    # Choosing red's first move shows the position after it, read-only.
    view = game.find("move_list_view")
    first = next(n for n in ds.descendants(view) if n.get_name() == cells[1])
    game.click_node(first)
    after_first = ds.apply_move(game, model.START, played[0], "greek")
    game.wait_for(lambda: ds.try_read_board(game) == after_first, 5, "the position after 1.")
    game.click_square("a3")
    game.press_key("Escape")
    game.wait_for(lambda: ds.try_read_board(game) == board, 5, "the game again")


def assert_twice_as_large(shot, board):
    """Every pixel of the normal-size picture of `board` is a crisp 2x2 block in `shot`."""
    normal = model.expected_board(board, False, set(), shot.pixel(54, 54), shot.pixel(52, 52))
    for (x, y), colour in normal.items():
        for dx in (0, 1):
            for dy in (0, 1):
                assert shot.pixel(2 * x + dx, 2 * y + dy) == colour, (x, y, dx, dy)


def test_zoom_two_with_exact_pixels(game):
    game.menu("View", "Zoom in")
    game.wait_for(lambda: game.zoom() == 2, 5, "the board at twice its size")
    assert_twice_as_large(game.board_shot(), {})
    with open(os.path.join(game.workdir, "config", "zarvo", "preferences.ini")) as f:
        assert "zoom=2" in f.read()
    game.menu("View", "Normal size")
    game.wait_for(lambda: game.zoom() == 1, 5, "the board at its normal size")


def test_a_screen_at_scale_two_shows_the_pieces_crisply(game):
    game.menu("Game", "Start new game")
    game.wait_text("status_label", "You play...")
    assert game.zoom() == 1
    assert_twice_as_large(game.board_shot(), model.START)


test_a_screen_at_scale_two_shows_the_pieces_crisply.extra_env = {"GDK_SCALE": "2"}


def test_two_players_to_the_end(game):
    toggle(game, "Options", "Two players")
    load(game, 2, 1, 0, "......../......../..x...../......../......../..o...../......../........")
    game.wait_text("status_label", "Red plays...")
    assert game.text("score_label") == "Red: 1 Blue: 1"
    for move, next_text in (("c3c4", "Blue plays..."), ("c6c5", "Red plays..."),
                            ("c4c6", "Red wins !")):
        ds.play(game, move)
        game.wait_text("status_label", next_text)
    assert game.text("score_label") == "Red: 1 Blue: 0"


def test_repetition_ends_the_game(game):
    toggle(game, "Options", "Two players")
    load(game, 2, 1, 1, ".......X/......../......../......../......../......../......../O.......")
    for move in ("a1b1", "h8g8", "b1a1", "g8h8") * 2:
        assert game.text("status_label") in ("Red plays...", "Blue plays...")
        ds.play(game, move)
    game.wait_text("status_label", "No winner !")


def test_damaged_preferences_mean_the_defaults(game):
    for text in (b"\x00\xff\xfe junk [[[", b"[Zarvo]\nzoom=9\nanimate-moves=perhaps\n"):
        other = fresh(game, prefs(text))
        try:
            assert other.zoom() == 1
            assert checked(other, "Animate moves")
            for item in ("Show legal moves", "Play complete moves at once", "Two players"):
                assert not checked(other, item), item
            other.menu("Game", "Start new game")
            other.wait_text("status_label", "You play...")
            other.check_no_criticals()
        finally:
            other.stop()


harness.run(test_take_back_and_replay_after_a_capture, test_hint_shown_and_cleared,
            test_legal_moves_outlined_when_a_capture_is_compulsory,
            test_complete_move_played_at_once, test_animated_reply_shows_the_piece_half_way,
            test_move_list_after_three_turns, test_zoom_two_with_exact_pixels,
            test_a_screen_at_scale_two_shows_the_pieces_crisply,
            test_two_players_to_the_end, test_repetition_ends_the_game,
            test_damaged_preferences_mean_the_defaults)
