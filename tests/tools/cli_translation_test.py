#!/usr/bin/env python3
"""zarvo-cli's words for people go to translators: every piece of its help and its own error
messages is a msgid of the build's translation template, and in English they read as before.

    cli_translation_test.py ZARVO_CLI TEMPLATE
"""

import ast
import os
import re
import subprocess
import sys
import unittest

CLI = TEMPLATE = None

COMMANDS = ("moves", "perft", "legal", "apply", "analyse", "best", "bench", "pdn", "match")

# zarvo-cli --help up to its footer, as it has always read in English.
HELP_HEAD = """\
Looks into positions and game records of Zarvo draughts with the game's own rules engine and computer player.
Usage: zarvo-cli [OPTIONS] SUBCOMMAND

Options:
  -h,--help                   Print this help message and exit

Subcommands:
  moves                       The side's legal moves as the generator lists them
  perft                       Counts move sequences to a depth
  legal                       Whether a path is one whole legal move
  apply                       The position after a move
  analyse                     The computer's score for each move
  best                        The move the computer plays
  bench                       Times the computer's search on fixed positions
  pdn                         Checks every game of a PDN file
  match                       Games between two of the computer's levels

"""


def run(*args):
    """zarvo-cli in English: no language asked for in the environment."""
    env = {k: v for k, v in os.environ.items() if not k.startswith(("LANG", "LC_"))}
    return subprocess.run([CLI, *args], capture_output=True, text=True, timeout=60, env=env)


def read_template(path):
    """The template's entries: each msgid, unescaped, with its comments and source files."""
    entries = {}
    comments, parts = [], None
    with open(path, encoding="utf-8") as template:
        for line in template:
            if line.startswith(("#.", "#:")):
                comments.append(line[2:].strip())
            elif line.startswith("msgid "):
                parts = [ast.literal_eval(line[6:])]
            elif line.startswith('"') and parts is not None:
                parts.append(ast.literal_eval(line))
            elif parts is not None:
                entries.setdefault("".join(parts), []).extend(comments)
                comments, parts = [], None
    return entries


class Translatable(unittest.TestCase):
    @classmethod
    def setUpClass(cls):
        # The build makes the template from the sources with every build of the programs.
        cls.entries = read_template(TEMPLATE)

    def assert_msgid(self, text, where):
        self.assertTrue(text in self.entries, "%s: %r is not in the template" % (where, text))

    def test_every_piece_of_the_help_is_a_msgid(self):
        for command in [()] + [(c,) for c in COMMANDS]:
            where = " ".join(("zarvo-cli",) + command)
            r = run(*command, "--help")
            self.assertEqual((r.returncode, r.stderr), (0, ""), where)
            description, usage, rest = r.stdout.split("\n", 2)
            self.assert_msgid(description, where)
            label, options = re.fullmatch(r"(\w+): \S+ \[(\w+)\].*", usage).groups()
            for word in [label, options] + (["SUBCOMMAND"] if not command else []):
                self.assert_msgid(word, where)
            # The footer closes the help, after a blank line.
            footers = [m for m in self.entries if m and rest.endswith("\n\n" + m + "\n")]
            self.assertEqual(len(footers), 1, "%s: its footer is not one msgid" % where)
            for line in rest[: -len(footers[0]) - 2].splitlines():
                heading = re.fullmatch(r"(\w+):", line)
                entry = re.fullmatch(r"  (\S+)((?: [A-Z]+)*) {2,}(\S.*)", line)
                if heading:
                    self.assert_msgid(heading[1], where)
                elif entry:
                    for word in entry[2].split() + [entry[3]]:
                        self.assert_msgid(word, where)
                else:
                    self.assertEqual(line, "", "%s: a line of unknown form" % where)
            if not command:
                self.assertEqual(r.stdout, HELP_HEAD + footers[0] + "\n")
                self.assertTrue(footers[0].startswith("Commands and their options:\n"))
                self.assertTrue(footers[0].endswith("Each command's own --help says what it prints."))

    def test_errors_are_whole_sentences_with_their_places_explained(self):
        cases = [
            ((), "zarvo-cli: no command given; try 'zarvo-cli --help'",
             "no command given; try 'zarvo-cli --help'"),
            (("dance",), "zarvo-cli: unknown command 'dance'; try 'zarvo-cli --help'",
             "unknown command '{1}'; try 'zarvo-cli --help'"),
            (("moves", "--variant", "italian", "--prune", "1", "--side", "O", "--pos", "start"),
             "zarvo-cli moves: --variant must be greek or turkish, not 'italian'",
             "--variant must be greek or turkish, not '{1}'"),
            (("perft", "--variant", "greek", "--prune", "1", "--side", "O", "--depth", "99",
              "--pos", "start"),
             "zarvo-cli perft: --depth must be a whole number from 1 to 20, not '99'",
             "--{1} must be a whole number from {2} to {3}, not '{4}'"),
            (("apply", "--variant", "greek", "--fen", "W:Wa9:Bb7", "--move", "a8a7"),
             "zarvo-cli apply: --fen is not a position: 'a9' is not a square",
             "--fen is not a position: {1}"),
            (("match", "hard", "expert:0"),
             "zarvo-cli match: a player must be easy, medium, hard, expert or expert:MS with MS "
             "from 1 to 600000, not 'expert:0'",
             "a player must be easy, medium, hard, expert or expert:MS with MS from 1 to {1}, "
             "not '{2}'"),
            (("pdn", "/nonexistent/game.pdn"),
             "zarvo-cli pdn: cannot read the file '/nonexistent/game.pdn'",
             "cannot read the file '{1}'"),
        ]
        for args, line, msgid in cases:
            r = run(*args)
            self.assertEqual((r.returncode, r.stdout, r.stderr), (2, "", line + "\n"), args)
            self.assert_msgid(msgid, args)
        # Whoever translates one of zarvo-cli's messages with places is told what goes in them.
        for msgid, comments in self.entries.items():
            if "{1}" in msgid and any("tools/" in c for c in comments):
                self.assertTrue(any(c.startswith("TRANSLATORS:") for c in comments), msgid)


if __name__ == "__main__":
    CLI, TEMPLATE = sys.argv[1:3]
    del sys.argv[1:3]
    unittest.main(verbosity=1)
