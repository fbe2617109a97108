#!/usr/bin/python3
"""The program's tray icon on a real X server with a system tray (trayer): started minimised it
lives only in the tray, and a left click on the icon brings the window back.

Usage: tray_test.py PATH_TO_ZR4PCCTRL
Exits 77 (skipped) when Xvfb, trayer or xdotool is missing, except in CI (CI=true).
"""
import ctypes
import os
import subprocess
import sys
import unittest

from x_display import ProgramHome, XDisplay, require_tools, wait_until

PROGRAM = None
# trayer at the screen's top right, one icon wide: the icon's centre.
SCREEN = (800, 600)
ICON = (788, 12)


def tray_owner(display):
    """The window that owns the display's system tray selection, 0 while nobody does."""
    x11 = ctypes.CDLL("libX11.so.6")
    x11.XOpenDisplay.restype = ctypes.c_void_p
    x11.XOpenDisplay.argtypes = [ctypes.c_char_p]
    x11.XInternAtom.restype = ctypes.c_ulong
    x11.XInternAtom.argtypes = [ctypes.c_void_p, ctypes.c_char_p, ctypes.c_int]
    x11.XGetSelectionOwner.restype = ctypes.c_ulong
    x11.XGetSelectionOwner.argtypes = [ctypes.c_void_p, ctypes.c_ulong]
    x11.XCloseDisplay.argtypes = [ctypes.c_void_p]
    connection = x11.XOpenDisplay(display.encode())
    if not connection:
        return 0
    owner = x11.XGetSelectionOwner(connection, x11.XInternAtom(connection, b"_NET_SYSTEM_TRAY_S0", 0))
    x11.XCloseDisplay(connection)
    return owner


class TrayTest(unittest.TestCase):
    def setUp(self):
        self.processes = []
        self.display = XDisplay("%dx%dx24" % SCREEN)
        # The program folder (ZR4PC_HOME) holds the shipped skins, as beside an installed program.
        self.home = ProgramHome(PROGRAM)
        self.env = dict(os.environ, DISPLAY=self.display.name, QT_QPA_PLATFORM="xcb",
                        XDG_RUNTIME_DIR=self.home.path, ZR4PC_HOME=self.home.path,
                        ZR4PC_INSTANCE_NAME="tray-test-%d" % os.getpid())
        self.start(["trayer", "--edge", "top", "--align", "right", "--widthtype", "pixel",
                    "--width", "24", "--height", "24", "--transparent", "false"])

    def tearDown(self):
        for process in reversed(self.processes):
            process.terminate()
            process.wait(timeout=10)
        self.display.stop()
        self.home.cleanup()

    def start(self, command):
        process = subprocess.Popen(command, env=self.env, stdout=subprocess.DEVNULL,
                                   stderr=subprocess.DEVNULL)
        self.processes.append(process)
        return process

    def xdotool(self, *args):
        return subprocess.run(["xdotool", *args], env=self.env, capture_output=True,
                              text=True).stdout.split()

    def window_shown(self):
        return bool(self.xdotool("search", "--onlyvisible", "--name", "^ZR4PCCtrl$"))

    def test_minimised_start_lives_in_the_tray_and_comes_back(self):
        with open(os.path.join(self.home.path, "zr4pcctrl.ini"), "w") as settings:
            settings.write("[Setting]\r\nMinimizeOnRun=1\r\n")
        # trayer owns the tray before the program looks for one.
        self.assertTrue(wait_until(lambda: tray_owner(self.display.name)))
        self.start([PROGRAM, "--simulate"])
        # The icon docks into the tray: trayer gets a child window.
        self.assertTrue(wait_until(lambda: self.xdotool("search", "--all", "--onlyvisible",
                                                        "--class", "zr4pcctrl")))
        # Once the instance answers, its start-up (and the choice to stay hidden) is over.
        self.assertTrue(wait_until(lambda: subprocess.run(
            [PROGRAM, "--status"], env=self.env, capture_output=True).returncode == 0))
        self.assertFalse(self.window_shown())

        self.xdotool("mousemove", str(ICON[0]), str(ICON[1]), "click", "1")
        self.assertTrue(wait_until(self.window_shown))


if __name__ == "__main__":
    PROGRAM = sys.argv.pop(1)
    require_tools(["Xvfb", "trayer", "xdotool"])
    unittest.main(verbosity=2)
