"""The translations: the committed template holds exactly the texts the sources mark, and every
language translates each of them whole, keeping its places ({1}, {2}, ...), the white space
around it and one mnemonic wherever the English has one, with no two items of a menu or dialog
sharing one.

Usage: catalogues_test.py BUILT_TEMPLATE PO_FOLDER"""

import ast
import os
import re
import sys

# The items that share a menu, a menu bar, a window or a dialog, so their mnemonics must differ.
MNEMONIC_GROUPS = {
    "the menu bar and the main window's buttons": [
        "_Game", "_Options", "_View", "_Help", "_Cancel", "_Play"],
    "the Game menu": [
        "_Start new game", "_Load game", "S_ave game", "_Take back move", "_Replay move",
        "_Hint", "_Move now", "_Open record...", "Save re_cord as...", "Cop_y position",
        "Paste _position", "E_xit"],
    "the Options menu": [
        "Set _options", "Set _variant", "Show _legal moves", "_Play complete moves at once",
        "_Animate moves", "_Two players"],
    "the View menu": ["Zoom _in", "Zoom _out", "_Normal size", "_Smooth pieces", "_Move list"],
    "the Help menu": ["_About", "_Rules"],
    "the options dialog": [
        "_Easy", "_Medium", "_Hard", "E_xpert", "_1 s", "_3 s", "1_0 s",
        "CPU plays _first            ", "_OK"],
    "the variant dialog": ["_Zarvo", "_Turkish Draughts", "_OK"],
}


def read_catalogue(path):
    """{(msgid, msgid_plural): [msgstr, ...]} and the fuzzy msgids of a .po or .pot file."""
    entries, fuzzy = {}, set()
    field, entry, flags = None, None, ""

    def finish():
        if entry is not None and not entry.get("obsolete"):
            key = (entry["msgid"], entry.get("msgid_plural"))
            entries[key] = [entry[k] for k in sorted(entry) if k.startswith("msgstr")]
            if "fuzzy" in entry["flags"] and entry["msgid"]:
                fuzzy.add(entry["msgid"])

    for line in open(path, encoding="utf-8"):
        line = line.strip()
        if not line:
            continue
        if line.startswith("#,"):
            flags += line
            continue
        if line.startswith("#~"):
            continue
        if line.startswith("#"):
            continue
        keyword, _, rest = line.partition(" ")
        if line.startswith('"'):
            entry[field] += ast.literal_eval(line)
            continue
        if keyword == "msgid":
            finish()
            entry, flags = {"flags": flags}, ""
        field = keyword
        entry[field] = ast.literal_eval(rest)
    finish()
    return entries, fuzzy


def edges(text):
    """The white space a text begins and ends with, which lays it out (the score line's leading
    space, the About text's closing line break)."""
    return re.match(r"\s*", text).group(), re.search(r"\s*$", text).group()


def mnemonic(text):
    """The letter after the single underscore of a label, or None."""
    found = re.findall(r"_(.)", text)
    return found[0].lower() if len(found) == 1 else None


def check_language(path, template, problems):
    language = os.path.basename(path)
    entries, fuzzy = read_catalogue(path)
    for (msgid, plural), _ in template.items():
        if not msgid:
            continue
        strings = entries.get((msgid, plural))
        if strings is None or not all(strings) or msgid in fuzzy:
            problems.append("%s: %r is not translated" % (language, msgid))
            continue
        for text in strings:
            if sorted(re.findall(r"\{\d\}", text)) != sorted(re.findall(r"\{\d\}", msgid)):
                problems.append("%s: %r changes the places of %r" % (language, text, msgid))
            if edges(text) != edges(msgid):
                problems.append("%s: %r is not padded as %r is" % (language, text, msgid))
            if mnemonic(msgid) and not mnemonic(text):
                problems.append("%s: %r lost the mnemonic of %r" % (language, text, msgid))
    for group, labels in MNEMONIC_GROUPS.items():
        letters = [mnemonic(entries.get((label, None), [""])[0]) for label in labels]
        taken = [m for m in letters if m]
        if len(set(taken)) != len(taken):
            problems.append("%s: mnemonics shared in %s: %s" % (language, group, letters))


def main():
    built, folder = sys.argv[1], sys.argv[2]
    problems = []
    template, _ = read_catalogue(built)
    committed, _ = read_catalogue(os.path.join(folder, "zarvo.pot"))
    for key in sorted(set(template) ^ set(committed)):
        where = "only in the sources" if key in template else "only in po/zarvo.pot"
        problems.append("template out of step (run the update-po target): %r %s" % (key[0], where))
    for group, labels in MNEMONIC_GROUPS.items():
        missing = [label for label in labels if (label, None) not in template]
        if missing:
            problems.append("%s names labels the sources no longer have: %s" % (group, missing))
    languages = sorted(f for f in os.listdir(folder) if f.endswith(".po"))
    if languages != ["el.po", "tr.po"]:
        problems.append("expected Greek and Turkish, found %s" % languages)
    for name in languages:
        check_language(os.path.join(folder, name), template, problems)
    for problem in problems:
        print(problem)
    print("%d texts, %d languages, %d problems" % (len(template) - 1, len(languages),
                                                   len(problems)))
    return 1 if problems else 0


if __name__ == "__main__":
    sys.exit(main())
