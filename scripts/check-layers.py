#!/usr/bin/env python3
"""Holds the core's include roots, as the build gives them, against ARCHITECTURE.md's table.

For every folder of src/core the table says which folders it may include. The build gives each
folder's library an include root per folder it may reach. This check reads the roots each source
file is compiled with (compile_commands.json) and fails when they differ from the table, in
either direction. Then, for every folder the table does not list, it preprocesses an include of
one of that folder's headers with the library's own flags and fails unless that include is
refused: the map is what the compiler enforces, not only what it happens to be handed.

    check-layers.py <build folder> [<ARCHITECTURE.md>]
"""

import json
import os
import re
import shlex
import subprocess
import sys
import tempfile

SOURCE = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
CORE = os.path.join(SOURCE, "src", "core")


def table_of(markdown):
    """The table's rows: folder -> the set of folders it may include."""
    rows = {}
    for line in markdown.splitlines():
        cells = [cell.strip() for cell in line.strip().strip("|").split("|")]
        if len(cells) != 3 or not re.fullmatch(r"`[a-z]+`", cells[0]):
            continue
        folder = cells[0].strip("`")
        may = cells[2]
        rows[folder] = set() if may == "nothing" else set(re.findall(r"`([a-z]+)`", may))
    return rows


def roots_of(build):
    """Each core folder: the include roots its sources are compiled with, and one command."""
    with open(os.path.join(build, "compile_commands.json"), encoding="utf-8") as file:
        commands = json.load(file)
    found = {}
    for entry in commands:
        match = re.match(re.escape(CORE) + r"/([a-z]+)/", entry["file"])
        if not match:
            continue
        words = shlex.split(entry["command"]) if "command" in entry else entry["arguments"]
        roots = set()
        for word in words:
            root = re.search(r"/src/core/include_roots/([a-z]+)$", word)
            if root:
                roots.add(root.group(1))
        folder = match.group(1)
        roots.discard(folder)
        previous = found.get(folder)
        if previous and previous[0] != roots:
            sys.exit(f"core/{folder}: its sources are built with different include roots")
        found[folder] = (roots, words, entry["directory"])
    return found


def refused(words, directory, header):
    """Whether preprocessing an include of `header` with these flags fails to find it."""
    flags = [w for w in words[1:] if w.startswith(("-I", "-D", "-std", "-isystem"))]
    with tempfile.NamedTemporaryFile("w", suffix=".cpp", delete=False) as probe:
        probe.write(f'#include "{header}"\n')
    try:
        result = subprocess.run([words[0], *flags, "-E", "-o", os.devnull, probe.name],
                                cwd=directory, capture_output=True, text=True)
    finally:
        os.unlink(probe.name)
    return result.returncode != 0 and "No such file" in result.stderr


def main():
    if len(sys.argv) not in (2, 3):
        sys.exit(__doc__)
    build = sys.argv[1]
    markdown = sys.argv[2] if len(sys.argv) == 3 else os.path.join(SOURCE, "ARCHITECTURE.md")
    with open(markdown, encoding="utf-8") as file:
        table = table_of(file.read())
    built = roots_of(build)
    folders = sorted(f for f in os.listdir(CORE) if os.path.isdir(os.path.join(CORE, f)))
    faults = []
    for folder in folders:
        if folder not in table:
            faults.append(f"core/{folder} has no row in the table")
        if folder not in built:
            faults.append(f"core/{folder} has no sources in the build")
    for folder in sorted(set(table) - set(folders)):
        faults.append(f"the table lists {folder}, which is not a folder of src/core")
    for folder in folders:
        if folder not in table or folder not in built:
            continue
        roots, words, directory = built[folder]
        for extra in sorted(roots - table[folder]):
            faults.append(f"core/{folder} can include core/{extra}, which the table does not list")
        for missing in sorted(table[folder] - roots):
            faults.append(f"core/{folder} cannot include core/{missing}, which the table lists")
        for other in folders:
            if other == folder or other in table[folder] or other in roots:
                continue
            headers = sorted(h for h in os.listdir(os.path.join(CORE, other)) if h.endswith(".h"))
            if headers and not refused(words, directory, f"core/{other}/{headers[0]}"):
                faults.append(f"core/{folder} compiles an include of core/{other}/{headers[0]}")
    for fault in faults:
        print(fault, file=sys.stderr)
    if faults:
        return 1
    print(f"{len(folders)} core folders include exactly what the table lists")
    return 0


if __name__ == "__main__":
    sys.exit(main())
