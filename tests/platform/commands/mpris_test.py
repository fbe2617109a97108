#!/usr/bin/python3
"""The program in the desktop's media controls, driven by Debian's playerctl on a private session
bus (run under dbus-run-session): what it shows, and the frames its keys send. And the other way
round: a remote gesture's player command never drives the program itself.

Usage: dbus-run-session -- mpris_test.py PATH_TO_ZR4PCCTRL
"""
import os
import queue
import subprocess
import sys
import tempfile
import threading
import time
import unittest

import dbus
import dbus.lowlevel

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

    def test_a_value_of_the_wrong_type_is_refused_as_invalid_arguments(self):
        props = dbus.Interface(dbus.SessionBus().get_object("org.mpris.MediaPlayer2.zr4pcctrl",
                                                            "/org/mpris/MediaPlayer2"),
                               "org.freedesktop.DBus.Properties")
        for name, value in (("Volume", "0.5"), ("Volume", dbus.Array([0.5], signature="d")),
                            ("Rate", dbus.Boolean(True))):
            with self.assertRaises(dbus.exceptions.DBusException) as refused:
                props.Set("org.mpris.MediaPlayer2.Player", name, value)
            self.assertEqual(refused.exception.get_dbus_name(),
                             "org.freedesktop.DBus.Error.InvalidArgs", (name, value))
        with self.assertRaises(dbus.exceptions.DBusException) as refused:
            props.Set("org.mpris.MediaPlayer2.Player", "Identity", "x")
        self.assertEqual(refused.exception.get_dbus_name(),
                         "org.freedesktop.DBus.Error.UnknownProperty")
        self.assertEqual(self.sent(), [])
        props.Set("org.mpris.MediaPlayer2.Player", "Volume", dbus.Double(0.5))
        self.wait_for(lambda: self.sent(), ["B8 02 4D 23 2A"])
        self.assertEqual(props.Get("org.mpris.MediaPlayer2", "Identity"), "ZR4PC")

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


class MprisBurstTest(MprisTest):
    """A desktop volume slider held down, or a script: calls come faster than the component takes
    them, and the window must go on answering."""

    def setUp(self):
        super().setUp()
        self.bus = dbus.SessionBus()
        self.player = self.bus.get_object("org.mpris.MediaPlayer2.zr4pcctrl",
                                          "/org/mpris/MediaPlayer2")

    def status(self):
        done = subprocess.run([PROGRAM, "--status"], capture_output=True, text=True,
                              timeout=LIMIT_S, env=self.env)
        self.assertEqual(done.returncode, 0, done.stderr)
        return done.stdout.strip()

    def test_a_burst_of_volume_sets_sends_the_last_one_and_the_window_answers(self):
        for i in range(1000):
            message = dbus.lowlevel.MethodCallMessage(
                "org.mpris.MediaPlayer2.zr4pcctrl", "/org/mpris/MediaPlayer2",
                "org.freedesktop.DBus.Properties", "Set")
            volume = 0.3 if i == 999 else 0.5 + 0.1 * (i % 2)  # 21 last, 35 and 42 before
            message.append("org.mpris.MediaPlayer2.Player", "Volume",
                           dbus.Double(volume, variant_level=1), signature="ssv")
            self.bus.send_message(message)
        self.bus.flush()
        started = time.monotonic()
        first = self.status()
        sys.stderr.write("\n--status after 1000 sets: %.2f s (%s)\n"
                         % (time.monotonic() - started, first))
        self.wait_for(lambda: self.status().split(" | ")[0].split()[-1], "Vol.21")
        volumes = [frame for frame in self.sent() if frame.startswith("B8 02 4D")]
        sys.stderr.write("volume frames: %d\n" % len(volumes))
        self.assertLessEqual(len(volumes), 3, volumes)
        self.assertEqual(volumes[-1][:11], "B8 02 4D 15")

    def test_a_burst_of_presses_runs_the_first_ones_in_order_and_refuses_the_rest(self):
        from dbus.mainloop.glib import DBusGMainLoop
        from gi.repository import GLib
        loop = GLib.MainLoop()
        bus = dbus.SessionBus(mainloop=DBusGMainLoop(), private=True)
        player = dbus.Interface(bus.get_object("org.mpris.MediaPlayer2.zr4pcctrl",
                                               "/org/mpris/MediaPlayer2"),
                                "org.mpris.MediaPlayer2.Player")
        answers = {}

        def answered(i, error=None):
            answers[i] = error.get_dbus_name() if error else "ok"
            if len(answers) == 20:
                loop.quit()

        for i in range(20):
            player.Next(reply_handler=lambda i=i: answered(i),
                        error_handler=lambda error, i=i: answered(i, error), timeout=LIMIT_S)
        GLib.timeout_add_seconds(LIMIT_S, loop.quit)
        loop.run()
        self.assertEqual(len(answers), 20)
        self.assertEqual([answers[i] for i in range(4)], ["ok"] * 4)  # the first are kept
        refused = [i for i in answers if answers[i] != "ok"]
        self.assertTrue(refused)
        self.assertEqual({answers[i] for i in refused},
                         {"org.freedesktop.DBus.Error.LimitsExceeded"})
        # Each press taken is sent once (preset up), and the window still answers.
        self.wait_for(lambda: self.sent().count("B8 02 01 07 C2"), 20 - len(refused))
        self.assertTrue(self.status().startswith("FM"))

    # The cases of the class above run once, there.
    test_the_tuner_as_a_player = None
    test_the_cd_plays_and_pauses_from_the_desktop = None
    test_a_value_of_the_wrong_type_is_refused_as_invalid_arguments = None


class PlayerGestureTest(unittest.TestCase):
    """The gesture mute, volume down runs "11,Winamp Quit" with no player program set."""

    def setUp(self):
        self.runtime = tempfile.TemporaryDirectory()
        os.chmod(self.runtime.name, 0o700)
        with open(os.path.join(self.runtime.name, "zr4pcctrl.ini"), "w",
                  encoding="utf-8") as settings:
            settings.write("[RemoCon]\r\nEnable=1\r\nInterval=3000\r\n"
                           "Cmd0=↓,\"11,Winamp Quit\",1\r\n")
        self.env = dict(os.environ, XDG_RUNTIME_DIR=self.runtime.name,
                        ZR4PC_HOME=self.runtime.name, QT_QPA_PLATFORM="offscreen",
                        ZR4PC_INSTANCE_NAME="mpris-gesture-test-%d" % os.getpid())
        self.others = []
        self.program = subprocess.Popen([PROGRAM, "--simulate", "--debug"], env=self.env,
                                        stdout=subprocess.DEVNULL, stderr=subprocess.PIPE,
                                        text=True)
        self.lines = queue.Queue()
        self.seen = []
        threading.Thread(target=self._read, daemon=True).start()
        self.wait_for("MPRIS: serving org.mpris.MediaPlayer2.zr4pcctrl")

    def tearDown(self):
        for process in [self.program] + self.others:
            if process.poll() is None:
                process.terminate()
            process.wait(LIMIT_S)
        self.program.stderr.close()
        self.runtime.cleanup()

    def _read(self):
        for line in self.program.stderr:
            self.lines.put(line.rstrip("\n"))

    def wait_for(self, text):
        """Reads the program's diagnostics until a line holds `text`."""
        while True:
            try:
                line = self.lines.get(timeout=LIMIT_S)
            except queue.Empty:
                self.fail("no line with %r; seen: %s" % (text, self.seen))
            self.seen.append(line)
            if text in line:
                return

    def gesture(self):
        for key in ("mute", "down"):
            subprocess.run([PROGRAM, "--sim-remote", key], env=self.env, check=True,
                           timeout=LIMIT_S, capture_output=True)
            time.sleep(0.6)  # each key in a poll of its own (every 200 ms)
        self.wait_for('Gesture: "↓" runs command 11')

    def test_without_another_player_the_command_does_nothing(self):
        self.gesture()
        self.wait_for("MPRIS: no player runs")
        time.sleep(0.5)
        self.assertIsNone(self.program.poll(), "the gesture closed the program itself")

    def test_another_player_gets_the_command_though_the_programs_name_sorts_first(self):
        name = "org.mpris.MediaPlayer2.zzplayer"  # after "org.mpris.MediaPlayer2.zr4pcctrl"
        self.others.append(subprocess.Popen(
            [sys.executable, "-m", "dbusmock", name, "/org/mpris/MediaPlayer2",
             "org.mpris.MediaPlayer2"], stdout=subprocess.DEVNULL))
        bus = dbus.SessionBus()
        deadline = time.monotonic() + LIMIT_S
        while not bus.name_has_owner(name) and time.monotonic() < deadline:
            time.sleep(0.05)
        mock = dbus.Interface(bus.get_object(name, "/org/mpris/MediaPlayer2"),
                              "org.freedesktop.DBus.Mock")
        mock.AddMethods("org.mpris.MediaPlayer2", [("Raise", "", "", ""), ("Quit", "", "", "")])

        self.gesture()
        deadline = time.monotonic() + LIMIT_S
        while not mock.GetMethodCalls("Quit") and time.monotonic() < deadline:
            time.sleep(0.05)
        self.assertEqual(len(mock.GetMethodCalls("Quit")), 1)
        time.sleep(0.5)
        self.assertIsNone(self.program.poll(), "the gesture closed the program itself")


if __name__ == "__main__":
    PROGRAM = sys.argv.pop(1)
    unittest.main()
