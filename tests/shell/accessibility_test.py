#!/usr/bin/python3
"""The window as a screen reader sees it, through the accessibility bus (AT-SPI) on a private
Xvfb display: the 27 skinned buttons named by their hints, the volume as a slider with its value,
the panel's status line as the window's description, and "Play CD" pressed through its
accessible action, which sends the CD-play frame to the simulated component.

Usage: dbus-run-session -- accessibility_test.py PATH_TO_ZR4PCCTRL
Exits 77 (skipped) when Xvfb, the bus launcher or pyatspi is missing, except in CI (CI=true).
"""
import os
import signal
import subprocess
import sys
import unittest

from x_display import LIMIT_S, ProgramHome, XDisplay, require_tools, wait_until

PROGRAM = None
BUS_LAUNCHER = "/usr/libexec/at-spi-bus-launcher"

# The hints of the actions the buttons run; the volume knob runs none and is named as the volume.
BUTTON_NAMES = sorted([
    "Select TUNER", "Select PC USB", "Select TAPE/AUX", "Change FM/AM", "Select CD", "Select MD",
    "Power On/Off", "Option...", "Mute", "N.B.", "Repeat", "Random", "Eject CD",
    "Auto/Manual (TUNER)", "Play CD", "Stop CD", "Next Track (CD, MD)  P.Call UP (TUNER)",
    "Previous Track (CD, MD)  P.Call Down (TUNER)", "Forward", "Rewind", "Minimize", "Exit",
    "VOLUME", "Volume Up", "Volume Down", "INPUT MODE", "About..."])


class AccessibilityTest(unittest.TestCase):
    def setUp(self):
        self.home = ProgramHome(PROGRAM)
        self.display = XDisplay()
        self.trace = os.path.join(self.home.path, "trace")
        env = dict(os.environ, DISPLAY=self.display.name, QT_QPA_PLATFORM="xcb",
                   HOME=self.home.path, XDG_RUNTIME_DIR=self.home.path, ZR4PC_HOME=self.home.path,
                   ZR4PC_SIM_TRACE=self.trace, QT_LINUX_ACCESSIBILITY_ALWAYS_ON="1",
                   ZR4PC_INSTANCE_NAME="a11y-test-%d" % os.getpid())
        self.program = subprocess.Popen([PROGRAM, "--simulate"], env=env,
                                        stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)

    def tearDown(self):
        if self.program.poll() is None:
            self.program.kill()
            self.program.wait(LIMIT_S)
        self.display.stop()
        self.home.cleanup()

    def window(self):
        """The program's window as the accessibility registry lists it, or None."""
        for app in pyatspi.Registry.getDesktop(0):
            if app is not None and app.get_process_id() == self.program.pid:
                for child in app:
                    if child is not None and child.name == "ZR4PCCtrl":
                        return child
        return None

    def sent(self):
        """The command frames the simulated component received, as their first five bytes."""
        if not os.path.exists(self.trace):
            return []
        with open(self.trace) as trace:
            return [line[4:18] for line in trace if line.startswith("OUT ")]

    def test_a_screen_reader_names_reads_and_presses(self):
        self.assertTrue(wait_until(lambda: self.window() is not None), "no window on the bus")
        # The description follows the display: the first status read fills it.
        self.assertTrue(wait_until(lambda: self.window().description != ""))
        window = self.window()
        # The simulated component stands in, and the description says so after the panel.
        self.assertEqual(window.description, "FM 01 80.00 MHz Auto TONE Vol.22 SIM")

        children = [window.getChildAtIndex(i) for i in range(window.childCount)]
        buttons = [c for c in children if c.getRoleName() == "push button"]
        self.assertEqual(sorted(b.name for b in buttons), BUTTON_NAMES)
        sliders = [c for c in children if c.getRoleName() == "slider"]
        self.assertEqual([s.name for s in sliders], ["VOLUME"])
        value = sliders[0].queryValue()
        self.assertEqual((value.minimumValue, value.currentValue, value.maximumValue), (0, 22, 70))

        play = next(b for b in buttons if b.name == "Play CD")
        action = play.queryAction()
        names = [action.getName(i) for i in range(action.nActions)]
        self.assertIn("Press", names)
        self.assertTrue(action.doAction(names.index("Press")))
        self.assertTrue(wait_until(lambda: "B8 02 00 CB 85" in self.sent()), self.sent())


def start_accessibility_bus():
    """The accessibility bus of this session bus, with the registry on it, in a process group of
    its own. Started here rather than on demand: the session bus would start it as its own child,
    which outlives the test."""
    import dbus
    launcher = subprocess.Popen([BUS_LAUNCHER, "--launch-immediately"], start_new_session=True,
                                stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    session = dbus.SessionBus()
    if not wait_until(lambda: session.name_has_owner("org.a11y.Bus")):
        sys.exit("the accessibility bus did not start")
    return launcher


if __name__ == "__main__":
    PROGRAM = sys.argv.pop(1)
    require_tools(["Xvfb", BUS_LAUNCHER])
    launcher = start_accessibility_bus()
    try:
        try:
            import pyatspi
        except ImportError:
            require_tools(["python3-pyatspi"])
        unittest.main(verbosity=2)
    finally:
        os.killpg(launcher.pid, signal.SIGKILL)
        launcher.wait(LIMIT_S)
