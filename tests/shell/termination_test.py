#!/usr/bin/python3
"""Ending the program while its start-up notice is open, on a private Xvfb display: with no
component attached the window starts with "該当するUSBデバイスが見つかりません。" in a message box,
and a SIGTERM then (the session ending, Ctrl+C in a terminal) must still save the settings and
end the process, not leave it running without a window.

Usage: termination_test.py PATH_TO_ZR4PCCTRL
"""
import os
import signal
import subprocess
import sys
import unittest

from x_display import LIMIT_S, ProgramHome, XDisplay, require_tools, wait_until

PROGRAM = None


class TerminationTest(unittest.TestCase):
    def setUp(self):
        self.home = ProgramHome(PROGRAM)
        self.display = XDisplay()
        self.env = dict(os.environ, DISPLAY=self.display.name, QT_QPA_PLATFORM="xcb",
                        HOME=self.home.path, XDG_RUNTIME_DIR=self.home.path,
                        ZR4PC_HOME=self.home.path,
                        ZR4PC_INSTANCE_NAME="termination-test-%d" % os.getpid())
        self.program = None

    def tearDown(self):
        if self.program and self.program.poll() is None:
            self.program.kill()
            self.program.wait(LIMIT_S)
        self.display.stop()
        self.home.cleanup()

    def visible_windows(self):
        return subprocess.run(["xdotool", "search", "--onlyvisible", "--pid",
                               str(self.program.pid)], env=self.env, capture_output=True,
                              text=True, timeout=LIMIT_S).stdout.split()

    def test_the_notice_is_titled_and_sigterm_with_it_open_saves_and_ends(self):
        # No --simulate: the bus holds no component here, so the notice opens.
        self.program = subprocess.Popen([PROGRAM], env=self.env, stdout=subprocess.DEVNULL,
                                        stderr=subprocess.PIPE, text=True)
        self.assertTrue(wait_until(lambda: self.visible_windows()), "no window showed")
        # The notice carries the application title, as every message does.
        names = [subprocess.run(["xdotool", "getwindowname", window], env=self.env,
                                capture_output=True, text=True, timeout=LIMIT_S).stdout.strip()
                 for window in self.visible_windows()]
        self.assertEqual(names, ["ZR4PCCtrl"])
        self.program.send_signal(signal.SIGTERM)
        try:
            self.program.wait(LIMIT_S)
        except subprocess.TimeoutExpired:
            self.fail("the program still runs %d s after SIGTERM" % LIMIT_S)
        self.assertEqual(self.program.returncode, 0, self.program.stderr.read())
        self.assertTrue(os.path.exists(os.path.join(self.home.path, "zr4pcctrl.ini")),
                        os.listdir(self.home.path))


if __name__ == "__main__":
    require_tools(["Xvfb", "xdotool"])
    PROGRAM = sys.argv.pop(1)
    unittest.main()
