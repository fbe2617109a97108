#!/usr/bin/python3
"""The program in the desktop's media controls, driven by Debian's playerctl on a private session
bus (run under dbus-run-session): what it shows, and the frames its keys send.

Usage: dbus-run-session -- mpris_test.py PATH_TO_ZR4PCCTRL
"""
import os
import subprocess
import sys
import tempfile
import time
import unittest

PROGRAM = None
LIMIT_S = 30


class MprisTest(unittest.TestCase):
    def setUp(self):
        self.runtime = tempfile.TemporaryDirectory()
        os.chmod(self.runtime.name, 0o700)
        self.trace = os.path.join(self.runtime.name, "trace")
        self.env = dict(os.environ, XDG_RUNTIME_DIR=self.runtime.name,
                        ZR4PC_HOME=self.runtime.name, QT_QPA_PLATFORM="offscreen",
                        ZR4PC_SIM_TRACE=self.trace,
                        ZR4PC_INSTANCE_NAME="mpris-test-%d" % os.getpid())
        self.program = subprocess.Popen([PROGRAM, "--simulate", "--debug"], env=self.env,
                                        stdout=subprocess.DEVNULL, stderr=subprocess.PIPE,
                                        text=True)
        for line in self.program.stderr:
            if "MPRIS: serving" in line:
                break
        else:
            self.fail("the program did not take its name on the session bus")

    def tearDown(self):
        self.program.terminate()
        self.program.wait(LIMIT_S)
        self.program.stderr.close()
        self.runtime.cleanup()

    def ctl(self, *args):
        done = subprocess.run(["playerctl", "-p", "zr4pcctrl", *args], capture_output=True,
                              text=True, timeout=LIMIT_S, env=self.env)
        self.assertEqual(done.returncode, 0, done.stderr)
        return done.stdout.strip()

    def sent(self):
        """The command frames the simulated component received, as their first five bytes."""
        with open(self.trace) as trace:
            return [line[4:18] for line in trace if line.startswith("OUT ")]

    def wait_for(self, read, expected):
        deadline = time.monotonic() + LIMIT_S
        while read() != expected and time.monotonic() < deadline:
            time.sleep(0.05)
        self.assertEqual(read(), expected)

    def test_the_tuner_as_a_player(self):
        self.assertEqual(self.ctl("status"), "Playing")
        self.assertEqual(self.ctl("metadata", "xesam:title"), "80.00 MHz")
        self.assertEqual(self.ctl("metadata", "xesam:album"), "FM")
        self.assertEqual(self.ctl("volume"), "0.314286")  # 22 of 70

        self.ctl("next")  # preset up, as the window's Next button
        self.wait_for(lambda: self.sent(), ["B8 02 01 07 C2"])
        self.wait_for(lambda: self.ctl("metadata", "xesam:title"), "81.30 MHz")

        self.ctl("volume", "0.5")
        self.wait_for(lambda: self.sent()[-1:], ["B8 02 4D 23 2A"])  # set volume 35
        self.assertEqual(self.ctl("volume"), "0.500000")

        self.ctl("play-pause")  # live radio does not pause: nothing is sent
        time.sleep(0.3)
        self.assertEqual(len(self.sent()), 2)

    def test_the_cd_plays_and_pauses_from_the_desktop(self):
        subprocess.run([PROGRAM, "-INPUT", "1"], env=self.env, check=True, timeout=LIMIT_S)
        self.wait_for(lambda: self.ctl("metadata", "xesam:album"), "CD")
        self.assertEqual(self.ctl("metadata", "xesam:title"), "Track 01")
        self.assertEqual(self.ctl("status"), "Stopped")  # at 0:00 and standing still

        self.ctl("play-pause")  # the CD's play key: B8 02 00 CB 85
        self.wait_for(lambda: self.sent()[-1:], ["B8 02 00 CB 85"])
        self.wait_for(lambda: self.ctl("status"), "Playing")  # the play time runs
        self.ctl("play")  # playing already: the play key would pause it, so nothing is sent
        self.ctl("pause")
        self.wait_for(lambda: self.sent().count("B8 02 00 CB 85"), 2)
        self.wait_for(lambda: self.ctl("status"), "Paused")
        self.ctl("next")
        self.wait_for(lambda: self.ctl("metadata", "xesam:title"), "Track 02")


if __name__ == "__main__":
    PROGRAM = sys.argv.pop(1)
    unittest.main()
