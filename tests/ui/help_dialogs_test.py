"""The Help dialogs: "About" and "Rules" with their titles, texts and buttons, both blocking the
main window, the rules whole in a word-wrapped read-only view of 400 x 350 that scrolls, and both
opening while the computer thinks, when "Set options" and "Set variant" are refused."""

import harness
import board_model as model
import dialog_support as ds
from dialog_support import ROLE
from harness import Atspi

ADDRESS = "https://zarvo.example.org/"
ABOUT_TEXT = "Zarvo game\n Version of 26 July 2002\n " + ADDRESS

# The rules as the game words them, typos included.
RULES_TEXT = (
    " Rules of Zarvo\n"
    "1. Each pion can be moved one square front, left or right.\n"
    "2. A pion can capture an oponent thas is in front, at the left or at the right by jumping on it.Consequtives captures can be done in the same move by the same pion.\n"
    "3. A pion that reaches at the last line of the board becames 'Zarvo'.\n"
    "4. A Zarvo can be moved many squares in all the directions horizontial and vertical.\n"
    "5. A Zarvo can capture one or more enemies in one move by jumping of them. Each jump of Zarvo ends right after the position of the captured enemy.\n"
    "\n"
    " Rules of Turkish Draughts\n"
    "1. Each pion can be moved one square front, left or right.\n"
    "2. A pion can capture an oponent thas is in front, at the left or at the right by jumping on it.Consequtives captures can be done in the same move by the same pion.\n"
    "3. A pion that reaches at the last line of the board becames 'Zarvo'.\n"
    "4. A Zarvo can be moved many squares in all the directions horizontial and vertical.\n"
    "5. A Zarvo can capture one or more enemies in one move by jumping on them. 6. If a capture is possible, it is obligatory for the player to play one of the moves that give the maximun number of captures.\n"
)


def text_of(node):
    return Atspi.Text.get_text(node, 0, -1)


def test_about_blocks_the_window(game):
    new_game_xy = ds.item_position(game, "Game", "Start new game")
    game.menu("Help", "About")
    dialog = game.find("about_dialog")
    assert dialog.get_role() == ROLE.DIALOG and dialog.get_name() == "About Zarvo"
    assert ds.dialog_contents(dialog) == [(ROLE.LABEL, ABOUT_TEXT), (ROLE.PUSH_BUTTON, "O.K.")]
    assert text_of(game.find("about_text")) == ABOUT_TEXT
    ds.assert_fixed_size(ds.x_window(game, "About Zarvo"))

    ds.click_blocked_menu(game, "Game", "Start new game", new_game_xy)
    game.click_id("about_ok")
    ds.wait_gone(game, "about_dialog")
    ds.assert_menu_closed(game, "Start new game")
    assert game.text("status_label") == ":-)"

    # Closed from the frame it goes just the same, and opens again.
    game.menu("Help", "About")
    ds.close_from_frame(game, ds.x_window(game, "About Zarvo"))
    ds.wait_gone(game, "about_dialog")
    game.menu("Help", "About")
    game.click_id("about_ok")
    ds.wait_gone(game, "about_dialog")


def scroll_bars(dialog):
    """{"vertical": showing, "horizontal": showing} of the scrolled view's bars."""
    bars = {}
    for node in ds.descendants(dialog):
        if node.get_role() == ROLE.SCROLL_BAR:
            s = ds.states(node)
            key = "vertical" if s.contains(Atspi.StateType.VERTICAL) else "horizontal"
            bars[key] = s.contains(Atspi.StateType.SHOWING) and s.contains(
                Atspi.StateType.VISIBLE)
    return bars


def test_rules_read_only_and_scrolled(game):
    new_game_xy = ds.item_position(game, "Game", "Start new game")
    game.menu("Help", "Rules")
    dialog = game.find("rules_dialog")
    assert dialog.get_role() == ROLE.DIALOG and dialog.get_name() == "Zarvo rules"
    window = ds.x_window(game, "Zarvo rules")
    geometry = window.get_geometry()
    assert (geometry.width, geometry.height) == (400, 350), geometry

    view = game.find("rules_text")
    assert text_of(view) == RULES_TEXT
    assert not ds.states(view).contains(Atspi.StateType.EDITABLE)
    # Long lines wrap at word boundaries, so only the vertical bar is needed.
    game.wait_for(lambda: scroll_bars(dialog).get("vertical"), 5, "a vertical scroll bar")
    assert not scroll_bars(dialog).get("horizontal"), scroll_bars(dialog)

    ds.click_blocked_menu(game, "Game", "Start new game", new_game_xy)
    # Typing into the view changes nothing; Escape then closes the dialog, which shows the
    # keys did reach it.
    window.set_input_focus(ds.X.RevertToParent, ds.X.CurrentTime)
    game.click_node(view)
    for key in ("a", "BackSpace", "Delete", "Return", "space"):
        game.press_key(key)
    game.press_key("Escape")
    ds.wait_gone(game, "rules_dialog", "Escape to close the rules")
    ds.assert_menu_closed(game, "Start new game")
    assert game.text("status_label") == ":-)"

    game.menu("Help", "Rules")
    view = game.find("rules_text")
    assert text_of(view) == RULES_TEXT
    game.click_id("rules_ok")
    ds.wait_gone(game, "rules_dialog")


# A Turkish position crowded with kings, saved with the human (red) to move at Hard: after the
# king a7 goes to a4, blue has over a hundred thousand moves to weigh, so the computer thinks
# for about a second and handles events between them.
KINGS = "o.O..O.X/O.O.o.o./.O.oox.O/X.O.O.o./..oO.oXO/.o..o.o./.o.O.o.o/..O.o.o."


def start_thinking(game):
    """Loads the crowded position, plays a7a4 and waits until the computer is searching."""
    ds.write_save(game, 2, 3, 1, model.parse_position(KINGS))
    game.menu("Game", "Load game")
    game.wait_text("status_label", "You play...")
    game.click_square("a7")
    game.click_square("a4")
    game.sync()
    game.click_id("play_button")
    # The program answers the accessibility bus only while it handles events, so reading
    # "Computer plays..." means the search is under way and pumping.
    game.wait_text("status_label", "Computer plays...", timeout=10)


def test_help_while_the_computer_thinks(game):
    # "Set options" and "Set variant" are refused while the search runs, and stay refused.
    start_thinking(game)
    game.menu("Options", "Set options")
    game.menu("Options", "Set variant")
    assert game.text("status_label") == "Computer plays...", "the search ended too soon"
    game.wait_text("status_label", "You play...", timeout=30)
    assert not ds.node_exists(game, "options_dialog")
    assert not ds.node_exists(game, "variant_dialog")

    # "About" opens; the search goes on under it and the turn comes back to the human.
    start_thinking(game)
    game.menu("Help", "About")
    game.find("about_dialog")
    assert game.text("status_label") == "Computer plays...", "the search ended too soon"
    game.wait_text("status_label", "You play...", timeout=30)
    assert ds.node_exists(game, "about_dialog")
    game.click_id("about_ok")
    ds.wait_gone(game, "about_dialog")

    start_thinking(game)
    game.menu("Help", "Rules")
    game.find("rules_dialog")
    assert game.text("status_label") == "Computer plays...", "the search ended too soon"
    game.wait_text("status_label", "You play...", timeout=30)
    assert text_of(game.find("rules_text")) == RULES_TEXT
    game.click_id("rules_ok")
    ds.wait_gone(game, "rules_dialog")

    # Once the human is to move, both dialogs open again.
    game.menu("Options", "Set options")
    game.click_id("options_ok")
    ds.wait_gone(game, "options_dialog")
    game.menu("Options", "Set variant")
    game.click_id("variant_ok")
    ds.wait_gone(game, "variant_dialog")


harness.run(test_about_blocks_the_window, test_rules_read_only_and_scrolled,
            test_help_while_the_computer_thinks)
