"""The game as the desktop's application org.zarvo.Zarvo: one copy a session, a second start
raising the first window and ending; every command an action on the session bus, whose enabled
and check states the menus show and the preferences keep, acted on from the bus and by its keys."""

import os
import subprocess
import time

from gi.repository import Gio, GLib

import board_model as model
import dialog_support as ds
import harness
from harness import Atspi
from Xlib import X

BUS_NAME = "org.zarvo.Zarvo"
APP_PATH = "/org/zarvo/Zarvo"
WINDOW_PATH = "/org/zarvo/Zarvo/window/1"

APP_ACTIONS = {"quit", "about", "rules"}
WINDOW_ACTIONS = {
    "new-game", "load-game", "save-game", "take-back", "replay", "hint", "move-now",
    "open-record", "save-record", "copy-position", "paste-position", "set-options",
    "set-variant", "show-legal-moves", "play-complete-moves", "animate-moves", "two-players",
    "zoom-in", "zoom-out", "normal-size", "smooth-pieces", "move-list"}
CHECK_ITEMS = {
    "show-legal-moves": "Show legal moves", "play-complete-moves": "Play complete moves at once",
    "animate-moves": "Animate moves", "two-players": "Two players",
    "smooth-pieces": "Smooth pieces", "move-list": "Move list"}


def bus():
    return Gio.bus_get_sync(Gio.BusType.SESSION, None)


def call(path, method, parameters, reply):
    result = bus().call_sync(BUS_NAME, path, "org.gtk.Actions", method, parameters,
                             GLib.VariantType(reply) if reply else None,
                             Gio.DBusCallFlags.NONE, 5000, None)
    return result.unpack() if result is not None else None


def actions(path):
    """{name: (enabled, state or None)} as the program publishes them."""
    described = call(path, "DescribeAll", None, "(a{s(bgav)})")[0]
    return {name: (enabled, state[0] if state else None)
            for name, (enabled, _, state) in described.items()}


def wait_action(game, name, expected, what):
    return game.wait_for(lambda: actions(WINDOW_PATH)[name] == expected, 5, what)


def stacking(game):
    """The top-level windows from the bottom of the stack to its top."""
    return [w.id for w in game.root.query_tree().children]


def test_a_second_start_raises_the_first_window_and_ends(game):
    game.menu("Game", "Start new game")
    game.wait_text("status_label", "You play...")
    # Another program's window comes over the game's.
    cover = game.root.create_window(0, 0, 600, 600, 0, game.x.screen().root_depth,
                                    X.InputOutput, X.CopyFromParent, override_redirect=True)
    cover.map()
    game.x.sync()
    order = stacking(game)
    assert order.index(cover.id) > order.index(game.window.id)

    started = time.monotonic()
    second = subprocess.run([game.binary], cwd=game.workdir, env=game.env, capture_output=True,
                            timeout=10)
    assert second.returncode == 0, second
    assert not second.stdout and not second.stderr, second
    game.wait_for(lambda: stacking(game).index(game.window.id) > stacking(game).index(cover.id),
                  5, "the first window raised over the other")
    assert time.monotonic() - started < 10
    cover.destroy()
    game.x.sync()
    # Still the one window, with its game as it was.
    owner = bus().call_sync("org.freedesktop.DBus", "/org/freedesktop/DBus",
                            "org.freedesktop.DBus", "GetConnectionUnixProcessID",
                            GLib.Variant("(s)", (BUS_NAME,)), GLib.VariantType("(u)"),
                            Gio.DBusCallFlags.NONE, 5000, None).unpack()[0]
    assert owner == game.proc.pid
    assert game.text("status_label") == "You play..."
    game.wait_for(lambda: ds.try_read_board(game) == model.START, 5, "the game unchanged")
    game.sync()
    assert game.proc.poll() is None


def test_every_command_is_an_action_on_the_session_bus(game):
    assert set(actions(APP_PATH)) == APP_ACTIONS, actions(APP_PATH)
    published = actions(WINDOW_PATH)
    assert set(published) == WINDOW_ACTIONS, sorted(published)
    # Before any game: nothing to take back, replay, hint, hurry or save as a record; the check
    # items show the defaults.
    for name in ("take-back", "replay", "hint", "move-now", "save-record", "zoom-out",
                 "normal-size"):
        assert published[name][0] is False, name
    for name in ("new-game", "open-record", "paste-position", "zoom-in", "set-options"):
        assert published[name][0] is True, name
    assert {n: published[n][1] for n in CHECK_ITEMS} == {
        n: n == "animate-moves" for n in CHECK_ITEMS}
    hint = game.find_named(Atspi.Role.MENU_ITEM, "Hint")
    assert not ds.states(hint).contains(Atspi.StateType.SENSITIVE)

    # An action run from the bus is the menu's command: a game starts, and the menu follows.
    call(WINDOW_PATH, "Activate", GLib.Variant("(sava{sv})", ("new-game", [], {})), None)
    game.wait_text("status_label", "You play...")
    game.wait_for(lambda: actions(WINDOW_PATH)["hint"][0], 5, "the hint enabled")
    game.wait_for(lambda: ds.states(hint).contains(Atspi.StateType.SENSITIVE), 5,
                  "the Hint item sensitive")
    assert actions(WINDOW_PATH)["save-record"][0] is True

    # A state set from the bus ticks the item and is remembered.
    call(WINDOW_PATH, "SetState",
         GLib.Variant("(sva{sv})", ("smooth-pieces", GLib.Variant("b", True), {})), None)
    smooth = game.find_named(Atspi.Role.CHECK_MENU_ITEM, "Smooth pieces")
    game.wait_for(lambda: ds.is_checked(smooth), 5, "Smooth pieces ticked")
    prefs = os.path.join(game.workdir, "config", "zarvo", "preferences.ini")
    with open(prefs) as f:
        assert "smooth-pieces=true" in f.read()

    # The keys act on the same actions: S, and Control with "=" (the key of "+"), with the
    # number pad's "+" and with 0.
    x, y, w, h = game.extents(game.find("status_label"))
    harness.xtest.fake_input(game.x, X.MotionNotify, x=x + w // 2, y=y + h // 2)
    game.press_key("s")
    wait_action(game, "smooth-pieces", (True, False), "S to untick Smooth pieces")
    assert not ds.is_checked(smooth)
    game.press_key("equal", ctrl=True)
    game.wait_for(lambda: game.zoom() == 2, 5, "Control and = to zoom in")
    game.press_key("KP_Add", ctrl=True)
    game.wait_for(lambda: game.zoom() == 3, 5, "Control and the pad's + to zoom in")
    wait_action(game, "zoom-in", (False, None), "no zooming in past three times")
    game.press_key("0", ctrl=True)
    game.wait_for(lambda: game.zoom() == 1, 5, "Control and 0 for the normal size")
    wait_action(game, "normal-size", (False, None), "Normal size disabled again")

    # Quitting is the application's: from the bus it ends the program as Exit does.
    call(APP_PATH, "Activate", GLib.Variant("(sava{sv})", ("quit", [], {})), None)
    assert game.wait_exit() == 0


harness.run(test_a_second_start_raises_the_first_window_and_ends,
            test_every_command_is_an_action_on_the_session_bus)
