"""Game records through the real window: a game saved as PDN with the file chooser and opened in
a fresh run gives the same moves and position; records that are refused leave the game as it
was; positions copied to and pasted from the clipboard."""

import os
import subprocess

import board_model as model
import dialog_support as ds
import harness
from harness import Atspi

ROLE = Atspi.Role


def list_cells(game):
    view = game.find("move_list_view")
    view.clear_cache()
    return [n.get_name() for n in ds.descendants(view) if n.get_role() == ROLE.TABLE_CELL]


def show_move_list(game):
    game.click_node(game.find_named(ROLE.MENU, "View"))
    entry = game.find_named(ROLE.CHECK_MENU_ITEM, "Move list")
    game.click_node(entry)
    game.wait_for(lambda: not harness.is_showing(entry), 5, "the menu to close")


def choose_file(game, title, button, file_name=None):
    """Answers the file chooser: picks a file in the list, if named, then presses the button."""
    if file_name:
        game.click_node(game.find_named(ROLE.TABLE_CELL, file_name))
    game.click_node(game.find_named(ROLE.PUSH_BUTTON, button))


def open_record(game, file_name):
    game.menu("Game", "Open record...")
    choose_file(game, "Open record", "Open", file_name)


def test_saved_record_opens_again_in_a_fresh_run(game):
    game.menu("Game", "Start new game")
    game.wait_text("status_label", "You play...")
    board = model.START
    for _ in range(2):
        move = next(m for m in ds.legal_moves(game, board, "O", "greek") if len(m) == 4)
        ds.play(game, move)
        board = ds.wait_reply(game, ds.apply_move(game, board, move, "greek"))
    show_move_list(game)
    cells = game.wait_for(lambda: len(list_cells(game)) == 6 and list_cells(game), 5, "the list")
    game.menu("Game", "Save record as...")
    choose_file(game, "Save record as", "Save")
    path = os.path.join(game.workdir, "zarvo-game.pdn")
    game.wait_for(lambda: os.path.exists(path), 5, "the record file")
    checked = subprocess.run([ds.cli(game), "pdn", path], capture_output=True, text=True)
    assert checked.returncode == 0, checked.stderr
    assert ds.position_text(board) in checked.stdout, checked.stdout

    with open(path, "rb") as f:
        saved = f.read()

    def copy_record(workdir):
        with open(os.path.join(workdir, "zarvo-game.pdn"), "wb") as f:
            f.write(saved)
    # One copy runs in a session: this one is closed before the next starts.
    game.stop()
    later = harness.Game(game.binary, prepare=copy_record)
    try:
        open_record(later, "zarvo-game.pdn")
        later.wait_for(lambda: ds.try_read_board(later) == board, 5, "the record's position")
        later.wait_text("status_label", "You play...")
        show_move_list(later)
        later.wait_for(lambda: list_cells(later) == cells, 5, "the same moves listed")
        # Its moves can be taken back like those of a game played here.
        later.menu("Game", "Take back move")
        later.wait_for(lambda: len(list_cells(later)) == 3, 5, "a turn taken back")
        later.check_no_criticals()
    finally:
        later.stop()


def test_refused_records_leave_the_game_as_it_was(game):
    game.menu("Game", "Start new game")
    game.wait_text("status_label", "You play...")
    files = {
        "illegal.pdn": (b'[GameType "50,W,8,8,A0,0"]\n\n1. c3-c5 *\n',
                        "Move 1: c3-c5 is not a legal move"),
        "unknown.pdn": (b'[GameType "21"]\n\n1. c3-c4 *\n', 'Unknown game type "21"'),
        "junk.pdn": (bytes(range(256)) * 8, "The file holds binary data, not PDN text"),
        "large.pdn": (b"{" + b"x" * (1 << 20) + b"}", "The file is larger than 1 MiB"),
    }
    for name, (data, _) in files.items():
        with open(os.path.join(game.workdir, name), "wb") as f:
            f.write(data)
    for name, (_, message) in files.items():
        open_record(game, name)
        game.wait_text("status_label", message)
        assert ds.read_board(game) == model.START, name


def clipboard(game, text=None):
    """Reads the clipboard, or puts a text there."""
    if text is None:
        return subprocess.run(["xclip", "-selection", "clipboard", "-o"], capture_output=True,
                              text=True, timeout=5).stdout
    subprocess.run(["xclip", "-selection", "clipboard", "-i"], input=text, text=True,
                   timeout=5, check=True)
    # xclip takes the clipboard from a process of its own, a moment after it returns.
    game.wait_for(lambda: clipboard(game) == text, 5, "the clipboard to hold " + repr(text))
    return text


def test_positions_copied_and_pasted(game):
    game.menu("Game", "Start new game")
    game.wait_text("status_label", "You play...")
    game.menu("Game", "Copy position")
    fen = game.wait_for(lambda: clipboard(game).startswith("W:") and clipboard(game), 5,
                        "the position on the clipboard")
    assert fen == ("W:Wa2,b2,c2,d2,e2,f2,g2,h2,a3,b3,c3,d3,e3,f3,g3,h3"
                   ":Ba6,b6,c6,d6,e6,f6,g6,h6,a7,b7,c7,d7,e7,f7,g7,h7"), fen

    clipboard(game, "no position at all")
    game.menu("Game", "Paste position")
    game.wait_text("status_label", "The clipboard holds no position")
    assert ds.read_board(game) == model.START

    # Blue to move: the human takes blue, the computer red, and the board is turned.
    clipboard(game, "B:Wc3,Kh1:Bc6")
    game.menu("Game", "Paste position")
    game.wait_text("status_label", "You play...")
    assert game.text("score_label") == " CPU (red): 2 You (blue): 1"
    pasted = {"c3": "o", "h1": "O", "c6": "x"}
    game.wait_for(lambda: ds.try_read_board(game) == pasted, 5, "the pasted position")


harness.run(test_saved_record_opens_again_in_a_fresh_run,
            test_refused_records_leave_the_game_as_it_was, test_positions_copied_and_pasted)
