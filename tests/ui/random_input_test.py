"""A person at random: clicks on squares, "Play" and "Cancel", menus, dialogs opened and answered
or closed, take back and replay, hints, "Move now", saves and loads, Escape, and closes while the
computer thinks, against every level and in both variants. After every action the window must
answer; whenever it rests, the pieces on the screen must be those the accessible board names,
and every change of the position must be the moves of a game: the computer's always legal.

ZARVO_RANDOM_SEED sets the seed (1 by default) and ZARVO_RANDOM_SECONDS how long to go on (60 by
default); a failure prints the seed and the last actions, so that the run can be repeated.
"""

import collections
import os
import random
import re
import subprocess
import sys
import time

import board_model as model
import dialog_support as ds
import harness
from harness import Atspi

SEED = int(os.environ.get("ZARVO_RANDOM_SEED", "1"))
SECONDS = float(os.environ.get("ZARVO_RANDOM_SECONDS", "60"))

# What the status line says while a person may act, and once a game is over.
TURN_TEXTS = {"You play...", "Red plays...", "Blue plays..."}
END_TEXTS = {"You win !", "Computer wins !", "No winner !", "Red wins !", "Blue wins !"}
THINKING = "Computer plays..."
# The items a hurried hand clicks, and the dialogs they open with the button that answers each.
BURST_ITEMS = {
    "Game": ["Start new game", "Load game", "Save game", "Take back move", "Hint"],
    "Options": ["Set options", "Set variant"],
    "Help": ["About", "Rules"],
}
DIALOGS = [("options_dialog", "options_ok"), ("variant_dialog", "variant_ok"),
           ("about_dialog", "about_ok"), ("rules_dialog", "rules_ok")]

# What the runs have done, for the closing line.
COUNTS = collections.Counter()
SQUARE_TEXT = re.compile(r"^[a-h][1-8], (red man|red king|blue man|blue king|empty)$")
CODES = {"red man": "o", "red king": "O", "blue man": "x", "blue king": "X"}


class Rules:
    """The rules engine's answers through zarvo-cli, remembered: the legal moves of a side and
    the position after a move."""

    def __init__(self, cli):
        self.cli = cli
        self._moves = {}
        self._after = {}

    def moves(self, board, side, variant):
        key = (ds.position_text(board), side, variant)
        if key not in self._moves:
            out = subprocess.run([self.cli, "moves", "--variant", variant, "--prune", "0",
                                  "--side", side, "--pos", key[0]],
                                 capture_output=True, text=True, check=True).stdout
            self._moves[key] = [m for m in out.splitlines()[0].split(",") if m]
        return self._moves[key]

    def after(self, board, move, variant):
        key = (ds.position_text(board), move, variant)
        if key not in self._after:
            out = subprocess.run([self.cli, "apply", "--variant", variant, "--pos", key[0],
                                  "--move", move],
                                 capture_output=True, text=True, check=True).stdout
            self._after[key] = out.strip()
        return model.parse_position(self._after[key])


class Person:
    """One run of the program and what the person knows of it: the settings chosen at its start
    (dialogs opened later are answered without a change), the position last seen at rest, and
    what has happened to it since."""

    def __init__(self, game, rng, rules, log):
        self.game = game
        self.rng = rng
        self.rules = rules
        self.log = log
        self.variant = rng.choice(["greek", "turkish"])
        self.level = rng.choice(["level_easy", "level_medium", "level_hard", "level_expert"])
        self.computer_first = rng.random() < 0.3
        # The position at rest, and every position seen at rest (take back and load return to
        # one of them); None before a game.
        self.board = None
        self.seen = []
        self.saved = None
        # Since the position was last seen at rest: a game started or resumed anew, or moves
        # made (by a person, then the computer).
        self.restarted = False
        self.moved = False
        self.played = None
        self.squares = None
        # Where the menu titles and items of a burst are, measured once.
        self.items = None

    # --- reading the window ---------------------------------------------------------------

    def status(self):
        return self.game.text("status_label")

    def accessible_board(self):
        """{square: code} and the squares marked as the last move, as a screen reader hears."""
        node = self.game.find("board")
        node.clear_cache()
        if self.squares is None:
            self.squares = [node.get_child_at_index(i) for i in range(64)]
        board, last = {}, set()
        for square in self.squares:
            name = square.get_name()
            assert SQUARE_TEXT.match(name), "a square reads %r" % name
            where, what = name.split(", ", 1)
            if what in CODES:
                board[where] = CODES[what]
            if "last move" in square.get_description():
                last.add(where)
        return board, last

    def human_side(self):
        return "X" if self.computer_first else "O"

    def computer_side(self):
        return "O" if self.computer_first else "X"

    # --- the checks at rest ---------------------------------------------------------------

    def rest(self, timeout=30.0):
        """Waits until no search runs (the Expert may think its second), then checks the screen
        against the accessible board and the change of position against the rules."""
        # Once a menu opened by a later click shows, every click and key sent before it has been
        # handled: a search that "Play" started is under way by then.
        self.game.sync()
        text = self.game.wait_for(lambda: self._resting(), timeout, "the computer to answer")
        if text == ":-)":
            return
        seen = {}

        def agree():
            seen["heard"] = self.accessible_board()
            seen["shown"] = ds.try_read_board(self.game)
            return seen["shown"] == seen["heard"][0]
        try:
            self.game.wait_for(agree, 5, "the screen and the accessible board to agree")
        except harness.TestFailure:
            raise harness.TestFailure("the screen shows %s, a screen reader hears %s" % (
                seen["shown"] and ds.position_text(seen["shown"]),
                ds.position_text(seen["heard"][0])))
        board, last = seen["heard"]
        self._check_change(board, last, text)
        self.board = board
        if board not in self.seen:
            self.seen.append(board)
        self.restarted = self.moved = False
        self.played = None

    def _resting(self):
        text = self.status()
        if text == THINKING:
            return None
        return text

    def _check_change(self, board, last, text):
        if self.board is None or self.restarted:
            return
        if board == self.board:
            return
        assert self.moved or board in self.seen, \
            "the position changed with no move made: %s" % ds.position_text(board)
        if board in self.seen and not self.moved:
            return
        COUNTS["moves checked"] += 1
        assert self._explained(board, last), \
            "no legal moves lead from %s to %s (%s, the last move marked on %s, %s played)" % (
                ds.position_text(self.board), ds.position_text(board), text,
                ",".join(sorted(last)), self.played)

    def _explained(self, board, last):
        """Whether a move of the person, then the computer's replies (each legal, the person
        passing between two of them), lead from the position at rest to `board`, the
        computer's last move on the squares marked as the last move. The move the person
        played is tried first, and the computer's replies on the marked squares."""
        human, computer = self.human_side(), self.computer_side()
        moves = self.rules.moves(self.board, human, self.variant)
        if self.played in moves:
            moves = [self.played] + [m for m in moves if m != self.played]
        for thorough in (False, True):
            for move in moves:
                after = self.rules.after(self.board, move, self.variant)
                if after == board and (set(ds.squares_of(move)) == last or not last):
                    return True
                if self._replies_lead(after, board, last, thorough):
                    return True
            # A person who had no move passes at once, and the computer moves again.
            if self._replies_lead(self.board, board, last, thorough):
                return True
        return False

    def _replies_lead(self, start, board, last, thorough, depth=3):
        """Whether the computer's reply in `start` (and, if `thorough`, further replies after
        each of the person's passes) leads to `board`."""
        human, computer = self.human_side(), self.computer_side()
        for reply in self.rules.moves(start, computer, self.variant):
            marked = set(ds.squares_of(reply)) == last
            if not marked and not thorough:
                continue
            after = self.rules.after(start, reply, self.variant)
            if after == board and marked:
                return True
            if thorough and depth > 1 and not self.rules.moves(after, human, self.variant) and \
                    self._replies_lead(after, board, last, thorough, depth - 1):
                return True
        return False

    # --- acting ---------------------------------------------------------------------------

    def menu(self, title, item):
        """Opens a menu and chooses an item; an item that is insensitive leaves the menu open,
        and it is then closed from the menu bar."""
        entry = self.game.find_named(Atspi.Role.MENU_ITEM, item)
        self.game.click_node(self.game.find_named(Atspi.Role.MENU, title))
        self.game.wait_for(lambda: harness.is_showing(entry), 5, "the %s menu" % title)
        entry.clear_cache()
        if not entry.get_state_set().contains(Atspi.StateType.SENSITIVE):
            self.game.close_menu(entry)
            return False
        self.game.click_node(entry)
        self.game.wait_for(lambda: not harness.is_showing(entry), 5, "the menu to close")
        return True

    def answer_dialog(self, accessible_id, ok_id, choose=None):
        """Waits for a dialog, makes the choices asked for, and answers it: with its button, its
        frame's close button or Escape."""
        self.game.find(accessible_id)
        for choice in choose or ():
            self.game.click_id(choice)
        how = self.rng.choice(["button", "frame", "escape"]) if not choose else "button"
        if how == "button":
            self.game.click_id(ok_id)
        elif how == "frame":
            title = self.game.find(accessible_id).get_name()
            ds.close_from_frame(self.game, ds.x_window(self.game, title))
        else:
            self.game.press_key("Escape")
        ds.wait_gone(self.game, accessible_id)

    def set_up(self):
        """Chooses this run's level, colours and variant in the two dialogs."""
        self.menu("Options", "Set options")
        choose = [self.level]
        if self.level == "level_expert":
            choose.append("thinking_1s")
        if ds.is_checked(self.game.find("cpu_first")) != self.computer_first:
            choose.append("cpu_first")
        self.answer_dialog("options_dialog", "options_ok", choose)
        self.menu("Options", "Set variant")
        self.answer_dialog("variant_dialog", "variant_ok", ["variant_" + self.variant])
        self.log("settings: %s, %s, computer first %s" % (self.level, self.variant,
                                                          self.computer_first))

    def new_game(self):
        if self.menu("Game", "Start new game"):
            self.restarted = True

    def click_square(self):
        board = self.board or {}
        human = self.human_side()
        mine = [s for s, code in board.items() if code.upper() == human]
        if mine and self.rng.random() < 0.6:
            square = self.rng.choice(mine)
        else:
            square = "abcdefgh"[self.rng.randrange(8)] + str(self.rng.randrange(1, 9))
        self.log("click %s" % square)
        self.game.click_square(square)

    def play_a_move(self):
        """Clicks one of the person's legal moves and "Play"."""
        if self.board is None or self.status() not in TURN_TEXTS:
            return
        moves = self.rules.moves(self.board, self.human_side(), self.variant)
        if not moves:
            return
        move = self.rng.choice(moves)
        squares = ds.squares_of(move)
        if len(set(squares)) != len(squares):
            return  # a path through a square twice is not entered by clicks
        self.log("play %s" % move)
        self.played = move
        self.game.press_key("Escape")
        for square in squares:
            self.game.click_square(square)
        self.press_play()

    def press_play(self):
        self.moved = True
        self.game.click_id("play_button")

    def press_cancel(self):
        self.game.click_id("cancel_button")

    def press_key(self, name, ctrl=False):
        self.game.press_key(name, ctrl=ctrl)

    def press_escape(self):
        self.press_key("Escape")

    def press_backspace(self):
        self.press_key("BackSpace")

    def press_return(self):
        # Return plays a whole legal move that is pending.
        self.moved = True
        self.press_key("Return")

    def take_back(self):
        if self.menu("Game", "Take back move"):
            self.restarted = True

    def take_back_by_key(self):
        self.restarted = True
        self.press_key("z", ctrl=True)

    def replay(self):
        if self.menu("Game", "Replay move"):
            self.restarted = True

    def hint(self):
        self.press_key("h")

    def move_now(self):
        self.menu("Game", "Move now")

    def save(self):
        if self.menu("Game", "Save game") and self.status() in TURN_TEXTS:
            self.saved = self.board

    def load(self):
        if self.menu("Game", "Load game") and self.saved is not None:
            self.restarted = True

    def burst(self):
        """Plays a move, then clicks menu titles and items as fast as a hurried hand, without
        waiting for a menu to open or a command to act, then answers whatever dialog came."""
        if self.items is None:
            self.items = {}
            for title, items in BURST_ITEMS.items():
                node = self.game.find_named(Atspi.Role.MENU, title)
                entries = [self.game.find_named(Atspi.Role.MENU_ITEM, i) for i in items]
                self.game.click_node(node)
                self.game.wait_for(lambda: harness.is_showing(entries[0]), 5, title)
                x, y, w, h = self.game.extents(node)
                for item, entry in zip(items, entries):
                    ix, iy, iw, ih = self.game.extents(entry)
                    self.items[item] = ((x + w // 2, y + h // 2), (ix + iw // 2, iy + ih // 2))
                self.game.close_menu(entries[0])
        self.play_a_move()
        chosen = self.rng.sample(sorted(self.items), self.rng.randint(2, 5))
        self.log("burst %s" % ", ".join(chosen))
        for item in chosen:
            title_at, item_at = self.items[item]
            self.game.click_screen(*title_at)
            time.sleep(self.rng.random() * 0.04)
            self.game.click_screen(*item_at)
            time.sleep(self.rng.random() * 0.04)
        self.settle()
        # A click meant for a menu may have landed in a dialog the burst opened and changed a
        # setting: the run's settings are chosen again (once the computer has answered, as the
        # dialogs wait for it) and a game started with them.
        self.game.wait_for(lambda: self._resting(), 30, "the computer to answer")
        self.set_up()
        self.new_game()
        self.restarted = True

    def settle(self):
        """Answers the dialogs a burst opened and closes a menu it left open."""
        deadline = time.monotonic() + 10
        while time.monotonic() < deadline:
            self.game.app.clear_cache()
            open_ids = [d for d, _ in DIALOGS if ds.node_exists(self.game, d)]
            showing = [i for i in self.items if harness.is_showing(
                self.game.find_named(Atspi.Role.MENU_ITEM, i))]
            if showing:
                self.game.close_menu(self.game.find_named(Atspi.Role.MENU_ITEM, showing[0]))
            elif open_ids:
                self.game.click_id(dict(DIALOGS)[open_ids[0]])
                ds.wait_gone(self.game, open_ids[0])
            else:
                time.sleep(0.1)
                if not [d for d, _ in DIALOGS if ds.node_exists(self.game, d)]:
                    return
        raise harness.TestFailure("the dialogs of a burst did not close")

    def open_dialog(self):
        title, item, accessible_id, ok_id = self.rng.choice([
            ("Options", "Set options", "options_dialog", "options_ok"),
            ("Options", "Set variant", "variant_dialog", "variant_ok"),
            ("Help", "About", "about_dialog", "about_ok"),
            ("Help", "Rules", "rules_dialog", "rules_ok"),
        ])
        if self.menu(title, item):
            self.answer_dialog(accessible_id, ok_id)


def actions(person):
    """Each action a person takes, with how often."""
    return [
        (person.click_square, 30), (person.play_a_move, 25), (person.press_play, 6),
        (person.press_cancel, 5), (person.press_escape, 5), (person.press_backspace, 2),
        (person.press_return, 2), (person.new_game, 4), (person.take_back, 4),
        (person.replay, 2), (person.take_back_by_key, 2), (person.hint, 4),
        (person.move_now, 2), (person.save, 3), (person.load, 3), (person.open_dialog, 4),
        (person.burst, 3),
    ]


def run_person(game, rng, rules, deadline, log):
    """One run of the program until the time is up or the person closes it while the computer
    thinks; returns whether the time is up."""
    try:
        person = Person(game, rng, rules, log)
        person.set_up()
        person.new_game()
        person.rest()
        choices, weights = zip(*actions(person))
        while time.monotonic() < deadline:
            action = rng.choices(choices, weights)[0]
            log(action.__name__)
            COUNTS["actions"] += 1
            action()
            game.check_no_criticals()
            # Now and then the window is closed while the computer thinks: the program must
            # end at once, cleanly.
            if person.status() == THINKING and rng.random() < 0.15:
                log("close while thinking")
                COUNTS["closes while thinking"] += 1
                game.close_window()
                assert game.wait_exit(10) == 0, "exit status after a close while thinking"
                game.check_no_criticals()
                return False
            person.rest()
        game.menu("Game", "Exit")
        assert game.wait_exit(10) == 0
        game.check_no_criticals()
        return True
    except BaseException:
        print("--- program stderr ---\n%s" % game.stderr(), file=sys.stderr)
        raise
    finally:
        game.stop()


def test_a_person_at_random(first_game):
    rng = random.Random(SEED)
    rules = Rules(ds.cli(first_game))
    recent = collections.deque(maxlen=40)
    deadline = time.monotonic() + SECONDS
    runs = 0
    game = first_game
    try:
        while True:
            runs += 1
            recent.append("--- run %d" % runs)
            if run_person(game, rng, rules, deadline, recent.append):
                break
            game = harness.Game(first_game.binary)
    except BaseException:
        print("random input failed with ZARVO_RANDOM_SEED=%d; the last actions:\n  %s"
              % (SEED, "\n  ".join(recent)), file=sys.stderr)
        raise
    print("seed %d, %.0f s: %d runs of the program, %d actions, %d changes of position checked, "
          "%d closes while the computer thought" % (
              SEED, SECONDS, runs, COUNTS["actions"], COUNTS["moves checked"],
              COUNTS["closes while thinking"]))


harness.run(test_a_person_at_random, timeout=SECONDS + 120)
