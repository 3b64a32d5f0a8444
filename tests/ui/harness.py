"""Drives the real Zarvo window the way a person would, for the GUI tests.

Each test script calls ``harness.run(test, ...)``. The script first runs as a supervisor: it starts
a private Xvfb (``-displayfd`` picks a free display, ``-noreset`` keeps it alive between
clients) and re-runs itself inside ``dbus-run-session`` so that the accessibility bus lives and
dies with the test. Inside the session ``run`` starts the game binary (``sys.argv[1]``) with
``G_DEBUG=fatal-criticals``, ``GDK_BACKEND=x11`` and ``GTK_THEME=Adwaita`` in a scratch working
directory, and calls ``test(game)`` with a :class:`Game`; each test gets a fresh program.

What a test can do with a :class:`Game`:

- ``game.text("status_label")``: the text of a widget, found by its accessible id;
- ``game.wait_text(id, text)`` / ``game.wait_for(predicate)``: poll with a timeout;
- ``game.click_square("c3")``: a real left click on a square, turned as the window turns it;
  ``game.click_board(x, y)`` clicks a pixel of the 252 x 252 board area;
- ``game.click_id("play_button")``, ``game.menu("Game", "Start new game")``: real clicks on
  buttons and menus (menus open by a click on their title, then a click on the item);
- ``game.board_shot()`` / ``game.window_shot()`` / ``game.screen_shot()``: an :class:`Image`
  with ``pixel(x, y)`` as "#rrggbb" and ``save(path)``;
- ``game.sync()``: returns once every click sent before has been handled;
- ``game.close_window()``: the window manager's close button (a WM_DELETE_WINDOW message);
- ``game.wait_exit()``: the exit status; ``game.stderr()`` what the program printed.

On leaving, ``run`` fails the test if the program printed a GTK critical or warning, and stops
the program if it is still running. A test fails by raising (plain ``assert`` is fine).
"""

import os
import select
import shutil
import subprocess
import sys
import tempfile
import time

import gi

gi.require_version("Atspi", "2.0")
from gi.repository import Atspi  # noqa: E402
from Xlib import XK, X, Xatom, display  # noqa: E402
from Xlib.ext import xtest  # noqa: E402
from Xlib.protocol import event as xevent  # noqa: E402

IN_SESSION = "ZARVO_GUI_TEST_SESSION"
SUPERVISOR_TIMEOUT = 60

# Board layout in the drawing area, as the game draws it.
MARGIN = 30
SQUARE = 24
AREA = 252


# Accessible ids of the main window's widgets, which live as long as the program.
MAIN_WINDOW_IDS = {
    "score_label", "status_label", "board", "cancel_button", "play_button", "game_menu",
    "options_menu", "help_menu", "new_game_item", "load_game_item", "save_game_item",
    "exit_item", "set_options_item", "set_variant_item", "about_item", "rules_item",
}


# What a program prints on standard error only when something went wrong.
FAULT_WORDS = ("CRITICAL", "WARNING", "Gtk-ERROR", "atk-bridge", "ERROR: AddressSanitizer",
               "ERROR: LeakSanitizer", "runtime error:")


class TestFailure(AssertionError):
    pass


def is_showing(node):
    """Whether a widget is on screen now (read afresh, not from the accessibility cache)."""
    node.clear_cache()
    return node.get_state_set().contains(Atspi.StateType.SHOWING)


def _start_xvfb():
    read_end, write_end = os.pipe()
    xvfb = subprocess.Popen(
        ["Xvfb", "-displayfd", str(write_end), "-screen", "0", "1280x1024x24",
         "-nolisten", "tcp", "-noreset"],
        pass_fds=(write_end,), stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    os.close(write_end)
    number = b""
    deadline = time.monotonic() + 10
    while not number.endswith(b"\n"):
        ready, _, _ = select.select([read_end], [], [], max(0.0, deadline - time.monotonic()))
        if not ready:
            xvfb.kill()
            raise TestFailure("Xvfb did not report its display")
        chunk = os.read(read_end, 16)
        if not chunk:
            xvfb.kill()
            raise TestFailure("Xvfb exited before reporting its display")
        number += chunk
    os.close(read_end)
    return xvfb, ":" + number.decode().strip()


def _supervise(timeout):
    xvfb, display_name = _start_xvfb()
    env = dict(os.environ, DISPLAY=display_name, **{IN_SESSION: "1"})
    try:
        child = subprocess.run(
            ["dbus-run-session", "--", "/usr/bin/python3"] + sys.argv,
            env=env, timeout=timeout)
        return child.returncode
    except subprocess.TimeoutExpired:
        print("GUI test timed out", file=sys.stderr)
        return 1
    finally:
        xvfb.terminate()
        try:
            xvfb.wait(5)
        except subprocess.TimeoutExpired:
            xvfb.kill()


def run(*tests, extra_env=None, timeout=SUPERVISOR_TIMEOUT):
    """Runs each ``test(game)`` against a fresh copy of the binary named on the command line,
    all in one X server and session, with ``extra_env`` and the test's own ``test.extra_env``
    added to the program's environment; exits with the result, or fails once ``timeout``
    seconds have passed."""
    if os.environ.get(IN_SESSION) != "1":
        sys.exit(_supervise(timeout))
    binary = os.path.abspath(sys.argv[1])
    for test in tests:
        # A test may carry an environment of its own (a language, say).
        game = Game(binary, dict(extra_env or {}, **getattr(test, "extra_env", {})))
        try:
            test(game)
            game.check_no_criticals()
        except BaseException:
            print("--- %s: program stderr ---\n%s" % (test.__name__, game.stderr()),
                  file=sys.stderr)
            raise
        finally:
            game.stop()
        print("PASS", test.__name__)


def wait_for(predicate, timeout=5.0, what="condition", interval=0.01):
    """Polls ``predicate`` until it returns a true value, which is returned."""
    deadline = time.monotonic() + timeout
    while True:
        value = predicate()
        if value:
            return value
        if time.monotonic() > deadline:
            raise TestFailure("timed out waiting for " + what)
        time.sleep(interval)


class Image:
    """Pixels of a rectangle of the screen, read straight from the X server."""

    def __init__(self, width, height, bgrx):
        self.width = width
        self.height = height
        self._data = bgrx

    def rgb(self, x, y):
        i = 4 * (y * self.width + x)
        return self._data[i + 2], self._data[i + 1], self._data[i]

    def pixel(self, x, y):
        return "#%02x%02x%02x" % self.rgb(x, y)

    def crop(self, x, y, width, height):
        rows = []
        for row in range(y, y + height):
            start = 4 * (row * self.width + x)
            rows.append(self._data[start:start + 4 * width])
        return Image(width, height, b"".join(rows))

    def save(self, path):
        rgb = bytearray()
        for y in range(self.height):
            for x in range(self.width):
                rgb.extend(self.rgb(x, y))
        subprocess.run(["/usr/bin/convert", "-size", "%dx%d" % (self.width, self.height),
                        "-depth", "8", "rgb:-", path], input=bytes(rgb), check=True)


class Game:
    """The running program, its window and its accessibility tree."""

    def __init__(self, binary, extra_env=None, prepare=None):
        self.binary = binary
        self.workdir = tempfile.mkdtemp(prefix="zarvo-gui-")
        # A test may put files in place (a saved game, preferences) before the program starts.
        if prepare:
            prepare(self.workdir)
        # Preferences go to a folder of the test's own, not the user's.
        env = dict(os.environ, G_DEBUG="fatal-criticals", GDK_BACKEND="x11",
                   GTK_THEME="Adwaita", XDG_CONFIG_HOME=os.path.join(self.workdir, "config"))
        env.pop("NO_AT_BRIDGE", None)
        env.pop(IN_SESSION, None)
        # In English whatever the language of the machine, unless a test asks for another.
        env.pop("LANGUAGE", None)
        env["LC_ALL"] = "C.UTF-8"
        env.update(extra_env or {})
        # Device pixels per logical pixel: the accessibility tree speaks in logical ones.
        self.scale = int(env.get("GDK_SCALE", "1"))
        self._stderr_path = os.path.join(self.workdir, "stderr.txt")
        self._stderr_file = open(self._stderr_path, "wb")
        # What the program runs with, for a test that starts it a second time.
        self.env = env
        self.launched = time.monotonic()
        self.proc = subprocess.Popen([binary], cwd=self.workdir, env=env,
                                     stdout=subprocess.DEVNULL, stderr=self._stderr_file)
        self.x = display.Display()
        self.root = self.x.screen().root
        self.app = wait_for(self._find_app, 10, "the program on the accessibility bus")
        self._ids = {}
        wait_for(lambda: self._showing("board"), 10, "the board on screen")
        self.window = wait_for(self._find_window, 5, "the window named Zarvo")

    # --- finding things ---------------------------------------------------------------------

    def _find_app(self):
        if self.proc.poll() is not None:
            raise TestFailure("the program exited with %d at start-up" % self.proc.returncode)
        desktop = Atspi.get_desktop(0)
        for i in range(desktop.get_child_count()):
            app = desktop.get_child_at_index(i)
            try:
                if app is not None and app.get_process_id() == self.proc.pid:
                    return app
            except gi.repository.GLib.Error:
                continue
        return None

    def _find_window(self):
        for child in self.root.query_tree().children:
            pid = child.get_full_property(self.x.intern_atom("_NET_WM_PID"), Xatom.CARDINAL)
            if pid is None or pid.value[0] != self.proc.pid:
                continue
            name = child.get_full_property(self.x.intern_atom("_NET_WM_NAME"),
                                           self.x.intern_atom("UTF8_STRING"))
            if name is not None and name.value == b"Zarvo":
                return child
        return None

    def _walk(self, node):
        yield node
        for i in range(node.get_child_count()):
            child = node.get_child_at_index(i)
            if child is not None:
                yield from self._walk(child)

    def find(self, accessible_id, timeout=5.0):
        """The accessible with this id (widgets of the main window are looked up once)."""
        if accessible_id in self._ids:
            return self._ids[accessible_id]

        def look():
            self.app.clear_cache()
            for node in self._walk(self.app):
                if node.get_accessible_id() == accessible_id:
                    return node
            return None
        node = wait_for(look, timeout, "accessible id " + accessible_id)
        if accessible_id in MAIN_WINDOW_IDS:
            self._ids[accessible_id] = node
        return node

    def find_named(self, role, name, timeout=5.0):
        """The first accessible with this role and name (dialog widgets, menu titles)."""
        def look():
            self.app.clear_cache()
            for node in self._walk(self.app):
                if node.get_role() == role and node.get_name() == name:
                    return node
            return None
        return wait_for(look, timeout, "%s %r" % (role.value_nick, name))

    def _showing(self, accessible_id):
        return is_showing(self.find(accessible_id))

    def text(self, accessible_id):
        """The text a label shows."""
        node = self.find(accessible_id)
        return node.get_text_iface().get_text(0, -1)

    def wait_text(self, accessible_id, expected, timeout=5.0):
        wait_for(lambda: self.text(accessible_id) == expected, timeout,
                 "%s to read %r (it reads %r)" % (accessible_id, expected,
                                                   self.text(accessible_id)))

    def wait_for(self, predicate, timeout=5.0, what="condition"):
        return wait_for(predicate, timeout, what)

    def extents(self, node):
        r = node.get_extents(Atspi.CoordType.SCREEN)
        return r.x, r.y, r.width, r.height

    def board_origin(self):
        """Screen position of the board area's top-left pixel."""
        x, y, w, h = self.extents(self.find("board"))
        assert w == h and w % AREA == 0, "board is %dx%d" % (w, h)
        return x, y

    def zoom(self):
        """How many times its normal size the board is drawn."""
        return self.extents(self.find("board"))[2] // AREA

    def flipped(self):
        """Whether rank 1 is at the top: the human plays blue when the computer moves first (two
        players always see rank 8 at the top)."""
        return self.text("score_label").startswith(" CPU")

    def square_origin(self, name):
        """Board-area pixel of a square's top-left corner, turned as the window turns it."""
        column = ord(name[0]) - ord("a")
        row = ord("8") - ord(name[1])
        screen_row = 7 - row if self.flipped() else row
        return MARGIN + SQUARE * column, MARGIN + SQUARE * screen_row

    # --- acting -----------------------------------------------------------------------------

    def click_screen(self, x, y, button=1):
        """A real press and release at a screen position."""
        xtest.fake_input(self.x, X.MotionNotify, x=int(x), y=int(y))
        xtest.fake_input(self.x, X.ButtonPress, button)
        xtest.fake_input(self.x, X.ButtonRelease, button)
        self.x.sync()

    def click_board(self, x, y, button=1):
        """A click at a pixel of the board at its normal size (scaled with the board)."""
        ox, oy = self.board_origin()
        zoom = self.zoom()
        self.click_screen((ox + x * zoom) * self.scale, (oy + y * zoom) * self.scale, button)

    def click_square(self, name, button=1):
        x, y = self.square_origin(name)
        self.click_board(x + SQUARE // 2, y + SQUARE // 2, button)

    def click_node(self, node):
        x, y, w, h = wait_for(lambda: self._visible_extents(node), 5,
                              "%r to be on screen" % node.get_name())
        self.click_screen((x + w // 2) * self.scale, (y + h // 2) * self.scale)

    def _visible_extents(self, node):
        if not is_showing(node):
            return None
        x, y, w, h = self.extents(node)
        return (x, y, w, h) if w > 0 and h > 0 and x >= 0 and y >= 0 else None

    def click_id(self, accessible_id):
        self.click_node(self.find(accessible_id))

    def menu(self, title, item):
        """Opens a menu of the menu bar with a click on its title and clicks one of its items."""
        self.click_node(self.find_named(Atspi.Role.MENU, title))
        entry = self.find_named(Atspi.Role.MENU_ITEM, item)
        self.click_node(entry)
        wait_for(lambda: not is_showing(entry), 5, "the menu to close")

    def sync(self):
        """Waits until the program has handled every click sent so far: X events are handled in
        order, so once a menu opened by a later click shows, the earlier ones are done. The
        menu is then closed again, with a click on the empty end of the menu bar (a key would
        make the window show its keyboard focus), without choosing anything."""
        title = self.find("help_menu")
        item = self.find("about_item")
        self.click_node(title)
        wait_for(lambda: is_showing(item), 5, "the Help menu to open")
        self.close_menu(item)

    def close_menu(self, item):
        """Closes the open menu holding `item` with a click on the empty end of the menu bar,
        past the last title, as a mouse player would."""
        x, y, w, h = self.extents(self.find("help_menu"))
        self.click_screen(x + w + 8, y + h // 2)
        wait_for(lambda: not is_showing(item), 5, "the menu to close")

    def press_key(self, name, ctrl=False):
        """A real press and release of a key, with Control held if asked (an open menu holds the
        keyboard; otherwise keys go to the window under the pointer)."""
        code = self.x.keysym_to_keycode(XK.string_to_keysym(name))
        control = self.x.keysym_to_keycode(XK.string_to_keysym("Control_L"))
        if ctrl:
            xtest.fake_input(self.x, X.KeyPress, control)
        xtest.fake_input(self.x, X.KeyPress, code)
        xtest.fake_input(self.x, X.KeyRelease, code)
        if ctrl:
            xtest.fake_input(self.x, X.KeyRelease, control)
        self.x.sync()

    def close_window(self):
        """What a window manager's close button sends: WM_DELETE_WINDOW."""
        protocols = self.x.intern_atom("WM_PROTOCOLS")
        delete = self.x.intern_atom("WM_DELETE_WINDOW")
        message = xevent.ClientMessage(window=self.window, client_type=protocols,
                                       data=(32, [delete, X.CurrentTime, 0, 0, 0]))
        self.window.send_event(message, event_mask=X.NoEventMask)
        self.x.sync()

    # --- reading the screen -----------------------------------------------------------------

    def screen_shot(self, x=0, y=0, width=None, height=None):
        geometry = self.root.get_geometry()
        width = geometry.width - x if width is None else width
        height = geometry.height - y if height is None else height
        raw = self.root.get_image(x, y, width, height, X.ZPixmap, 0xFFFFFFFF)
        return Image(width, height, raw.data)

    def window_shot(self):
        geometry = self.window.get_geometry()
        origin = self.window.translate_coords(self.root, 0, 0)
        return self.screen_shot(-origin.x, -origin.y, geometry.width, geometry.height)

    def board_shot(self):
        ox, oy = self.board_origin()
        size = AREA * self.zoom() * self.scale
        return self.screen_shot(ox * self.scale, oy * self.scale, size, size)

    # --- the end ----------------------------------------------------------------------------

    def wait_exit(self, timeout=10.0):
        try:
            return self.proc.wait(timeout)
        except subprocess.TimeoutExpired:
            raise TestFailure("the program did not exit")

    def stderr(self):
        if self._stderr_file.closed:
            return self._final_stderr
        self._stderr_file.flush()
        with open(self._stderr_path, "rb") as f:
            return f.read().decode(errors="replace")

    def check_no_criticals(self):
        """Fails on anything GTK, GLib, ATK's bridge or a sanitizer says went wrong: criticals
        and warnings of any domain (those of no domain print as "WARNING **"), a bad string
        handed to a screen reader, a sanitizer's report."""
        text = self.stderr()
        for word in FAULT_WORDS:
            if word in text:
                raise TestFailure("the program printed %s:\n%s" % (word, text))

    def stop(self):
        if self._stderr_file.closed:
            return
        if self.proc.poll() is None:
            self.proc.terminate()
            try:
                self.proc.wait(5)
            except subprocess.TimeoutExpired:
                self.proc.kill()
                self.proc.wait()
        self._final_stderr = self.stderr()
        self._stderr_file.close()
        self.x.close()
        shutil.rmtree(self.workdir, ignore_errors=True)
