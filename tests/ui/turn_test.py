"""A whole turn by clicks: "Start new game", c3 then c4, "Play"; the man moves, the computer
answers with one of its legal replies, its move is marked and the human is to move again."""

import harness
import board_model as model


def board_matches(game, board, marked):
    shot = game.board_shot()
    frame = shot.pixel(27, 27)
    background = shot.pixel(26, 26)
    return not model.compare(shot, model.expected_board(board, game.flipped(), marked, frame,
                                                        background))


def wait_board(game, board, marked, what):
    game.wait_for(lambda: board_matches(game, board, marked), 5, what)


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
    game.window_shot().save(f"{harness.shot_dir()}/after-first-turn.png")


harness.run(test_whole_turn)
