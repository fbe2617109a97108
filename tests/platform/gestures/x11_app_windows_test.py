#!/usr/bin/python3
"""Application command sets' windows on X11, with a real window manager (openbox) on a private
Xvfb display: Run raises the window of the set's class or starts the program, Quit closes it.

Usage: x11_app_windows_test.py PATH_TO_PC_ACTION_PROBE
"""
import os
import shutil
import subprocess
import sys
import tempfile
import time
import unittest

PROBE = None
LIMIT_S = 10


def wait_until(check):
    deadline = time.monotonic() + LIMIT_S
    while time.monotonic() < deadline:
        if check():
            return True
        time.sleep(0.05)
    return False


@unittest.skipUnless(all(shutil.which(p) for p in ["Xvfb", "openbox", "xmessage", "xdotool"]),
                     "Xvfb, openbox, xmessage and xdotool are needed")
class X11AppWindowsTest(unittest.TestCase):
    def setUp(self):
        self.folder = tempfile.TemporaryDirectory()
        read, write = os.pipe()
        self.xvfb = subprocess.Popen(["Xvfb", "-displayfd", str(write), "-screen", "0",
                                      "800x600x24", "-nolisten", "tcp"], pass_fds=[write],
                                     stderr=subprocess.DEVNULL)
        os.close(write)
        with os.fdopen(read) as display:
            self.env = dict(os.environ, DISPLAY=":" + display.readline().strip(),
                            HOME=self.folder.name)
        self.processes = [self.xvfb]
        self.start(["openbox", "--sm-disable"])
        self.assertTrue(wait_until(lambda: "_NET_SUPPORTING_WM_CHECK(WINDOW)" in self.run_x(
            ["xprop", "-root", "_NET_SUPPORTING_WM_CHECK"])))

    def tearDown(self):
        for process in reversed(self.processes):
            if process.poll() is None:
                process.terminate()
                process.wait()
        self.folder.cleanup()

    def start(self, command):
        process = subprocess.Popen(command, env=self.env, stdout=subprocess.DEVNULL,
                                   stderr=subprocess.DEVNULL)
        self.processes.append(process)
        return process

    def run_x(self, command):
        return subprocess.run(command, env=self.env, capture_output=True, text=True,
                              timeout=LIMIT_S).stdout

    def active_window(self):
        return self.run_x(["xdotool", "getactivewindow"]).strip()

    def activate(self, window):
        # Asked again until it holds: the manager may pass over a request for a window it has not
        # mapped yet, and xdotool's --sync would then wait for ever.
        self.run_x(["xdotool", "windowactivate", window])
        return self.active_window() == window

    def window_of(self, name):
        found = []
        wait_until(lambda: found.append(self.run_x(["xdotool", "search", "--classname", name]))
                   or found[-1].strip())
        return found[-1].split()[0]

    def probe(self, *args):
        subprocess.run([PROBE, "appwindow", *args], env=self.env, check=True, timeout=LIMIT_S,
                       stdout=subprocess.DEVNULL)

    def test_run_raises_or_starts_and_quit_closes(self):
        target = self.start(["xmessage", "-name", "zr4target", "target"])
        target_window = self.window_of("zr4target")
        self.start(["xmessage", "-name", "zr4other", "other"])
        other_window = self.window_of("zr4other")
        self.assertTrue(wait_until(lambda: self.activate(other_window)))

        self.probe("run", "Xmessage-none", "")  # no such class, no program: nothing
        self.probe("run", "zr4target", "/nonexistent/program")
        self.assertTrue(wait_until(
            lambda: self.active_window() == target_window))

        self.probe("quit", "zr4target")
        self.assertTrue(wait_until(lambda: target.poll() is not None))

        marker = os.path.join(self.folder.name, "started marker")
        self.probe("run", "zr4target", "/usr/bin/touch", '"%s"' % marker)
        self.assertTrue(wait_until(lambda: os.path.exists(marker)))


if __name__ == "__main__":
    PROBE = sys.argv.pop(1)
    unittest.main(verbosity=2)
