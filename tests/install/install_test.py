#!/usr/bin/env python3
"""What `cmake --install` and the Debian package put in place, checked as a person installing
Zarvo would meet it.

    install_test.py CHECK BUILD_DIR STAGE_DIR VERSION

``stage`` installs the build under STAGE_DIR/install (prefix /usr), builds the package with
``cpack -G DEB`` into STAGE_DIR/package and unpacks it into STAGE_DIR/root; every other check reads
those three. ``desktop``, ``metainfo``, ``icons`` and ``manuals`` validate the installed files;
``package`` reads the package's fields and files; ``cli`` and ``window`` run the two programs from
the unpacked package. VERSION is the version the project's CMakeLists.txt declares: the program,
the release notes, the manual pages and the package must all carry it.
"""

import configparser
import glob
import gzip
import os
import re
import select
import shutil
import subprocess
import sys
import tempfile
import time
import xml.etree.ElementTree as ElementTree

from Xlib import X, display
from Xlib.protocol import event

APP_ID = "org.zarvo.Zarvo"
SHARE = "usr/share"
DESKTOP_FILE = "%s/applications/%s.desktop" % (SHARE, APP_ID)
METAINFO_FILE = "%s/metainfo/%s.metainfo.xml" % (SHARE, APP_ID)


class CheckFailed(Exception):
    pass


def expect(condition, message):
    if not condition:
        raise CheckFailed(message)


def run(command, **kwargs):
    """Runs a command to its end and returns it, its output as text."""
    kwargs.setdefault("timeout", 120)
    kwargs.setdefault("text", True)
    return subprocess.run(command, capture_output=True, **kwargs)


def run_ok(command, **kwargs):
    """Runs a command that must succeed, and returns its standard output."""
    done = run(command, **kwargs)
    expect(done.returncode == 0, "%s exited with %d:\n%s%s" % (
        " ".join(command), done.returncode, done.stdout, done.stderr))
    return done.stdout


def files_under(root):
    """The files under a folder, as paths relative to it."""
    found = set()
    for folder, _, names in os.walk(root):
        for name in names:
            found.add(os.path.relpath(os.path.join(folder, name), root))
    return found


def without_display():
    return {k: v for k, v in os.environ.items() if k not in ("DISPLAY", "WAYLAND_DISPLAY")}


def stage(build, stage_dir, version):
    shutil.rmtree(stage_dir, ignore_errors=True)
    run_ok(["cmake", "--install", build, "--prefix", "/usr"],
           env=dict(os.environ, DESTDIR=os.path.join(stage_dir, "install")))
    package = os.path.join(stage_dir, "package")
    run_ok(["cpack", "-G", "DEB", "-B", package, "--config",
            os.path.join(build, "CPackConfig.cmake")], timeout=300)
    debs = glob.glob(os.path.join(package, "*.deb"))
    expect(len(debs) == 1, "cpack made %d packages: %s" % (len(debs), debs))
    run_ok(["dpkg-deb", "-x", debs[0], os.path.join(stage_dir, "root")])


def check_desktop(install, version):
    path = os.path.join(install, DESKTOP_FILE)
    done = run(["desktop-file-validate", path])
    expect(done.returncode == 0 and not done.stdout.strip(),
           "desktop-file-validate:\n" + done.stdout + done.stderr)
    entry = desktop_entry(install)
    # Without Path= a program started from the desktop runs in the home folder, where the game
    # then keeps zarvo.dat.
    expect("path" not in entry, "the desktop entry sets Path=")
    program = entry["exec"].split()[0]
    expect(os.access(os.path.join(install, "usr/bin", program), os.X_OK),
           "Exec=%s is no installed program" % program)
    for icon in ("%s/icons/hicolor/scalable/apps/%s.svg" % (SHARE, entry["icon"]),
                 "%s/icons/hicolor/symbolic/apps/%s-symbolic.svg" % (SHARE, entry["icon"])):
        expect(os.path.isfile(os.path.join(install, icon)), "Icon= has no file " + icon)


def desktop_entry(install):
    parser = configparser.ConfigParser(interpolation=None)
    parser.read(os.path.join(install, DESKTOP_FILE), encoding="utf-8")
    return parser["Desktop Entry"]


def check_metainfo(install, version):
    path = os.path.join(install, METAINFO_FILE)
    run_ok(["appstreamcli", "validate", "--no-net", path])
    component = ElementTree.parse(path).getroot()
    expect(component.findtext("id") == APP_ID, "the metainfo's id is not " + APP_ID)
    launchable = component.findtext("launchable")
    expect(os.path.isfile(os.path.join(install, SHARE, "applications", launchable)),
           "the launchable %s is not installed" % launchable)
    for binary in component.iterfind("provides/binary"):
        expect(os.access(os.path.join(install, "usr/bin", binary.text), os.X_OK),
               "the metainfo provides %s, which is not installed" % binary.text)
    releases = component.findall("releases/release")
    expect(releases and releases[0].get("version") == version,
           "the newest release notes are not for version " + version)
    expect(releases[0].find("description/ul/li") is not None,
           "the release of %s has no notes" % version)


def check_icons(install, version):
    entry = desktop_entry(install)
    scratch = tempfile.mkdtemp(prefix="zarvo-icons-")
    try:
        for kind, icon in (("scalable", entry["icon"]), ("symbolic", entry["icon"] + "-symbolic")):
            svg = os.path.join(install, SHARE, "icons/hicolor", kind, "apps", icon + ".svg")
            for size in (16, 128):
                png = os.path.join(scratch, "%s-%d.png" % (icon, size))
                run_ok(["rsvg-convert", "-w", str(size), "-h", str(size), svg, "-o", png])
                pixels = run(["/usr/bin/convert", png, "-depth", "8", "rgba:-"], text=False)
                expect(pixels.returncode == 0 and len(pixels.stdout) == size * size * 4,
                       "%s does not render at %d px" % (svg, size))
                rgba = pixels.stdout
                # Colours of the pixels that show, but for the faintest of the smoothed edges.
                colours = {rgba[i:i + 3] for i in range(0, len(rgba), 4) if rgba[i + 3] >= 64}
                if kind == "symbolic":
                    # The desktop paints a symbolic icon in the text's colour: one colour only,
                    # give or take the rounding of its edges.
                    first = next(iter(colours))
                    expect(all(max(abs(a - b) for a, b in zip(c, first)) <= 4 for c in colours),
                           "%s is not of one colour" % svg)
                else:
                    expect(len(colours) > 8, "%s at %d px is nearly blank" % (svg, size))
    finally:
        shutil.rmtree(scratch)


def rendered_manual(install, page):
    """The manual page as man shows it at 80 columns; any warning fails."""
    path = os.path.join(install, SHARE, "man/man6", page + ".6.gz")
    done = run(["man", "--warnings", "-l", path],
               env=dict(os.environ, MANWIDTH="80", LC_ALL="C.UTF-8"))
    expect(done.returncode == 0 and not done.stderr,
           "man -l %s:\n%s" % (page, done.stderr))
    return done.stdout


def check_manuals(install, version):
    for page in ("zarvo", "zarvo-cli"):
        with gzip.open(os.path.join(install, SHARE, "man/man6", page + ".6.gz"), "rt") as f:
            header = next(line for line in f if line.startswith(".TH "))
        expect('"Zarvo %s"' % version in header, "%s.6 is not the page of %s" % (page, version))
        text = rendered_manual(install, page)
        expect(text.startswith(page.upper() + "(6)"), "%s.6 renders no header" % page)
    # Every command that zarvo-cli lists has its entry under COMMANDS.
    help_text = run_ok([os.path.join(install, "usr/bin/zarvo-cli"), "--help"])
    listed = re.search(r"^Subcommands:\n((?:  \S.*\n)+)", help_text, re.M)
    expect(listed, "zarvo-cli --help lists no commands")
    commands = [line.split()[0] for line in listed.group(1).splitlines()]
    page = rendered_manual(install, "zarvo-cli")
    section = page.split("\nCOMMANDS\n")[1].split("\nOPTIONS\n")[0]
    documented = set(re.findall(r"^ {7}([a-z]+)\b", section, re.M))
    missing = [c for c in commands if c not in documented]
    expect(not missing, "zarvo-cli.6 does not describe " + ", ".join(missing))
    # And every option of zarvo's own is in its page.
    help_text = run_ok([os.path.join(install, "usr/bin/zarvo"), "--help"], env=without_display())
    options = re.findall(r"^\s+(?:-\w, )?(--[a-z-]+)", help_text.split("Application Options:")[1],
                         re.M)
    page = rendered_manual(install, "zarvo")
    missing = [o for o in options if o not in page]
    expect(options and not missing, "zarvo.6 does not describe " + ", ".join(missing))


def check_package(stage_dir, version):
    deb = glob.glob(os.path.join(stage_dir, "package", "*.deb"))[0]

    def field(name):
        return run_ok(["dpkg-deb", "--field", deb, name]).strip()

    expect(field("Package") == "zarvo", "the package is not named zarvo")
    expect(field("Version") == version + "-1", "the package's version is " + field("Version"))
    expect(field("Section") == "games", "the package is not in section games")
    # No dependency is written by hand: these come from dpkg-shlibdeps reading the programs.
    depends = {d.split()[0] for d in field("Depends").split(", ")}
    for library in ("libc6", "libstdc++6", "libgtkmm-3.0-1v5", "libgtk-3-0"):
        expect(library in depends, "the package does not depend on " + library)
    # The package holds what `cmake --install` puts in place, byte for byte but for the
    # programs, which cpack strips.
    install = os.path.join(stage_dir, "install")
    root = os.path.join(stage_dir, "root")
    installed, packaged = files_under(install), files_under(root)
    expect(installed == packaged, "installed but not packaged: %s; packaged but not installed: %s"
           % (sorted(installed - packaged), sorted(packaged - installed)))
    # Each translation in the source's po/ folder is installed as its catalogue.
    source = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "..")
    languages = {os.path.basename(p)[:-3] for p in glob.glob(os.path.join(source, "po", "*.po"))}
    catalogues = {p.split("/")[3] for p in packaged if p.endswith("/LC_MESSAGES/zarvo.mo")}
    expect(languages == catalogues, "translations %s, catalogues %s" % (languages, catalogues))
    for path in installed:
        if not path.startswith("usr/bin/"):
            with open(os.path.join(install, path), "rb") as a, \
                    open(os.path.join(root, path), "rb") as b:
                expect(a.read() == b.read(), path + " differs in the package")
        else:
            dynamic = run_ok(["readelf", "--dynamic", os.path.join(root, path)])
            expect("RPATH" not in dynamic and "RUNPATH" not in dynamic,
                   path + " looks for libraries in the build folder")


def check_cli(root, version):
    cli = os.path.join(root, "usr/bin/zarvo-cli")
    expect("moves" in run_ok([cli, "--help"]), "zarvo-cli --help lists no commands")
    perft = run([cli, "perft", "--variant", "turkish", "--prune", "0", "--side", "O", "--depth",
                 "4", "--pos", "start"], cwd=tempfile.gettempdir())
    expect(perft.returncode == 0 and perft.stdout == "1 8\n2 64\n3 708\n4 7538\n",
           "zarvo-cli perft from the package printed:\n" + perft.stdout + perft.stderr)


def check_window(root, version):
    program = os.path.join(root, "usr/bin/zarvo")
    # Like any GTK program's, these two answer without a display.
    expect(run_ok([program, "--version"], env=without_display()) == "zarvo %s\n" % version,
           "zarvo --version does not print 'zarvo %s'" % version)
    usage = run_ok([program, "--help"], env=without_display())
    expect(usage.startswith("Usage:") and "--version" in usage, "zarvo --help:\n" + usage)
    show_window(root, program)


def start_xvfb():
    read_end, write_end = os.pipe()
    xvfb = subprocess.Popen(["Xvfb", "-displayfd", str(write_end), "-screen", "0", "800x600x24",
                             "-nolisten", "tcp", "-noreset"], pass_fds=(write_end,),
                            stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    os.close(write_end)
    number = b""
    while not number.endswith(b"\n") and select.select([read_end], [], [], 10)[0]:
        chunk = os.read(read_end, 16)
        number += chunk
        if not chunk:
            break
    os.close(read_end)
    if not number.endswith(b"\n"):
        xvfb.kill()
        raise CheckFailed("Xvfb did not report its display")
    return xvfb, ":" + number.decode().strip()


def show_window(root, program):
    """Starts the unpacked program in a private X server as the desktop would (its icon looked up
    in the package's share folder), waits for its window and closes it as a window manager
    does."""
    xvfb, name = start_xvfb()
    home = tempfile.mkdtemp(prefix="zarvo-home-")
    env = dict(os.environ, DISPLAY=name, HOME=home, GDK_BACKEND="x11", GTK_THEME="Adwaita",
               NO_AT_BRIDGE="1", XDG_DATA_DIRS=os.path.join(root, SHARE) + ":/usr/share")
    errors = open(os.path.join(home, "stderr.txt"), "w+")
    game = subprocess.Popen(["dbus-run-session", "--", program], cwd=home, env=env,
                            stdout=subprocess.DEVNULL, stderr=errors, start_new_session=True)
    screen = display.Display(name)
    try:
        atom = screen.intern_atom
        deadline = time.monotonic() + 30
        window = None
        while window is None:
            expect(time.monotonic() < deadline and game.poll() is None,
                   "the unpacked zarvo showed no window")
            for child in screen.screen().root.query_tree().children:
                attributes = child.get_attributes()
                if attributes.map_state == X.IsViewable and child.get_wm_name() == "Zarvo":
                    window = child
            time.sleep(0.1)
        wm_class = window.get_wm_class()
        expect(wm_class and wm_class[0] == desktop_entry(root)["startupwmclass"],
               "the window's class %s is not the desktop entry's StartupWMClass" % (wm_class,))
        icon = window.get_full_property(atom("_NET_WM_ICON"), X.AnyPropertyType)
        expect(icon is not None and len(icon.value) > 2,
               "the window has no icon: the installed one was not found")
        message = event.ClientMessage(window=window, client_type=atom("WM_PROTOCOLS"),
                                      data=(32, [atom("WM_DELETE_WINDOW"), X.CurrentTime,
                                                 0, 0, 0]))
        window.send_event(message, event_mask=X.NoEventMask)
        screen.sync()
        expect(game.wait(timeout=20) == 0, "zarvo did not exit cleanly once closed")
        errors.seek(0)
        complaints = [line for line in errors if "-CRITICAL" in line or "-WARNING" in line]
        expect(not complaints, "zarvo complained:\n" + "".join(complaints))
    finally:
        if game.poll() is None:
            os.killpg(game.pid, 9)
            game.wait()
        screen.close()
        xvfb.terminate()
        xvfb.wait(10)
        errors.close()
        shutil.rmtree(home, ignore_errors=True)


# Each check and the folder it reads: the installed tree, the unpacked package, or both.
CHECKS = {"desktop": (check_desktop, "install"), "metainfo": (check_metainfo, "install"),
          "icons": (check_icons, "install"), "manuals": (check_manuals, "install"),
          "package": (check_package, ""), "cli": (check_cli, "root"),
          "window": (check_window, "root")}


def main():
    check, version = sys.argv[1], sys.argv[4]
    build, stage_dir = (os.path.abspath(path) for path in sys.argv[2:4])
    try:
        if check == "stage":
            stage(build, stage_dir, version)
        else:
            function, folder = CHECKS[check]
            function(os.path.join(stage_dir, folder), version)
    except CheckFailed as failure:
        print("FAIL %s: %s" % (check, failure), file=sys.stderr)
        return 1
    print("PASS", check)
    return 0


if __name__ == "__main__":
    sys.exit(main())
