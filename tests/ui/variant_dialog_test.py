"""The variant dialog: its title, widgets and starting state, closing from the frame writing
nothing back, and "Turkish Draughts" taking effect at the next game, where a capture is then
compulsory: a plain move is refused while a capture is on the board."""

import harness
import board_model as model
import dialog_support as ds
from dialog_support import ROLE


def open_variant(game):
    game.menu("Options", "Set variant")
    dialog = game.find("variant_dialog")
    assert dialog.get_role() == ROLE.DIALOG and dialog.get_name() == "Game variant"
    return dialog


def chosen(game):
    return [name for name in ("variant_greek", "variant_turkish")
            if ds.is_checked(game.find(name))]


def enter(game, move):
    for square in ds.squares_of(move):
        game.click_square(square)


def wait_human_turn(game, *before):
    """Waits for the computer's reply to show and returns the position on screen: one that
    differs from the positions before and after the human's move."""
    def replied():
        if game.text("status_label") != "You play...":
            return None
        board = ds.try_read_board(game)
        return board if board and board not in before else None
    return game.wait_for(replied, 20, "the computer's reply")


def blue_count(board):
    return sum(1 for code in board.values() if code in "xX")


def capture_compulsory(game, board, side):
    """Whether the side has a capture besides plain moves: the Turkish list then lacks some
    moves of the Greek one."""
    return ds.legal_moves(game, board, side, "turkish") != ds.legal_moves(game, board, side,
                                                                           "greek")


def choose_move(game, board, moves, turn):
    """A move after which red has a compulsory capture whatever blue replies, if there is one;
    else one that gives blue nothing to take, so the men close in without losses."""
    safe = []
    for move in moves:
        after = ds.apply_move(game, board, move, "turkish")
        replies = ds.legal_moves(game, after, "X", "turkish")
        if replies and all(capture_compulsory(game, ds.apply_move(game, after, r, "turkish"),
                                              "O") for r in replies):
            return move
        if not capture_compulsory(game, after, "X"):
            safe.append(move)
    candidates = safe or moves
    return candidates[turn % len(candidates)]


def test_turkish_makes_captures_compulsory(game):
    dialog = open_variant(game)
    assert ds.dialog_contents(dialog) == [
        (ROLE.LABEL, "Select variant:"), (ROLE.RADIO_BUTTON, "Zarvo"),
        (ROLE.RADIO_BUTTON, "Turkish Draughts"), (ROLE.PUSH_BUTTON, "OK")]
    assert chosen(game) == ["variant_greek"]
    ds.assert_fixed_size(ds.x_window(game, "Game variant"))

    # Closing from the frame keeps Zarvo.
    game.click_id("variant_turkish")
    game.wait_for(lambda: chosen(game) == ["variant_turkish"], 5, "Turkish chosen")
    ds.close_from_frame(game, ds.x_window(game, "Game variant"))
    ds.wait_gone(game, "variant_dialog")
    open_variant(game)
    assert chosen(game) == ["variant_greek"]

    game.click_id("variant_turkish")
    game.wait_for(lambda: chosen(game) == ["variant_turkish"], 5, "Turkish chosen")
    game.click_id("variant_ok")
    ds.wait_gone(game, "variant_dialog")
    open_variant(game)
    assert chosen(game) == ["variant_turkish"]
    game.click_id("variant_ok")
    ds.wait_gone(game, "variant_dialog")

    game.menu("Game", "Start new game")
    game.wait_text("status_label", "You play...")
    game.wait_for(lambda: ds.try_read_board(game) == model.START, 5, "the starting position")
    board = model.START
    # Walk men up the board until the computer leaves a capture on it; the position on screen
    # is read back each turn, and the rules engine's own lists say what is legal.
    for turn in range(20):
        turkish = ds.legal_moves(game, board, "O", "turkish")
        greek = ds.legal_moves(game, board, "O", "greek")
        plain = [m for m in greek if m not in turkish]
        if plain:
            break
        move = choose_move(game, board, turkish, turn)
        enter(game, move)
        game.click_id("play_button")
        board = wait_human_turn(game, board, ds.apply_move(game, board, move, "turkish"))
    else:
        raise AssertionError("no capture came up in twenty turns")
    print("capture on the board after %d moves: %s, not %s" % (turn, turkish, plain[0]))

    # A plain move is a whole legal move in the Greek game but refused here: the path is
    # dropped, the board and the turn stay.
    enter(game, plain[0])
    game.click_id("play_button")
    game.sync()
    game.wait_for(lambda: not model.marked_squares(game.board_shot(), False), 5,
                  "the refused path to be dropped")
    assert ds.read_board(game) == board
    assert game.text("status_label") == "You play..."

    capture = turkish[0]
    enter(game, capture)
    game.click_id("play_button")
    after = ds.apply_move(game, board, capture, "turkish")
    blue_before = blue_count(board)
    assert blue_count(after) < blue_before
    # Blue never gains pieces, so fewer on screen means the capture was played.
    game.wait_for(lambda: blue_count(ds.read_board(game)) <= blue_count(after), 10,
                  "the capture to be played")


harness.run(test_turkish_makes_captures_compulsory)
