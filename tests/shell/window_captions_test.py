#!/usr/bin/python3
"""The captions a window manager shows, on a private Xvfb display with openbox: the main window's
title is the application title alone ("ZR4PCCtrl", "ZR4PCCtrl - Sleep 1:29") and each dialog's
caption is its own text, with nothing appended.

Usage: window_captions_test.py PATH_TO_ZR4PCCTRL
"""
import json
import os
import shutil
import subprocess
import sys
import time
import unittest

from x_display import LIMIT_S, ProgramHome, XDisplay, wait_until

PROGRAM = None


@unittest.skipUnless(all(shutil.which(p) for p in ["Xvfb", "openbox", "xdotool", "xprop"]),
                     "Xvfb, openbox, xdotool and xprop are needed")
class WindowCaptionsTest(unittest.TestCase):
    def setUp(self):
        self.home = ProgramHome(PROGRAM)
        with open(os.path.join(self.home.path, "ShortCut.ini"), "w") as f:
            f.write("[ShortCut]\nAbout=F2\nSleep_90=F3\n")
        self.display = XDisplay()
        self.env = dict(os.environ, DISPLAY=self.display.name, QT_QPA_PLATFORM="xcb",
                        HOME=self.home.path, XDG_RUNTIME_DIR=self.home.path,
                        ZR4PC_HOME=self.home.path,
                        ZR4PC_INSTANCE_NAME="captions-test-%d" % os.getpid())
        self.processes = []
        self.start(["openbox", "--sm-disable"])
        self.assertTrue(wait_until(lambda: "WINDOW" in subprocess.run(
            ["xprop", "-root", "_NET_SUPPORTING_WM_CHECK"], env=self.env, capture_output=True,
            text=True).stdout), "openbox did not start")
        self.program = self.start([PROGRAM, "--simulate"])

    def tearDown(self):
        for process in reversed(self.processes):
            if process.poll() is None:
                process.kill()
                process.wait(LIMIT_S)
        self.display.stop()
        self.home.cleanup()

    def start(self, command):
        process = subprocess.Popen(command, env=self.env, stdout=subprocess.DEVNULL,
                                   stderr=subprocess.DEVNULL)
        self.processes.append(process)
        return process

    def xdotool(self, *args):
        return subprocess.run(["xdotool", *args], env=self.env, capture_output=True, text=True,
                              timeout=LIMIT_S).stdout

    def captions(self):
        """The titles of the program's visible windows, as the window manager reads them."""
        names = set()
        for window in self.xdotool("search", "--onlyvisible", "--pid", str(self.program.pid)).split():
            name = self.xdotool("getwindowname", window).strip()
            if name:
                names.add(name)
        return names

    def wait_for_captions(self, expected, limit=LIMIT_S):
        wait_until(lambda: self.captions() == expected, limit)
        self.assertEqual(self.captions(), expected)

    def test_captions_are_exactly_the_windows_own_texts(self):
        self.wait_for_captions({"ZR4PCCtrl"})
        window = self.xdotool("search", "--onlyvisible", "--name", "^ZR4PCCtrl$").split()[0]
        self.xdotool("windowactivate", "--sync", window)

        # "Sleep 90": the first tick of the clock (every 5 s) shows the time left.
        self.xdotool("key", "--window", window, "F3")
        self.wait_for_captions({"ZR4PCCtrl - Sleep 1:29"}, limit=12)

        self.xdotool("key", "--window", window, "F2")
        self.wait_for_captions({"ZR4PCCtrl - Sleep 1:29", "バージョン情報"})
        self.xdotool("key", "Escape")
        self.wait_for_captions({"ZR4PCCtrl - Sleep 1:29"})

        # The skin's OPTION button, then the timer page's "新規...".
        skin = json.loads(subprocess.run(
            [PROGRAM, "--check-skin", os.path.join(self.home.path, "skins", "skindefa.zip"), "--json"],
            capture_output=True, text=True, timeout=LIMIT_S, env=self.env).stdout)
        option = skin["buttons"][7]
        geometry = dict(line.split("=", 1) for line in self.xdotool(
            "getwindowgeometry", "--shell", window).split())
        self.xdotool("mousemove", "--sync", str(int(geometry["X"]) + option["x"] + 4),
                     str(int(geometry["Y"]) + option["y"] + 4), "click", "1")
        self.wait_for_captions({"ZR4PCCtrl - Sleep 1:29", "オプション設定"})
        for key in ["ctrl+Tab"] * 4 + ["Tab", "space"]:
            self.xdotool("key", key)
            time.sleep(0.2)
        self.wait_for_captions({"ZR4PCCtrl - Sleep 1:29", "オプション設定", "タイマー設定"})


if __name__ == "__main__":
    PROGRAM = sys.argv.pop(1)
    unittest.main()
