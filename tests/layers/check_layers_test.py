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


if __name__ == "__main__":
    unittest.main()
