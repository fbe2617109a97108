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
import tempfile
import time
import unittest

PROGRAM = None
LIMIT_S = 30


@unittest.skipUnless(all(shutil.which(p) for p in ["Xvfb", "openbox", "xdotool", "xprop"]),
                     "Xvfb, openbox, xdotool and xprop are needed")
class WindowCaptionsTest(unittest.TestCase):
    def setUp(self):
        self.home = tempfile.TemporaryDirectory()
        os.chmod(self.home.name, 0o700)
        skins = os.path.join(os.path.dirname(PROGRAM), "skins")
        shutil.copytree(skins, os.path.join(self.home.name, "skins"))
        with open(os.path.join(self.home.name, "ShortCut.ini"), "w") as f:
            f.write("[ShortCut]\nAbout=F2\nSleep_90=F3\n")
        read, write = os.pipe()
        self.xvfb = subprocess.Popen(["Xvfb", "-displayfd", str(write), "-screen", "0",
                                      "1024x768x24", "-nolisten", "tcp"], pass_fds=[write],
                                     stderr=subprocess.DEVNULL)
        os.close(write)
        with os.fdopen(read) as f:
            display = ":" + f.readline().strip()
        self.env = dict(os.environ, DISPLAY=display, QT_QPA_PLATFORM="xcb", HOME=self.home.name,
                        XDG_RUNTIME_DIR=self.home.name, ZR4PC_HOME=self.home.name,
                        ZR4PC_INSTANCE_NAME="captions-test-%d" % os.getpid())
        self.processes = [self.xvfb]
        self.start(["openbox", "--sm-disable"])
        self.assertTrue(self.wait_until(lambda: "WINDOW" in subprocess.run(
            ["xprop", "-root", "_NET_SUPPORTING_WM_CHECK"], env=self.env, capture_output=True,
            text=True).stdout), "openbox did not start")
        self.program = self.start([PROGRAM, "--simulate"])

    def tearDown(self):
        for process in reversed(self.processes):
            if process.poll() is None:
                process.kill()
                process.wait(LIMIT_S)
        self.home.cleanup()

    def start(self, command):
        process = subprocess.Popen(command, env=self.env, stdout=subprocess.DEVNULL,
                                   stderr=subprocess.DEVNULL)
        self.processes.append(process)
        return process

    @staticmethod
    def wait_until(condition, limit=LIMIT_S):
        deadline = time.monotonic() + limit
        while time.monotonic() < deadline:
            if condition():
                return True
            time.sleep(0.1)
        return False

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
        self.wait_until(lambda: self.captions() == expected, limit)
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
            [PROGRAM, "--check-skin", os.path.join(self.home.name, "skins", "skindefa.zip"), "--json"],
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
