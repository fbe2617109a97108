#!/usr/bin/python3
"""The program's skins from outside: --check-skin for skin authors and scripts, and, under Xvfb,
that the default skin's outline really cuts the window (the pointer outside it is not over it).

Usage: skin_process_test.py PATH_TO_ZR4PCCTRL
"""
import json
import os
import shutil
import subprocess
import sys
import tempfile
import time
import unittest

from x_display import LIMIT_S, ProgramHome, XDisplay

PROGRAM = None


def skins_folder():
    return os.path.join(os.path.dirname(PROGRAM), "skins")


class CheckSkinTest(unittest.TestCase):
    def run_program(self, *args):
        return subprocess.run([PROGRAM, *args], capture_output=True, text=True, timeout=LIMIT_S)

    def test_the_default_skin_as_json(self):
        done = self.run_program("--check-skin", os.path.join(skins_folder(), "skindefa.zip"), "--json")
        self.assertEqual(done.returncode, 0, done.stderr)
        skin = json.loads(done.stdout)
        self.assertEqual(skin["format"], "shaped")
        self.assertEqual(len(skin["buttons"]), 27)
        self.assertEqual(len(skin["labels"]), 11)
        self.assertEqual(set(skin["buttons"][0]), {"x", "y", "visible"})
        self.assertEqual(len(skin["volumeBar"]), 4)
        self.assertEqual(skin["warnings"], [])
        for key in ("author", "description", "kind", "bar", "border"):
            self.assertIn(key, skin)
        # Rows from the top, one-pixel-high runs: the rounded corner leaves the first row short.
        first = skin["outline"][0]
        self.assertEqual(first[1:4:2], [0, 1])
        self.assertGreater(first[0], 0)

    def test_a_strip_skin_and_a_folder(self):
        done = self.run_program("--check-skin", os.path.join(skins_folder(), "classic.ini"), "--json")
        self.assertEqual(done.returncode, 0, done.stderr)
        skin = json.loads(done.stdout)
        self.assertEqual((skin["format"], skin["outline"], skin["border"]), ("strip", [], True))
        with tempfile.TemporaryDirectory() as folder:
            with open(os.path.join(folder, "SKIN.INI"), "w") as f:
                f.write("[Font]\na=Arial,9\n[TransparentColor]\nMainTransparentColor=clFuchsia\n")
            done = self.run_program("--check-skin", folder, "--json")
            self.assertEqual(done.returncode, 0, done.stderr)
            self.assertEqual(json.loads(done.stdout)["warnings"],
                             ["Error  [Font] " + os.path.join(folder, "skin.ini")])

    def test_an_unusable_skin_fails_with_its_error(self):
        with tempfile.TemporaryDirectory() as folder:
            broken = os.path.join(folder, "broken.zip")
            with open(broken, "wb") as f:
                f.write(b"PK\x03\x04" + b"\xff" * 40)
            shutil.copy(os.path.join(skins_folder(), "classic.ini"), os.path.join(folder, "c.ini"))
            with open(os.path.join(folder, "c0.bmp"), "wb") as f:
                f.write(b"BM not a picture")
            for path in (os.path.join(folder, "c.ini"), os.path.join(folder, "missing.zip")):
                done = self.run_program("--check-skin", path)
                self.assertNotEqual(done.returncode, 0)
                self.assertIn("zr4pcctrl: ", done.stderr)


class DefaultSkinTest(unittest.TestCase):
    """ZR4PC_HOME naming a folder without "skins" (a second component, a portable copy): the
    default skin comes from the other skins folders, or else from the program itself, without a
    message that would hold the start."""
    BOX_TEXT = "内蔵のスキンを使います。"

    def setUp(self):
        self.home = tempfile.TemporaryDirectory()
        os.chmod(self.home.name, 0o700)
        self.program_folder = os.path.join(self.home.name, "home")
        os.mkdir(self.program_folder)
        self.env = dict(os.environ, QT_QPA_PLATFORM="offscreen", XDG_RUNTIME_DIR=self.home.name,
                        HOME=self.home.name, XDG_DATA_HOME=os.path.join(self.home.name, "data"),
                        ZR4PC_HOME=self.program_folder,
                        ZR4PC_INSTANCE_NAME="default-skin-test-%d" % os.getpid())

    def tearDown(self):
        self.home.cleanup()

    def start(self, program):
        picture = os.path.join(self.home.name, "window.png")
        done = subprocess.run([program, "--simulate", "--screenshot", picture], env=self.env,
                              capture_output=True, text=True, timeout=LIMIT_S)
        self.assertEqual(done.returncode, 0, done.stderr)
        with open(picture, "rb") as f:
            header = f.read(24)
        self.assertEqual(header[:8], b"\x89PNG\r\n\x1a\n")
        # The default skin's face: 440 x 198.
        self.assertEqual((int.from_bytes(header[16:20], "big"), int.from_bytes(header[20:24], "big")),
                         (440, 198))
        return done.stderr

    def test_the_skins_beside_the_executable_serve(self):
        errors = self.start(PROGRAM)
        self.assertNotIn(self.BOX_TEXT, errors)
        self.assertNotIn("skindefa", errors)

    def test_with_no_skins_folder_anywhere_the_built_in_copy_serves_with_one_line(self):
        alone = os.path.join(self.home.name, "bin")
        os.mkdir(alone)
        shutil.copy(PROGRAM, alone)
        errors = self.start(os.path.join(alone, os.path.basename(PROGRAM)))
        self.assertNotIn(self.BOX_TEXT, errors)
        self.assertEqual(len([line for line in errors.splitlines() if "skindefa.zip" in line]), 1,
                         errors)


@unittest.skipUnless(shutil.which("Xvfb") and shutil.which("xdotool"), "needs Xvfb and xdotool")
class OutlineTest(unittest.TestCase):
    def setUp(self):
        self.home = ProgramHome(PROGRAM)
        self.display = XDisplay()
        self.env = dict(os.environ, DISPLAY=self.display.name, QT_QPA_PLATFORM="xcb",
                        XDG_RUNTIME_DIR=self.home.path, ZR4PC_HOME=self.home.path,
                        ZR4PC_INSTANCE_NAME="outline-test-%d" % os.getpid())
        self.program = subprocess.Popen([PROGRAM, "--simulate"], env=self.env,
                                        stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)

    def tearDown(self):
        self.program.kill()
        self.program.wait(LIMIT_S)
        self.display.stop()
        self.home.cleanup()

    def xdotool(self, *args):
        return subprocess.run(["xdotool", *args], env=self.env, capture_output=True, text=True,
                              timeout=LIMIT_S).stdout

    def window_under(self, x, y):
        self.xdotool("mousemove", "--sync", str(x), str(y))
        fields = dict(line.split("=", 1) for line in self.xdotool("getmouselocation", "--shell").split())
        return int(fields["WINDOW"])

    def test_the_pointer_outside_the_outline_is_not_over_the_window(self):
        window = None
        deadline = time.monotonic() + LIMIT_S
        while window is None and time.monotonic() < deadline:
            found = self.xdotool("search", "--onlyvisible", "--name", "^ZR4PCCtrl$").split()
            window = int(found[0]) if found else None
            time.sleep(0.1)
        self.assertIsNotNone(window, "the window did not show")
        geometry = dict(line.split("=", 1) for line in self.xdotool("getwindowgeometry", "--shell",
                                                                   str(window)).split())
        left, top = int(geometry["X"]), int(geometry["Y"])
        width, height = int(geometry["WIDTH"]), int(geometry["HEIGHT"])
        self.assertEqual((width, height), (440, 198))
        self.assertEqual(self.window_under(left + width // 2, top + height // 2), window)
#The rounded corners are cut away : there the pointer is over the desktop.
        for x, y in ((left, top), (left + width - 1, top + height - 1)):
            self.assertNotEqual(self.window_under(x, y), window, (x, y))
#And a right click there opens no menu.
        self.xdotool("mousemove", "--sync", str(left), str(top), "click", "3")
        time.sleep(0.5)
        visible = self.xdotool("search", "--onlyvisible", "--name", ".*").split()
        self.assertEqual(self.xdotool("search", "--onlyvisible", "--classname", "zr4pcctrl").split(),
                         [str(window)], visible)


if __name__ == "__main__":
    PROGRAM = sys.argv.pop(1)
    unittest.main()
