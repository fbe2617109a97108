#!/usr/bin/python3
"""The start at login (--at-login) on a private Xvfb display and session bus, with no component
attached: the notice that no component answered must not wait in a message box for a click (it
would hold every login with the component switched off), but go to the desktop's notification
service, here python-dbusmock's notification daemon; without such a service it is one line on
standard error. A second such start while the first runs shows nothing and hands nothing over.

Usage: dbus-run-session -- at_login_test.py PATH_TO_ZR4PCCTRL
Exits 77 (skipped) when Xvfb, xdotool or python-dbusmock is missing, except in CI (CI=true).
"""
import os
import subprocess
import sys
import unittest

from x_display import LIMIT_S, ProgramHome, XDisplay, require_tools, wait_until

PROGRAM = None
NOTICE = "該当するUSBデバイスが見つかりません。"
SERVICE = "org.freedesktop.Notifications"


class AtLoginTest(unittest.TestCase):
    def setUp(self):
        self.home = ProgramHome(PROGRAM)
        self.display = XDisplay()
        self.env = dict(os.environ, DISPLAY=self.display.name, QT_QPA_PLATFORM="xcb",
                        HOME=self.home.path, XDG_RUNTIME_DIR=self.home.path,
                        ZR4PC_HOME=self.home.path,
                        ZR4PC_INSTANCE_NAME="at-login-test-%d" % os.getpid())
        self.daemon = None
        self.program = None

    def tearDown(self):
        for process in (self.program, self.daemon):
            if process and process.poll() is None:
                process.kill()
                process.wait(LIMIT_S)
        self.display.stop()
        self.home.cleanup()

    def start_daemon(self):
        self.daemon = subprocess.Popen(["/usr/bin/python3", "-m", "dbusmock", "--session", "-t",
                                        "notification_daemon"], stdout=subprocess.DEVNULL)
        self.assertTrue(wait_until(lambda: self.bus().name_has_owner(SERVICE)),
                        "the mock notification daemon did not start")

    def bus(self):
        return dbus.SessionBus()

    def notify_calls(self):
        mock = dbus.Interface(self.bus().get_object(SERVICE, "/org/freedesktop/Notifications"),
                              "org.freedesktop.DBus.Mock")
        return [[str(arg) if isinstance(arg, dbus.String) else arg for arg in args]
                for _, args in mock.GetMethodCalls("Notify")]

    def start_at_login(self):
        # No --simulate: the bus holds no component here, so the notice comes.
        self.program = subprocess.Popen([PROGRAM, "--at-login"], env=self.env,
                                        stdout=subprocess.DEVNULL, stderr=subprocess.PIPE,
                                        text=True)

    def run_program(self, *args):
        return subprocess.run([PROGRAM, *args], env=self.env, capture_output=True, text=True,
                              timeout=LIMIT_S)

    def started(self):
        """The instance answers a later start: its start-up ran to the end, no box held it."""
        return self.program.poll() is None and self.run_program("--status").returncode == 0

    def visible_windows(self):
        windows = subprocess.run(["xdotool", "search", "--onlyvisible", "--pid",
                                  str(self.program.pid)], env=self.env, capture_output=True,
                                 text=True, timeout=LIMIT_S).stdout.split()
        return [subprocess.run(["xdotool", "getwindowname", window], env=self.env,
                               capture_output=True, text=True, timeout=LIMIT_S).stdout.strip()
                for window in windows]

    def test_the_notice_is_a_notification_and_a_later_start_shows_nothing(self):
        self.start_daemon()
        self.start_at_login()
        self.assertTrue(wait_until(self.started), "the start did not finish")
        # The controller window alone: with the notice in a box, that would be up first.
        self.assertTrue(wait_until(lambda: self.visible_windows() == ["ZR4PCCtrl"]),
                        self.visible_windows())
        calls = self.notify_calls()
        self.assertEqual(len(calls), 1, calls)
        app_name, replaces_id, _, summary, body, actions, _, timeout = calls[0]
        self.assertEqual((app_name, replaces_id, summary, body, list(actions), timeout),
                         ("ZR4PCCtrl", 0, "ZR4PCCtrl", NOTICE, [], -1))

        later = self.run_program("--at-login")
        self.assertEqual((later.returncode, later.stdout, later.stderr), (0, "", ""))
        self.assertEqual(len(self.notify_calls()), 1)
        self.assertEqual(self.visible_windows(), ["ZR4PCCtrl"])
        self.assertIsNone(self.program.poll())

    def test_without_a_notification_service_the_notice_is_one_line_on_standard_error(self):
        self.assertFalse(self.bus().name_has_owner(SERVICE))
        self.start_at_login()
        self.assertTrue(wait_until(self.started), "the start did not finish")
        self.assertTrue(wait_until(lambda: self.visible_windows() == ["ZR4PCCtrl"]),
                        self.visible_windows())
        self.run_program("-EXIT")
        self.program.wait(LIMIT_S)
        lines = [line for line in self.program.stderr.read().splitlines() if NOTICE in line]
        self.assertEqual(lines, ["zr4pcctrl: " + NOTICE])


if __name__ == "__main__":
    require_tools(["Xvfb", "xdotool"])
    try:
        import dbus
        import dbusmock  # noqa: F401  (run as a module by the test)
    except ImportError as error:
        print("needed: python3-dbusmock (%s)" % error)
        sys.exit(1 if os.environ.get("CI") == "true" else 77)
    PROGRAM = sys.argv.pop(1)
    unittest.main()
