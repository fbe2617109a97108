#!/usr/bin/env python3
"""The layer check against ARCHITECTURE.md as it stands, and against copies edited wrongly."""

import glob
import os
import re
import subprocess
import sys
import tempfile
import unittest

BUILD = sys.argv.pop(1)
SOURCE = os.path.dirname(os.path.dirname(os.path.dirname(os.path.abspath(__file__))))
CHECK = os.path.join(SOURCE, "scripts", "check-layers.py")
with open(os.path.join(SOURCE, "ARCHITECTURE.md"), encoding="utf-8") as file:
    MAP = file.read()


def check(markdown):
    with tempfile.NamedTemporaryFile("w", suffix=".md", delete=False) as table:
        table.write(markdown)
    try:
        return subprocess.run([sys.executable, CHECK, BUILD, table.name], capture_output=True,
                              text=True)
    finally:
        os.unlink(table.name)


def edit_row(folder, change):
    """The map with the "May include" cell of `folder`'s row changed by `change`."""
    pattern = re.compile(r"^(\| `" + folder + r"` \|[^|]*\| )([^|]*)( \|)$", re.MULTILINE)
    assert pattern.search(MAP), folder
    return pattern.sub(lambda m: m.group(1) + change(m.group(2)) + m.group(3), MAP, count=1)


class LayerCheck(unittest.TestCase):
    def test_the_map_matches_the_build(self):
        result = check(MAP)
        self.assertEqual(result.returncode, 0, result.stderr)

    def test_a_sibling_the_table_adds_is_refused_by_the_build(self):
        # The tray may not include the skin (the skin sits above it); a table that says it may
        # is wrong, since the build refuses that include.
        result = check(edit_row("tray", lambda cell: cell + ", `skin`"))
        self.assertEqual(result.returncode, 1)
        self.assertIn("core/tray cannot include core/skin, which the table lists", result.stderr)

    def test_a_folder_the_table_drops_is_still_reachable(self):
        result = check(edit_row("commands", lambda cell: cell.replace(", `timers`", "")))
        self.assertEqual(result.returncode, 1)
        self.assertIn("core/commands can include core/timers, which the table does not list",
                      result.stderr)

    def test_a_folder_without_a_row(self):
        result = check(re.sub(r"^\| `gestures` \|.*\n", "", MAP, flags=re.MULTILINE))
        self.assertEqual(result.returncode, 1)
        self.assertIn("core/gestures has no row in the table", result.stderr)


class MapNames(unittest.TestCase):
    def test_every_path_the_map_names_exists(self):
        # A path in backquotes names a file or folder of the tree, or of src/; a file moved
        # without the map fails here.
        missing = []
        for name in re.findall(r"`([^`\s<>]+/[^`\s<>]*)`", MAP):
            if not any(glob.glob(os.path.join(SOURCE, *where, name)) for where in ((), ("src",))):
                missing.append(name)
        self.assertEqual(missing, [])


class FolderIncludes(unittest.TestCase):
    def test_no_two_files_of_a_folder_include_each_other(self):
        # Files of one folder build on each other in one direction; a pair that includes each
        # other is one part spread over two files, or a tie the folder's order cannot show.
        pairs = []
        for folder, _, files in [w for ring in ("core", "platform", "shell")
                                  for w in os.walk(os.path.join(SOURCE, "src", ring))]:
            where = os.path.relpath(folder, os.path.join(SOURCE, "src"))
            includes = {}
            for name in files:
                if not name.endswith((".h", ".cpp")):
                    continue
                with open(os.path.join(folder, name), encoding="utf-8") as file:
                    found = re.findall(r'#include "' + re.escape(where) + r'/(\w+)\.h"', file.read())
                stem = name.rsplit(".", 1)[0]
                includes.setdefault(stem, set()).update(f for f in found if f != stem)
            for first, theirs in includes.items():
                pairs += [f"{where}: {first} and {second}" for second in theirs
                          if first < second and first in includes.get(second, ())]
        self.assertEqual(sorted(pairs), [])

    def test_no_adapter_includes_the_controller(self):
        # Adapters are handed what they call; the composition root is the shell's to wire.
        found = []
        for folder, _, files in os.walk(os.path.join(SOURCE, "src", "platform")):
            for name in files:
                with open(os.path.join(folder, name), encoding="utf-8") as file:
                    if re.search(r'#include "(core/app|shell)/', file.read()):
                        found.append(name)
        self.assertEqual(found, [])


if __name__ == "__main__":
    unittest.main()
