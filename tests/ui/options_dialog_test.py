"""The options dialog: its title, widgets and starting states, the main window blocked while it
is open, the level and first player staged for the next game only, the game in progress left as
it was, and closing from the frame writing nothing back."""

import harness
import board_model as model
import dialog_support as ds
from dialog_support import ROLE

CPU_FIRST = "CPU plays first" + " " * 12


def open_options(game):
    game.menu("Options", "Set options")
    dialog = game.find("options_dialog")
    assert dialog.get_role() == ROLE.DIALOG and dialog.get_name() == "Zarvo options"
    return dialog


def staged(game):
    """(level button on, CPU first ticked) as the open dialog shows them."""
    on = [name for name in ("level_easy", "level_medium", "level_hard", "level_expert")
          if ds.is_checked(game.find(name))]
    return on, ds.is_checked(game.find("cpu_first"))


def wait_board(game, board, marked, what):
    game.wait_for(lambda: model.board_matches(game, board, marked), 5, what)


def play_first_turn(game):
    """c3c4, then the computer's reply; returns the position and the reply's squares."""
    game.menu("Game", "Start new game")
    game.wait_text("status_label", "You play...")
    game.click_square("c3")
    game.click_square("c4")
    game.click_id("play_button")
    board = dict(model.START)
    board["c4"] = board.pop("c3")

    # Blue answers with one man from rank 6 to rank 5, marked on the picture of the position.
    def replied():
        marked = model.marked_squares(game.board_shot(), False)
        moved = [s for s in marked if s[1] == "6" and s[0] + "5" in marked]
        if len(marked) != 2 or not moved:
            return None
        after = dict(board)
        after[moved[0][0] + "5"] = after.pop(moved[0])
        return (after, marked) if model.board_matches(game, after, marked) else None
    board, marked = game.wait_for(replied, 10, "the computer's reply")
    game.wait_text("status_label", "You play...")
    return board, marked


def test_staged_for_the_next_game_only(game):
    board, marked = play_first_turn(game)
    new_game_xy = ds.item_position(game, "Game", "Start new game")

    dialog = open_options(game)
    assert ds.dialog_contents(dialog) == [
        (ROLE.LABEL, "CPU level:"), (ROLE.RADIO_BUTTON, "Easy"), (ROLE.RADIO_BUTTON, "Medium"),
        (ROLE.RADIO_BUTTON, "Hard"), (ROLE.RADIO_BUTTON, "Expert"),
        (ROLE.LABEL, "Expert's time per move:"), (ROLE.RADIO_BUTTON, "1 s"),
        (ROLE.RADIO_BUTTON, "3 s"), (ROLE.RADIO_BUTTON, "10 s"), (ROLE.LABEL, ""),
        (ROLE.CHECK_BOX, CPU_FIRST), (ROLE.PUSH_BUTTON, "OK")], ds.dialog_contents(dialog)
    assert staged(game) == (["level_medium"], False)
    # The thinking times are the Expert's: greyed until it is chosen, one second at first.
    assert ds.is_checked(game.find("thinking_1s"))
    assert not ds.states(game.find("thinking_3s")).contains(ds.Atspi.StateType.SENSITIVE)
    window = ds.x_window(game, "Zarvo options")
    ds.assert_fixed_size(window)

    # The main window takes no clicks: "Start new game" would throw away the turn played.
    ds.click_blocked_menu(game, "Game", "Start new game", new_game_xy)
    game.click_id("level_hard")
    game.click_id("cpu_first")
    game.wait_for(lambda: staged(game) == (["level_hard"], True), 5, "Hard and CPU first")
    ds.assert_menu_closed(game, "Start new game")
    game.click_id("options_ok")
    ds.wait_gone(game, "options_dialog")

    # The game in progress keeps its colours, its position and whose turn it is.
    wait_board(game, board, marked, "the game in progress unchanged")
    assert game.text("status_label") == "You play..."
    assert game.text("score_label") == "You (red): 16 CPU (blue) : 16"
    assert not game.flipped()

    # The next game uses them: the computer is red, moves first, and the board is turned.
    game.menu("Game", "Start new game")
    game.wait_text("score_label", " CPU (red): 16 You (blue): 16", timeout=10)
    game.wait_text("status_label", "You play...", timeout=20)
    # Red opened with one man from rank 3 to rank 4, marked. The screen follows the status line
    # by a frame, so the last game's picture may still show for a moment.
    def opening():
        marked = model.marked_squares(game.board_shot(), True)
        moved = [s for s in marked if s[1] == "3" and s[0] + "4" in marked]
        if len(marked) != 2 or not moved:
            return None
        expected = dict(model.START)
        expected[moved[0][0] + "4"] = expected.pop(moved[0])
        return model.board_matches(game, expected, marked)
    game.wait_for(opening, 5, "the computer's opening, exact pixels")
    shot = game.board_shot()
    assert shot.pixel(30, 30) == model.LIGHT, "a1 is not the light top-left square"
    assert shot.pixel(30 + 7 * 24, 30) == model.DARK, "h1 is not dark"
    assert shot.pixel(30, 30 + 7 * 24) == model.DARK, "a8 is not the dark bottom-left square"
    assert game.text("score_label") == " CPU (red): 16 You (blue): 16"

    # The dialog opens again on the staged values.
    open_options(game)
    assert staged(game) == (["level_hard"], True)
    game.click_id("options_ok")
    ds.wait_gone(game, "options_dialog")


def test_closing_from_the_frame_writes_nothing(game):
    open_options(game)
    game.click_id("level_easy")
    game.click_id("cpu_first")
    game.wait_for(lambda: staged(game) == (["level_easy"], True), 5, "Easy and CPU first")
    ds.close_from_frame(game, ds.x_window(game, "Zarvo options"))
    ds.wait_gone(game, "options_dialog")

    open_options(game)
    assert staged(game) == (["level_medium"], False)
    game.click_id("options_ok")
    ds.wait_gone(game, "options_dialog")

    # Nothing was staged: a new game has the human first, as red.
    game.menu("Game", "Start new game")
    game.wait_text("status_label", "You play...")
    assert game.text("score_label") == "You (red): 16 CPU (blue) : 16"
    wait_board(game, model.START, set(), "the starting position, not turned")


def test_expert_thinks_its_time_unless_told_to_move_now(game):
    # At ten seconds a move, "Move now" (M) makes the Expert play long before its time is up.
    open_options(game)
    game.click_id("level_expert")
    game.wait_for(lambda: ds.states(game.find("thinking_10s")).contains(
        ds.Atspi.StateType.SENSITIVE), 5, "the thinking times to wake")
    game.click_id("thinking_10s")
    game.click_id("cpu_first")
    game.wait_for(lambda: staged(game) == (["level_expert"], True) and
                  ds.is_checked(game.find("thinking_10s")), 5, "Expert at 10 s, CPU first")
    game.click_id("options_ok")
    ds.wait_gone(game, "options_dialog")

    move_now = game.find_named(ROLE.MENU_ITEM, "Move now")
    game.menu("Game", "Start new game")
    game.wait_for(lambda: ds.states(move_now).contains(ds.Atspi.StateType.SENSITIVE), 5,
                  "Move now while the Expert thinks")
    game.press_key("m")
    game.wait_text("status_label", "You play...", timeout=8)
    assert not ds.states(move_now).contains(ds.Atspi.StateType.SENSITIVE)
    assert len(model.marked_squares(game.board_shot(), True)) == 2

    open_options(game)
    assert staged(game) == (["level_expert"], True)
    assert ds.is_checked(game.find("thinking_10s"))
    game.click_id("options_ok")
    ds.wait_gone(game, "options_dialog")


harness.run(test_staged_for_the_next_game_only, test_closing_from_the_frame_writes_nothing,
            test_expert_thinks_its_time_unless_told_to_move_now)
