#!/usr/bin/env python3
"""The rules engine, the computer player and the game hold no mutable state with static storage
duration: every library given on the command line defines no symbol in a writable data or BSS
section. Constants (.rodata, and .data.rel.ro, written once by the loader), type information,
vtables and the compiler's exception-handling references are allowed."""

import subprocess
import sys

WRITABLE = (".data", ".bss", ".tdata", ".tbss")


def mutable_symbols(library):
    out = subprocess.run(["nm", "-C", "--defined-only", "--format=sysv", library],
                         capture_output=True, text=True, check=True).stdout
    found = []
    for line in out.splitlines():
        fields = [f.strip() for f in line.split("|")]
        if len(fields) < 7:
            continue
        name, section = fields[0], fields[6]
        if not section.startswith(WRITABLE) or section.startswith(".data.rel.ro"):
            continue
        if name.startswith(("DW.ref.", "typeinfo for ", "vtable for ")):
            continue
        found.append("%s (%s)" % (name, section))
    return found


def main():
    failed = False
    for library in sys.argv[1:]:
        for symbol in mutable_symbols(library):
            print("%s: mutable static %s" % (library, symbol))
            failed = True
    sys.exit(1 if failed else 0)


if __name__ == "__main__":
    main()
