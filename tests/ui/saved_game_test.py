"""The saved game through the real window: saved on the human's turn and loaded in a later run
of the program with the same position, level, first player and variant; nothing saved before a
game or after its end; loaded games that end at once or at the human's capture; a failed save
reported; and damaged or missing files refused with the game left as it was."""

import os
import shutil

import harness
import board_model as model
import dialog_support as ds

LOAD_FAILED = "Could not load zarvo.dat"
SAVE_FAILED = "Could not save zarvo.dat"


def staged_settings(game):
    """(level on, CPU first, variant on) as the two dialogs show them; both closed with OK."""
    game.menu("Options", "Set options")
    level = [n for n in ("level_easy", "level_medium", "level_hard")
             if ds.is_checked(game.find(n))]
    first = ds.is_checked(game.find("cpu_first"))
    game.click_id("options_ok")
    ds.wait_gone(game, "options_dialog")
    game.menu("Options", "Set variant")
    rules = [n for n in ("variant_greek", "variant_turkish") if ds.is_checked(game.find(n))]
    game.click_id("variant_ok")
    ds.wait_gone(game, "variant_dialog")
    return level, first, rules


def test_save_quit_and_load_in_a_later_run(game):
    game.menu("Game", "Save game")
    game.sync()
    assert not os.path.exists(ds.save_path(game)), "saved before any game"

    game.menu("Options", "Set options")
    game.click_id("level_hard")
    game.click_id("cpu_first")
    game.click_id("options_ok")
    ds.wait_gone(game, "options_dialog")
    game.menu("Options", "Set variant")
    game.click_id("variant_turkish")
    game.click_id("variant_ok")
    ds.wait_gone(game, "variant_dialog")
    game.menu("Game", "Start new game")
    game.wait_text("status_label", "You play...", timeout=20)
    # The screen follows the status line by a frame.
    board = game.wait_for(lambda: (b := ds.try_read_board(game)) and b != model.START and b,
                          5, "the computer's opening on screen")
    assert len(board) == 32

    game.menu("Game", "Save game")
    game.wait_for(lambda: os.path.exists(ds.save_path(game)), 5, "zarvo.dat")
    with open(ds.save_path(game), "rb") as f:
        data = f.read()
    assert data == bytes([1, 3, 1]) + ds.board_bytes(board), data
    assert sorted(os.listdir(game.workdir)) == ["stderr.txt", "zarvo.dat"]
    game.menu("Game", "Exit")
    assert game.wait_exit() == 0

    later = harness.Game(game.binary)
    try:
        # The later run starts in the same directory, holding the same file.
        shutil.copy(ds.save_path(game), ds.save_path(later))
        assert staged_settings(later) == (["level_medium"], False, ["variant_greek"])
        later.menu("Game", "Load game")
        later.wait_text("status_label", "You play...")
        assert later.text("score_label") == " CPU (red): 16 You (blue): 16"
        assert later.flipped()
        later.wait_for(lambda: model.board_matches(later, board, set()), 5,
                       "the saved position, turned, with no marker")
        assert staged_settings(later) == (["level_hard"], True, ["variant_turkish"])

        # The human is to move: blue plays a man from rank 6 to rank 5 and the computer answers.
        move = next(m for m in ds.legal_moves(later, board, "X", "turkish")
                    if m[1] == "6" and m[3] == "5")
        for square in ds.squares_of(move):
            later.click_square(square)
        later.click_id("play_button")
        later.wait_for(lambda: ds.try_read_board(later) not in (None, board), 10, "the move")
        later.wait_text("status_label", "You play...", timeout=20)
        later.check_no_criticals()
    finally:
        later.stop()


def test_a_failed_save_says_so_and_keeps_the_old_file(game):
    game.menu("Game", "Start new game")
    game.wait_text("status_label", "You play...")
    game.menu("Game", "Save game")
    game.wait_for(lambda: os.path.exists(ds.save_path(game)), 5, "zarvo.dat")
    with open(ds.save_path(game), "rb") as f:
        first = f.read()
    assert first == bytes([2, 2, 0]) + ds.board_bytes(model.START)

    # A directory named zarvo.dat cannot be replaced: the save fails, says so, and loses
    # nothing of what the directory holds.
    os.remove(ds.save_path(game))
    os.makedirs(os.path.join(ds.save_path(game), "keep"))
    game.menu("Game", "Save game")
    game.wait_text("status_label", SAVE_FAILED)
    assert os.path.isdir(os.path.join(ds.save_path(game), "keep"))
    assert sorted(os.listdir(game.workdir)) == ["stderr.txt", "zarvo.dat"]
    game.wait_for(lambda: model.board_matches(game, model.START, set()), 5, "the board as it was")

    shutil.rmtree(ds.save_path(game))
    game.menu("Game", "Save game")
    game.wait_text("status_label", "You play...")
    with open(ds.save_path(game), "rb") as f:
        assert f.read() == first


def test_loaded_games_that_end(game):
    # The human (red) takes blue's last piece: c4 jumps c5 to c6.
    ds.write_save(game, 2, 2, 1, {"c4": "o", "c5": "x", "e7": "O"})
    game.menu("Game", "Load game")
    game.wait_text("status_label", "You play...")
    assert game.text("score_label") == "You (red): 2 CPU (blue) : 1"
    for square in ("c4", "c6"):
        game.click_square(square)
    game.click_id("play_button")
    game.wait_text("status_label", "You win !")
    assert game.text("score_label") == "You (red): 2 CPU (blue) : 0"

    # After the end nothing is saved.
    os.remove(ds.save_path(game))
    game.menu("Game", "Save game")
    game.sync()
    assert not os.path.exists(ds.save_path(game)), "saved after the end"

    # A board of spaces only ends at once.
    ds.write_save(game, 2, 1, 0, {})
    game.menu("Game", "Load game")
    game.wait_text("status_label", "No winner !")
    assert game.text("score_label") == "You (red): 0 CPU (blue) : 0"
    game.menu("Game", "Save game")
    game.sync()
    with open(ds.save_path(game), "rb") as f:
        assert f.read() == bytes([2, 1, 0]) + b" " * 64


def damaged_files():
    good = bytes([1, 1, 1]) + ds.board_bytes({"a1": "X", "h8": "o"})
    yield "empty", b""
    yield "one byte short", good[:-1]
    yield "settings only", good[:3]
    yield "one byte long", good + b" "
    yield "twice as long", good + good
    for offset, value, what in ((0, 0, "first player 0"), (0, 3, "first player 3"),
                                (0, ord("1"), "first player as a digit"), (1, 0, "level 0"),
                                (1, 5, "level 5"), (1, 255, "level 255"), (2, 2, "variant 2"),
                                (2, ord("0"), "variant as a digit"), (3, ord("."), "a dot"),
                                (40, 0, "a NUL square"), (66, ord("k"), "a letter on h1")):
        data = bytearray(good)
        data[offset] = value
        yield what, bytes(data)


def test_damaged_files_are_refused(game):
    # A game in progress, one turn in, with Easy staged and the first player left as it was.
    game.menu("Options", "Set options")
    game.click_id("level_easy")
    game.click_id("options_ok")
    ds.wait_gone(game, "options_dialog")
    game.menu("Game", "Start new game")
    game.wait_text("status_label", "You play...")
    game.click_square("c3")
    game.click_square("c4")
    game.click_id("play_button")
    after_human = ds.apply_move(game, model.START, "c3c4", "greek")

    def replied():
        # The reply has arrived (and finished travelling) once it is the human's turn again.
        if game.text("status_label") != "You play...":
            return None
        shown = ds.try_read_board(game)
        return shown if shown and shown not in (model.START, after_human) else None
    board = game.wait_for(replied, 10, "the computer's reply")
    marked = model.marked_squares(game.board_shot(), False)
    score = game.text("score_label")

    for what, data in [("missing", None)] + list(damaged_files()):
        if data is None:
            if os.path.exists(ds.save_path(game)):
                os.remove(ds.save_path(game))
        else:
            ds.write_raw(game, data)
        game.menu("Game", "Load game")
        game.wait_text("status_label", LOAD_FAILED)
        game.sync()
        assert game.text("score_label") == score, what
        # A menu that has just closed may leave the board to be repainted for a moment.
        game.wait_for(lambda: model.board_matches(game, board, marked), 5, what + ": the board")

    # Neither the game in play nor the staged settings changed, and the game goes on.
    assert staged_settings(game) == (["level_easy"], False, ["variant_greek"])
    assert ds.read_board(game) == board
    move = next(m for m in ds.legal_moves(game, board, "O", "greek") if m != "c4c5")
    for square in ds.squares_of(move):
        game.click_square(square)
    game.click_id("play_button")
    game.wait_for(lambda: ds.try_read_board(game) not in (None, board), 10, "the next move")
    game.wait_text("status_label", "You play...", timeout=20)


harness.run(test_save_quit_and_load_in_a_later_run,
            test_a_failed_save_says_so_and_keeps_the_old_file, test_loaded_games_that_end,
            test_damaged_files_are_refused)
