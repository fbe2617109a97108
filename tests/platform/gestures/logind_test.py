#!/usr/bin/python3
"""The program against a mock systemd-logind on a private system bus: suspend, resume and
shutdown arrive as the power events and the end of the session.

Usage: logind_test.py PATH_TO_ZR4PCCTRL
"""
import os
import queue
import subprocess
import sys
import tempfile
import threading
import unittest

import dbus
import dbusmock

PROGRAM = None
LIMIT_S = 30
MANAGER = "org.freedesktop.login1.Manager"


class LogindTest(dbusmock.DBusTestCase):
    @classmethod
    def setUpClass(cls):
        cls.start_system_bus()
        cls.dbus_con = cls.get_dbus(system_bus=True)

    def setUp(self):
        self.logind, self.logind_obj = self.spawn_server_template(
            "logind", {}, stdout=subprocess.DEVNULL)
        self.runtime = tempfile.TemporaryDirectory()
        os.chmod(self.runtime.name, 0o700)
        env = dict(os.environ, XDG_RUNTIME_DIR=self.runtime.name, ZR4PC_HOME=self.runtime.name,
                   QT_QPA_PLATFORM="offscreen",
                   ZR4PC_INSTANCE_NAME="logind-test-%d" % os.getpid())
        self.program = subprocess.Popen([PROGRAM, "--simulate", "--debug"], env=env,
                                        stdout=subprocess.DEVNULL, stderr=subprocess.PIPE,
                                        text=True)
        self.lines = queue.Queue()
        self.seen = []
        threading.Thread(target=self._read, daemon=True).start()

    def tearDown(self):
        if self.program.poll() is None:
            self.program.kill()
        self.program.wait(LIMIT_S)
        self.program.stderr.close()
        self.logind.terminate()
        self.logind.wait()
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

    def emit(self, name, value):
        self.logind_obj.EmitSignal(MANAGER, name, "b", [dbus.Boolean(value)],
                                   dbus_interface=dbusmock.MOCK_IFACE)

    def test_suspend_resume_and_shutdown(self):
        self.wait_for("logind: delay lock taken")
        inhibitors = self.logind_obj.ListInhibitors(dbus_interface=MANAGER)
        self.assertIn(("sleep:shutdown", "ZR4PCCtrl", "delay"),
                      [(str(i[0]), str(i[1]), str(i[3])) for i in inhibitors])

        self.emit("PrepareForSleep", True)
        self.wait_for("WMPowerBroadcast: 04")
        self.emit("PrepareForSleep", False)
        self.wait_for("Resumed")
        self.wait_for("logind: delay lock taken")  # taken again for the next suspend

        self.emit("PrepareForShutdown", True)
        self.assertEqual(self.program.wait(LIMIT_S), 0)


if __name__ == "__main__":
    PROGRAM = sys.argv.pop(1)
    unittest.main(verbosity=2)
