#!/usr/bin/python3
"""The program as a Wayland client of a headless weston: such a client never learns where its
window is, so an exit must write back the window position the settings file held (saved by an
X11 run) rather than a made-up corner that would open the next X11 run in the top-left corner.

Usage: wayland_place_test.py PATH_TO_ZR4PCCTRL PATH_TO_QT_WAYLAND_PLATFORM_PLUGIN
"""
import configparser
import os
import subprocess
import sys
import unittest

from x_display import LIMIT_S, ProgramHome, require_tools, wait_until

PROGRAM = None
SOCKET = "zr4-wayland-place-%d" % os.getpid()


class WaylandPlaceTest(unittest.TestCase):
    def setUp(self):
        self.home = ProgramHome(PROGRAM)
        self.compositor = subprocess.Popen(
            ["weston", "--backend=headless-backend.so", "--socket=" + SOCKET, "--idle-time=0",
             "--no-config"],
            env=dict(os.environ, XDG_RUNTIME_DIR=self.home.path), stdout=subprocess.DEVNULL,
            stderr=subprocess.DEVNULL)
        self.program = None
        self.assertTrue(wait_until(lambda: os.path.exists(os.path.join(self.home.path, SOCKET))),
                        "weston did not open its socket")
        self.env = {k: v for k, v in os.environ.items() if k not in ("DISPLAY", "QT_QPA_PLATFORM")}
        self.env.update(ZR4PC_WAYLAND="1", WAYLAND_DISPLAY=SOCKET, QT_QPA_PLATFORM="wayland",
                        HOME=self.home.path, XDG_RUNTIME_DIR=self.home.path,
                        ZR4PC_HOME=self.home.path,
                        ZR4PC_INSTANCE_NAME="wayland-place-test-%d" % os.getpid())

    def tearDown(self):
        for process in (self.program, self.compositor):
            if process and process.poll() is None:
                process.kill()
                process.wait(LIMIT_S)
        self.home.cleanup()

    def run_later_start(self, *args):
        return subprocess.run([PROGRAM, *args], env=self.env, capture_output=True, text=True,
                              timeout=LIMIT_S)

    def test_an_exit_keeps_the_position_the_file_held(self):
        settings = os.path.join(self.home.path, "zr4pcctrl.ini")
        with open(settings, "w") as f:
            f.write("[Window]\r\nLeft=321\r\nTop=234\r\n")
        self.program = subprocess.Popen([PROGRAM, "--simulate"], env=self.env,
                                        stdout=subprocess.DEVNULL, stderr=subprocess.PIPE,
                                        text=True)
        self.addCleanup(self.program.stderr.close)
        # --status answers once the instance runs; without one (no ZR4PC here) it exits 1.
        self.assertTrue(wait_until(lambda: self.run_later_start("--status").returncode == 0),
                        "the instance never answered")
        exit_start = self.run_later_start("-EXIT")
        self.assertEqual(exit_start.returncode, 0, exit_start.stderr)
        self.program.wait(LIMIT_S)
        self.assertEqual(self.program.returncode, 0, self.program.stderr.read())

        saved = configparser.ConfigParser(strict=False)
        saved.read(settings)
        self.assertEqual(saved["Window"]["Left"], "321")
        self.assertEqual(saved["Window"]["Top"], "234")
        # The save ran: the options were written beside the position.
        self.assertIn("VolMax", saved["Setting"])


if __name__ == "__main__":
    PROGRAM = sys.argv.pop(1)
    # Without Qt's Wayland plugin the program aborts before it shows anything.
    require_tools(["weston", sys.argv.pop(1)])
    unittest.main()
