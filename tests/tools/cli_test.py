#!/usr/bin/env python3
"""zarvo-cli driven as a script would: exact output, exit statuses and one-line errors."""

import os
import subprocess
import sys
import tempfile
import unittest

CLI = None

START = "......../xxxxxxxx/xxxxxxxx/......../......../oooooooo/oooooooo/........"


def pos(pieces):
    """A POS text holding the given pieces, e.g. {"c3": "o", "c4": "x"}."""
    rows = [["."] * 8 for _ in range(8)]
    for name, piece in pieces.items():
        rows[ord("8") - ord(name[1])][ord(name[0]) - ord("a")] = piece
    return "/".join("".join(r) for r in rows)


# English whatever the language of the machine: the errors are checked word for word.
ENGLISH = dict({k: v for k, v in os.environ.items() if not k.startswith(("LANG", "LC_"))},
               LC_ALL="C.UTF-8")


def run(*args):
    return subprocess.run([CLI, *args], capture_output=True, text=True, timeout=120, env=ENGLISH)


class Moves(unittest.TestCase):
    def test_start_position(self):
        r = run("moves", "--variant", "greek", "--prune", "1", "--side", "O", "--pos", "start")
        self.assertEqual(r.returncode, 0)
        self.assertEqual(r.stdout, ",a3a4,b3b4,c3c4,d3d4,e3e4,f3f4,g3g4,h3h4\n8\n")
        self.assertEqual(r.stderr, "")

    def test_capture_lists_by_variant(self):
        p = pos({"c3": "o", "f2": "o", "c4": "x", "c6": "x", "e5": "x", "h7": "x"})
        greek = run("moves", "--variant", "greek", "--prune", "0", "--side", "O", "--pos", p)
        self.assertEqual(greek.stdout, ",c3b3,c3d3,f2e2,f2f3,f2g2,c3c5,c3c5c7\n7\n")
        turkish = run("moves", "--variant", "turkish", "--prune", "0", "--side", "O", "--pos", p)
        self.assertEqual(turkish.stdout, ",c3c5c7\n1\n")

    def test_pruning_flag(self):
        p = pos({"a1": "O", "a3": "x", "a6": "x"})
        full = run("moves", "--variant", "turkish", "--prune", "0", "--side", "O", "--pos", p)
        self.assertEqual(full.stdout, ",a1a4a7,a1a4a8,a1a5a7,a1a5a8\n4\n")
        pruned = run("moves", "--variant", "turkish", "--prune", "1", "--side", "O", "--pos", p)
        self.assertEqual(pruned.stdout, ",a1a4a7,a1a4a8\n2\n")

    def test_no_moves_is_an_empty_line(self):
        p = pos({"a4": "x", "a3": "x", "b2": "x", "c2": "x", "a2": "o"})
        r = run("moves", "--variant", "greek", "--prune", "1", "--side", "O", "--pos", p)
        self.assertEqual(r.stdout, "\n0\n")


class Perft(unittest.TestCase):
    def test_turkish_start(self):
        r = run("perft", "--variant", "turkish", "--prune", "0", "--side", "O", "--depth", "5",
                "--pos", "start")
        self.assertEqual(r.returncode, 0)
        self.assertEqual(r.stdout, "1 8\n2 64\n3 708\n4 7538\n5 85090\n")
        self.assertIn("nodes/s", r.stderr)

    def test_terminal_and_pass(self):
        walled = pos({"a4": "x", "a3": "x", "b2": "x", "c2": "x", "a2": "o"})
        r = run("perft", "--variant", "greek", "--prune", "1", "--side", "O", "--depth", "2",
                "--pos", walled)
        self.assertEqual(r.stdout, "1 1\n2 6\n")
        lone = pos({"d4": "O"})
        r = run("perft", "--variant", "greek", "--prune", "1", "--side", "O", "--depth", "1",
                "--pos", lone)
        self.assertEqual(r.stdout, "1 0\n")


class LegalAndApply(unittest.TestCase):
    def test_legal(self):
        p = pos({"a1": "O", "a3": "x", "c4": "x", "d3": "x", "b1": "X"})
        cases = [("turkish", "a1a4d4d1a1", "1"), ("turkish", "a1a4", "0"),
                 ("greek", "a1a4d4", "1"), ("greek", "a1", "0")]
        for variant, path, expected in cases:
            r = run("legal", "--variant", variant, "--side", "O", "--pos", p, "--path", path)
            self.assertEqual((r.returncode, r.stdout), (0, expected + "\n"), (variant, path))

    def test_apply(self):
        r = run("apply", "--variant", "greek", "--pos", "start", "--move", "c3c4")
        self.assertEqual(r.stdout, "......../xxxxxxxx/xxxxxxxx/......../..o...../oo.ooooo/oooooooo/........\n")
        p = pos({"a1": "O", "a3": "x", "c5": "x"})
        r = run("apply", "--variant", "turkish", "--pos", p, "--move", "a1a5e5")
        self.assertEqual(r.stdout.strip(), pos({"e5": "O"}))
        r = run("apply", "--variant", "greek", "--pos", pos({"c6": "o", "c7": "x"}), "--move", "c6c8")
        self.assertEqual(r.stdout.strip(), pos({"c8": "O"}))


# Red's man walled in on a2 passes; then a Turkish game whose last move is not legal.
WALLED = '[GameType "50"]\n[FEN "W:Wa2:Ba4,a3,b2,c2"]\n1... c2-c1 {crowned} 2. a2xc2 *\n'
BROKEN = '[Event "Bad"]\n[GameType "30"]\n1. c3-c4 f6-f5 2. c4-d4 f5-e5 3. d4-d5 d6xd4 4. d3xd5 *\n'


class Records(unittest.TestCase):
    def setUp(self):
        self.dir = tempfile.TemporaryDirectory()

    def tearDown(self):
        self.dir.cleanup()

    def file(self, name, text):
        path = os.path.join(self.dir.name, name)
        with open(path, "w", encoding="latin-1") as f:
            f.write(text)
        return path

    def test_every_game_is_printed_until_the_first_fault(self):
        r = run("pdn", self.file("two.pdn", WALLED + "\n" + BROKEN))
        self.assertEqual(r.returncode, 1)
        self.assertEqual(r.stdout, "\n".join([
            "Game 1",
            '[GameType "50"]',
            '[FEN "W:Wa2:Ba4,a3,b2,c2"]',
            "Variant: greek",
            "Moves: 1... c2-c1 2. a2xc2 *",
            "Position: " + pos({"a4": "x", "a3": "x", "c2": "o", "c1": "X"}),
            "To move: X",
            ""]))
        self.assertEqual(r.stderr, "zarvo-cli pdn: Game 2: Move 4: d3xd5 is not a legal move\n")
        good = run("pdn", self.file("one.pdn", WALLED))
        self.assertEqual((good.returncode, good.stderr), (0, ""))

    def test_files_that_are_no_record(self):
        for name, text, message in [
                ("big.pdn", " " * (1 << 20) + "*", "The file is larger than 1 MiB"),
                ("junk.pdn", "\x00\x01\x02", "The file holds binary data, not PDN text"),
                ("draughts.pdn", '[GameType "20"]\n1. 32-28 *', 'Game 1: Unknown game type "20"')]:
            r = run("pdn", self.file(name, text))
            self.assertEqual((r.returncode, r.stdout), (1, ""), name)
            self.assertEqual(r.stderr, "zarvo-cli pdn: " + message + "\n")

    def test_fen_stands_for_pos_and_side(self):
        fen = "B:WKd4,a2:Bd6,h7"
        p = pos({"a2": "o", "d4": "O", "d6": "x", "h7": "x"})
        for command in (["moves", "--prune", "0"], ["perft", "--prune", "0", "--depth", "3"],
                        ["analyse", "--level", "1"], ["best", "--level", "1", "--seed", "3"]):
            by_pos = run(*command, "--variant", "turkish", "--side", "X", "--pos", p)
            by_fen = run(*command, "--variant", "turkish", "--fen", fen)
            self.assertEqual((by_fen.returncode, by_fen.stdout), (0, by_pos.stdout), command)
            agreeing = run(*command, "--variant", "turkish", "--side", "X", "--fen", fen)
            self.assertEqual(agreeing.stdout, by_pos.stdout, command)
        r = run("apply", "--variant", "turkish", "--fen", fen, "--move", "d4d5")
        self.assertEqual(r.stdout.strip(), pos({"a2": "o", "d5": "O", "d6": "x", "h7": "x"}))
        r = run("legal", "--variant", "turkish", "--fen", fen, "--path", "d6d5")
        self.assertEqual(r.stdout, "1\n")


class BadInput(unittest.TestCase):
    def assert_usage_error(self, *args):
        r = run(*args)
        self.assertEqual(r.returncode, 2, args)
        self.assertEqual(r.stdout, "", args)
        self.assertEqual(r.stderr.count("\n"), 1, (args, r.stderr))
        self.assertTrue(r.stderr.startswith("zarvo-cli"), r.stderr)

    def test_each_kind_of_bad_input(self):
        bad = [
            (),
            ("dance",),
            ("moves", "--variant", "greek", "--prune", "1", "--side", "O", "--pos", "start", "--x", "1"),
            ("moves", "--variant", "greek", "--prune", "1", "--side", "O"),
            ("moves", "--variant", "greek", "--prune", "1", "--side", "O", "--pos"),
            ("moves", "--variant", "italian", "--prune", "1", "--side", "O", "--pos", "start"),
            ("moves", "--variant", "greek", "--prune", "2", "--side", "O", "--pos", "start"),
            ("moves", "--variant", "greek", "--prune", "1", "--side", "o", "--pos", "start"),
            ("moves", "--variant", "greek", "--prune", "1", "--side", "O", "--pos", START[:-1]),
            ("moves", "--variant", "greek", "--prune", "1", "--side", "O", "--pos", START.replace("x", "z", 1)),
            ("moves", "--variant", "greek", "--variant", "greek", "--prune", "1", "--side", "O", "--pos", "start"),
            ("perft", "--variant", "greek", "--prune", "1", "--side", "O", "--depth", "0", "--pos", "start"),
            ("perft", "--variant", "greek", "--prune", "1", "--side", "O", "--depth", "99", "--pos", "start"),
            ("perft", "--variant", "greek", "--prune", "1", "--side", "O", "--depth", "3x", "--pos", "start"),
            ("legal", "--variant", "greek", "--side", "O", "--pos", "start", "--path", "c3c"),
            ("legal", "--variant", "greek", "--side", "O", "--pos", "start", "--path", "c3z4"),
            ("legal", "--variant", "greek", "--side", "O", "--pos", "start", "--path", ""),
            ("apply", "--variant", "greek", "--pos", "start", "--move", "c3d4"),
            ("apply", "--variant", "greek", "--pos", "start", "--move", "c3c4,d3d4"),
            ("apply", "--variant", "greek", "--pos", "start", "--move", "c3c3"),
            ("analyse", "--variant", "greek", "--side", "O", "--pos", "start"),
            ("analyse", "--variant", "greek", "--side", "O", "--level", "2", "--budget", "9", "--pos", "start"),
            ("analyse", "--variant", "greek", "--side", "O", "--level", "4", "--pos", "start"),
            ("analyse", "--variant", "greek", "--side", "O", "--budget", "-3", "--pos", "start"),
            ("analyse", "--variant", "greek", "--side", "O", "--budget", "lots", "--pos", "start"),
            ("analyse", "--variant", "greek", "--side", "Z", "--level", "1", "--pos", "start"),
            ("analyse", "--variant", "greek", "--side", "O", "--level", "1", "--pos", "middle"),
            ("best", "--variant", "turkish", "--side", "X", "--level", "3", "--pos", "start"),
            ("best", "--variant", "turkish", "--side", "X", "--level", "3", "--seed", "x1", "--pos", "start"),
            ("best", "--variant", "turkish", "--side", "X", "--level", "3", "--seed", "-1", "--pos", "start"),
            ("analyse", "--engine", "expert", "--variant", "greek", "--side", "O", "--pos", "start"),
            ("analyse", "--engine", "expert", "--time", "10", "--depth", "3", "--variant", "greek", "--side", "O", "--pos", "start"),
            ("analyse", "--engine", "deep", "--depth", "3", "--variant", "greek", "--side", "O", "--pos", "start"),
            ("analyse", "--engine", "expert", "--level", "3", "--variant", "greek", "--side", "O", "--pos", "start"),
            ("analyse", "--depth", "3", "--level", "3", "--variant", "greek", "--side", "O", "--pos", "start"),
            ("analyse", "--engine", "expert", "--depth", "0", "--variant", "greek", "--side", "O", "--pos", "start"),
            ("analyse", "--engine", "expert", "--depth", "65", "--variant", "greek", "--side", "O", "--pos", "start"),
            ("analyse", "--engine", "expert", "--time", "1s", "--variant", "greek", "--side", "O", "--pos", "start"),
            ("analyse", "--engine", "expert", "--time", "-5", "--variant", "greek", "--side", "O", "--pos", "start"),
            ("analyse", "--engine", "expert", "--depth", "3", "--variant", "greek", "--side", "O", "--pos", "middle"),
            ("match",),
            ("match", "hard"),
            ("match", "hard", "grandmaster"),
            ("match", "expert:0", "hard"),
            ("match", "expert:", "hard"),
            ("match", "expert:1e3", "hard"),
            ("match", "expert:600001", "hard"),
            ("match", "hard", "easy", "--games", "0"),
            ("match", "hard", "easy", "--games", "many"),
            ("match", "hard", "easy", "--variant", "italian"),
            ("match", "hard", "easy", "--seed", "-1"),
            ("match", "hard", "easy", "--jobs", "0"),
            ("match", "hard", "easy", "medium"),
            ("match", "expert:10", "hard", "--tune", "king=3"),
            ("match", "expert:10", "hard", "--tune", "mobility=x"),
            ("match", "expert:10", "hard", "--tune", "mobility"),
            ("match", "hard", "expert:10", "--tune", "mobility=3"),
            ("match", "hard", "easy", "--pdn", "/nonexistent/match.pdn"),
            ("bench", "--level", "4"),
            ("bench", "--engine", "deep"),
            ("bench", "--time", "100"),
            ("bench", "--engine", "expert", "--level", "3"),
            ("bench", "--engine", "expert", "--time", "0"),
            ("bench", "--positions", "3"),
            ("pdn",),
            ("pdn", "/nonexistent/game.pdn"),
            ("pdn", "/"),
            ("moves", "--variant", "greek", "--prune", "1", "--fen", "W:Wa9:Bb7"),
            ("moves", "--variant", "greek", "--prune", "1", "--fen", "W:Wa2"),
            ("moves", "--variant", "greek", "--prune", "1", "--pos", "start", "--fen", "W:Wa2:Bb7"),
            ("moves", "--variant", "greek", "--prune", "1", "--side", "X", "--fen", "W:Wa2:Bb7"),
            ("moves", "--variant", "greek", "--prune", "1", "--pos", "start"),
            ("best", "--variant", "greek", "--level", "1", "--seed", "1", "--fen", "W:Wa2,a2:Bb7"),
            ("apply", "--variant", "greek", "--fen", "W:Wa8:Bb7", "--move", "a8a7"),
            # A value holding a line break is quoted on the same line.
            ("moves", "--variant", "gre\nek", "--prune", "1", "--side", "O", "--pos", "start"),
            ("moves", "--variant", "greek", "--prune", "1", "--side", "O", "--pos", "start", "--x\ny", "1"),
        ]
        for args in bad:
            self.assert_usage_error(*args)

    def test_an_empty_value_is_refused_not_taken_for_a_missing_one(self):
        # Each of these options has a meaning when it is left out (a default, another option's
        # value, no file written); given empty, it is a bad value all the same.
        for args in [
            ("match", "easy", "easy", "--games", ""),
            ("match", "easy", "easy", "--games", "1", "--pdn", ""),
            ("match", "expert:10", "easy", "--games", "1", "--tune", ""),
            ("bench", "--engine", "expert", "--time", ""),
            ("bench", "--level", ""),
            ("analyse", "--variant", "greek", "--side", "O", "--level", "1", "--budget", "", "--pos", "start"),
            ("moves", "--variant", "greek", "--prune", "1", "--side", "", "--fen", "W:Wa2:Bb7"),
        ]:
            self.assert_usage_error(*args)
            option = next(a for a, b in zip(args, args[1:]) if b == "")
            self.assertIn("%s must not be empty" % option, run(*args).stderr)

    def test_help(self):
        r = run("--help")
        self.assertEqual(r.returncode, 0)
        for word in ("moves", "perft", "legal", "apply", "pdn", "--variant", "--pos", "--fen"):
            self.assertIn(word, r.stdout)


if __name__ == "__main__":
    CLI = sys.argv.pop(1)
    unittest.main(verbosity=1)
