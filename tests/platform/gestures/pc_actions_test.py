#!/usr/bin/python3
"""The Linux PC-side actions against mock services: logind on a private system bus; an MPRIS
player, the GNOME session manager and Mutter on a private session bus. Each check runs one
action in a process of its own and reads the calls the mocks received.

Usage: pc_actions_test.py PATH_TO_PC_ACTION_PROBE
"""
import os
import subprocess
import sys
import unittest

import dbus
import dbusmock

PROBE = None
MANAGER = "org.freedesktop.login1.Manager"
ROOT = "org.mpris.MediaPlayer2"
PLAYER = "org.mpris.MediaPlayer2.Player"
TRACKS = "org.mpris.MediaPlayer2.TrackList"
MPRIS_PATH = "/org/mpris/MediaPlayer2"


class PcActionsTest(dbusmock.DBusTestCase):
    @classmethod
    def setUpClass(cls):
        cls.start_system_bus()
        cls.start_session_bus()
        cls.system = cls.get_dbus(system_bus=True)
        cls.session = cls.get_dbus(system_bus=False)

    def setUp(self):
        self.mocks = []

    def tearDown(self):
        self.stop_mocks()

    def stop_mocks(self):
        for process in self.mocks:
            process.terminate()
            process.wait()
        self.mocks = []

    def run_probe(self, *args, **env):
        environment = dict(os.environ, **env)
        environment.pop("DISPLAY", None)
        result = subprocess.run([PROBE, *args], env=environment, capture_output=True, text=True,
                                timeout=30, check=True)
        return result.stdout.strip()

    def logind(self, **answers):
        process, obj = self.spawn_server_template("logind", answers, stdout=subprocess.DEVNULL)
        self.mocks.append(process)
        return obj

    def session_mock(self, name, path, interface):
        process = self.spawn_server(name, path, interface, stdout=subprocess.DEVNULL)
        self.mocks.append(process)
        return dbus.Interface(self.session.get_object(name, path), dbusmock.MOCK_IFACE)

    def calls(self, mock, method):
        return [[self.plain(a) for a in args] for _, args in mock.GetMethodCalls(method)]

    @staticmethod
    def plain(value):
        if isinstance(value, dbus.Boolean):
            return bool(value)
        if isinstance(value, (dbus.Int64, dbus.Int32, dbus.UInt32)):
            return int(value)
        return str(value)

    def test_logind_goes_ahead_on_yes_and_asks_on_challenge(self):
        """On "challenge" the call is interactive, so that polkit may ask the user."""
        methods = {"suspend": "Suspend", "hibernate": "Hibernate", "poweroff": "PowerOff",
                   "reboot": "Reboot"}
        for answers in [{"suspend": "challenge", "hibernate": "yes", "poweroff": "yes",
                         "reboot": "challenge"},
                        {"suspend": "yes", "hibernate": "challenge", "poweroff": "challenge",
                         "reboot": "yes"}]:
            mock = dbus.Interface(self.logind(**{"Can" + methods[operation]: answer
                                                 for operation, answer in answers.items()}),
                                  dbusmock.MOCK_IFACE)
            for operation, answer in answers.items():
                with self.subTest(operation=operation, answer=answer):
                    self.assertEqual(self.run_probe("power", operation), "done")
                    self.assertEqual(self.calls(mock, methods[operation]),
                                     [[answer == "challenge"]])
            self.stop_mocks()

    def test_logind_refusals_give_the_operations_messages(self):
        mock = dbus.Interface(self.logind(CanSuspend="na", CanHibernate="no", CanPowerOff="no",
                                          CanReboot="na"), dbusmock.MOCK_IFACE)
        for operation, message in [("suspend", "サスペンドは許可されていません。"),
                                   ("hibernate", "休止状態は許可されていません。"),
                                   ("poweroff", "コンピュータの電源を切ることができませんでした。"),
                                   ("reboot", "Windows を再起動できませんでした。")]:
            with self.subTest(operation):
                self.assertEqual(self.run_probe("power", operation), "error: " + message)
        for method in ["Suspend", "Hibernate", "PowerOff", "Reboot"]:
            self.assertEqual(self.calls(mock, method), [])

    def test_log_off_through_the_session_manager_then_logind(self):
        logind = dbus.Interface(self.logind(), dbusmock.MOCK_IFACE)
        gnome = self.session_mock("org.gnome.SessionManager", "/org/gnome/SessionManager",
                                  "org.gnome.SessionManager")
        gnome.AddMethod("", "Logout", "u", "", "")
        self.assertEqual(self.run_probe("power", "logoff", XDG_SESSION_ID="c7"), "done")
        self.assertEqual(self.calls(gnome, "Logout"), [[1]])
        self.assertEqual(self.calls(logind, "TerminateSession"), [])

        gone = self.mocks.pop()  # no session manager any more
        gone.terminate()
        gone.wait()
        self.assertEqual(self.run_probe("power", "logoff", XDG_SESSION_ID="c7"), "done")
        self.assertEqual(self.calls(logind, "TerminateSession"), [["c7"]])

    def mpris_player(self, bus_name):
        mock = self.session_mock(bus_name, MPRIS_PATH, ROOT)
        mock.AddMethods(ROOT, [("Raise", "", "", ""), ("Quit", "", "", "")])
        mock.AddProperties(ROOT, {"DesktopEntry": "audacious", "HasTrackList": True,
                                  "CanRaise": True, "CanQuit": True})
        mock.AddMethods(PLAYER, [(m, "", "", "") for m in
                                 ["Play", "Stop", "Pause", "Next", "Previous"]] +
                        [("Seek", "x", "", "")])
        mock.AddProperties(PLAYER, {"Shuffle": False, "LoopStatus": "None"})
        mock.AddMethods(TRACKS, [("GoTo", "o", "", "")])
        mock.AddProperties(TRACKS, {"Tracks": dbus.Array(
            [dbus.ObjectPath("/t/1"), dbus.ObjectPath("/t/2"), dbus.ObjectPath("/t/3")],
            signature="o")})
        return mock

    def test_each_player_command_reaches_the_matching_mpris_player(self):
        mock = self.mpris_player("org.mpris.MediaPlayer2.audacious")
        props = dbus.Interface(self.session.get_object("org.mpris.MediaPlayer2.audacious",
                                                       MPRIS_PATH), dbus.PROPERTIES_IFACE)
        cases = [("Run", "Raise", []), ("Quit", "Quit", []), ("Play", "Play", []),
                 ("Stop", "Stop", []), ("Pause", "Pause", []), ("Next", "Next", []),
                 ("Previous", "Previous", []), ("Forward", "Seek", [5000000]),
                 ("Rewind", "Seek", [-5000000]), ("ListFirst", "GoTo", ["/t/1"]),
                 ("ListLast", "GoTo", ["/t/3"])]
        for command, method, args in cases:
            with self.subTest(command):
                mock.ClearCalls()
                self.assertEqual(self.run_probe("player", "winamp", command,
                                                "/usr/bin/audacious"), "done")
                self.assertEqual(self.calls(mock, method), [args])
        self.run_probe("player", "lilith", "Shuffle", "C:\\Players\\Audacious.exe")
        self.assertEqual(props.Get(PLAYER, "Shuffle"), True)
        self.run_probe("player", "winamp", "Repeat", "")  # the first player that runs
        self.assertEqual(props.Get(PLAYER, "LoopStatus"), "Playlist")
        self.run_probe("player", "winamp", "Repeat", "audacious")
        self.assertEqual(props.Get(PLAYER, "LoopStatus"), "None")

        mock.ClearCalls()
        self.assertEqual(self.run_probe("player", "winamp", "Play", "/usr/bin/vlc"), "done")
        self.assertEqual(self.calls(mock, "Play"), [])

    def test_monitor_power_through_mutter_on_wayland(self):
        mutter = self.session_mock("org.gnome.Mutter.DisplayConfig",
                                   "/org/gnome/Mutter/DisplayConfig",
                                   "org.gnome.Mutter.DisplayConfig")
        mutter.AddProperty("org.gnome.Mutter.DisplayConfig", "PowerSaveMode", dbus.Int32(0))
        props = dbus.Interface(self.session.get_object("org.gnome.Mutter.DisplayConfig",
                                                       "/org/gnome/Mutter/DisplayConfig"),
                               dbus.PROPERTIES_IFACE)
        self.run_probe("monitor", "off", WAYLAND_DISPLAY="wayland-0")
        self.assertEqual(props.Get("org.gnome.Mutter.DisplayConfig", "PowerSaveMode"), 3)
        self.run_probe("monitor", "on", WAYLAND_DISPLAY="wayland-0")
        self.assertEqual(props.Get("org.gnome.Mutter.DisplayConfig", "PowerSaveMode"), 0)


if __name__ == "__main__":
    PROBE = sys.argv.pop(1)
    unittest.main(verbosity=2)
