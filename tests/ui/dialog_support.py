"""What the dialog and saved-game tests share: finding a dialog and its X window, closing it
from the frame, reading check states, proving the main window takes no clicks, reading the
position off the screen and writing saved games."""

import os
import subprocess

import harness
import board_model as model
from harness import Atspi
from Xlib import X, Xatom
from Xlib.protocol import event as xevent

ROLE = Atspi.Role


def node_exists(game, accessible_id):
    return any(node.get_accessible_id() == accessible_id for node in game._walk(game.app))


def wait_gone(game, accessible_id, what=None):
    game.wait_for(lambda: not node_exists(game, accessible_id), 5,
                  what or accessible_id + " to close")


def is_checked(node):
    node.clear_cache()
    return node.get_state_set().contains(Atspi.StateType.CHECKED)


def states(node):
    node.clear_cache()
    return node.get_state_set()


def children(node):
    return [node.get_child_at_index(i) for i in range(node.get_child_count())]


def descendants(node):
    for child in children(node):
        if child is not None:
            yield child
            yield from descendants(child)


def dialog_contents(dialog):
    """(role, name) of the labels, buttons and text views inside a dialog, in tree order."""
    wanted = {ROLE.LABEL, ROLE.RADIO_BUTTON, ROLE.CHECK_BOX, ROLE.PUSH_BUTTON, ROLE.TEXT}
    return [(n.get_role(), n.get_name()) for n in descendants(dialog) if n.get_role() in wanted]


def x_window(game, title):
    """The program's top-level X window with exactly this title."""
    def look():
        for child in game.root.query_tree().children:
            pid = child.get_full_property(game.x.intern_atom("_NET_WM_PID"), Xatom.CARDINAL)
            if pid is None or pid.value[0] != game.proc.pid:
                continue
            name = child.get_full_property(game.x.intern_atom("_NET_WM_NAME"),
                                           game.x.intern_atom("UTF8_STRING"))
            if name is not None and name.value == title.encode():
                attributes = child.get_attributes()
                if attributes.map_state == X.IsViewable:
                    return child
        return None
    return game.wait_for(look, 5, "the window titled %r" % title)


def assert_fixed_size(window):
    """The size hints pin the window to the size it has: the user cannot resize it."""
    hints = window.get_wm_normal_hints()
    geometry = window.get_geometry()
    assert (hints.min_width, hints.min_height) == (hints.max_width, hints.max_height), hints
    assert (hints.min_width, hints.min_height) == (geometry.width, geometry.height), hints


def close_from_frame(game, window):
    """What a window manager's close button sends to a dialog: WM_DELETE_WINDOW."""
    protocols = game.x.intern_atom("WM_PROTOCOLS")
    delete = game.x.intern_atom("WM_DELETE_WINDOW")
    message = xevent.ClientMessage(window=window, client_type=protocols,
                                   data=(32, [delete, X.CurrentTime, 0, 0, 0]))
    window.send_event(message, event_mask=X.NoEventMask)
    game.x.sync()


def item_position(game, title, item):
    """Screen centre of a menu item, measured by opening its menu once and closing it again."""
    entry = game.find_named(ROLE.MENU_ITEM, item)
    game.click_node(game.find_named(ROLE.MENU, title))
    game.wait_for(lambda: harness.is_showing(entry), 5, "the %s menu to open" % title)
    x, y, w, h = game.extents(entry)
    game.close_menu(entry)
    return x + w // 2, y + h // 2


def click_blocked_menu(game, title, item, item_xy):
    """Real clicks on a menu title and where its item shows when open, while a dialog holds
    the grab; the caller proves them ignored once a later click in the dialog has acted."""
    title_node = game.find_named(ROLE.MENU, title)
    x, y, w, h = game.extents(title_node)
    game.click_screen(x + w // 2, y + h // 2)
    game.click_screen(*item_xy)


def assert_menu_closed(game, item):
    assert not harness.is_showing(game.find_named(ROLE.MENU_ITEM, item)), item + " is showing"


# Centre pixel of a square: the fill of a man, the inner disc of a king, or the bare square.
CENTRE_CODES = {"#7777ff": "x", "#ff7777": "o", "#0000ff": "X", "#ff0000": "O",
                model.DARK: None, model.LIGHT: None}


def read_board(game):
    """The position on screen, {square name: code}, once every square shows a square, a man or
    a king (a dialog that has just closed may leave the board unpainted for a moment)."""
    return game.wait_for(lambda: try_read_board(game), 5, "the board to be painted")


def try_read_board(game):
    shot = game.board_shot()
    flipped = game.flipped()
    board = {}
    for row in range(8):
        for column in range(8):
            screen_row = 7 - row if flipped else row
            colour = shot.pixel(30 + 24 * column + 12, 30 + 24 * screen_row + 12)
            if colour not in CENTRE_CODES:
                return None
            code = CENTRE_CODES[colour]
            if code:
                board[model.square_name(row, column)] = code
    return board


def position_text(board):
    """A board in the form the command-line tool reads."""
    return "/".join("".join(board.get(model.square_name(r, c), ".") for c in range(8))
                    for r in range(8))


def board_bytes(board):
    return bytes(ord(board.get(model.square_name(r, c), " ")) for r in range(8)
                 for c in range(8))


def write_save(game, first_player, level, variant, board):
    write_raw(game, bytes([first_player, level, variant]) + board_bytes(board))


def write_raw(game, data):
    with open(save_path(game), "wb") as f:
        f.write(data)


def save_path(game):
    return os.path.join(game.workdir, "zarvo.dat")


def cli(game):
    """The command-line tool built beside the program."""
    path = os.path.join(os.path.dirname(game.binary), "..", "tools", "zarvo-cli")
    return os.path.normpath(path)


def legal_moves(game, board, side, variant):
    """The side's legal moves as the rules engine lists them for the human (every landing)."""
    out = subprocess.run([cli(game), "moves", "--variant", variant, "--prune", "0",
                          "--side", side, "--pos", position_text(board)],
                         capture_output=True, text=True, check=True).stdout.splitlines()
    return [m for m in out[0].split(",") if m]


def squares_of(move):
    return [move[i:i + 2] for i in range(0, len(move), 2)]


def apply_move(game, board, move, variant):
    out = subprocess.run([cli(game), "apply", "--variant", variant, "--pos",
                          position_text(board), "--move", move],
                         capture_output=True, text=True, check=True).stdout.strip()
    return model.parse_position(out)


def play(game, move):
    """Clicks the squares of a move string ("c3c5") and "Play"."""
    for square in squares_of(move):
        game.click_square(square)
    game.click_id("play_button")


def wait_reply(game, before):
    """The board once the computer has answered and it is the human's turn again."""
    def replied():
        if game.text("status_label") != "You play...":
            return None
        shown = try_read_board(game)
        return shown if shown and shown != before else None
    return game.wait_for(replied, 10, "the computer's reply")
