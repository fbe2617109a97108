#!/usr/bin/python3
"""The program's tray icon on a StatusNotifier host (as GNOME's AppIndicator extension, KDE
Plasma, Xfce's and Cinnamon's plugins and Waybar are), scripted on a private session bus: the
program registers its item, the item's menu is the window's right-click menu over
com.canonical.dbusmenu, its entries run when clicked, Activate minimises and restores, and
SecondaryActivate runs the middle click's action.

Usage (on its own session bus): dbus-run-session -- status_notifier_test.py PATH_TO_ZR4PCCTRL
Exits 77 (skipped) when Xvfb, xdotool or python3-dbusmock is missing, except in CI (CI=true).
"""
import os
import re
import subprocess
import sys
import time
import unittest

from x_display import LIMIT_S, ProgramHome, XDisplay, require_tools, wait_until

PROGRAM = None
WATCHER = "org.kde.StatusNotifierWatcher"
MOCK = "org.freedesktop.DBus.Mock"


def entries(layout, parents=()):
    """The menu's entries as {path of labels: (id, properties)}, from GetLayout's tree."""
    found = {}
    for child in layout[2]:
        item_id, properties, _ = child
        path = parents + (str(properties.get("label", "")),)
        found[path] = (int(item_id), properties)
        found.update(entries(child, path))
    return found


class StatusNotifierTest(unittest.TestCase):
    def setUp(self):
        import dbus

        self.dbus = dbus
        self.processes = []
        self.display = XDisplay("800x600x24")
        # No skins folder: the built-in copy of the default skin serves.
        self.home = ProgramHome()
        self.env = dict(os.environ, DISPLAY=self.display.name, QT_QPA_PLATFORM="xcb",
                        XDG_RUNTIME_DIR=self.home.path, ZR4PC_HOME=self.home.path,
                        ZR4PC_INSTANCE_NAME="sni-test-%d" % os.getpid())
        self.bus = dbus.SessionBus()
        self.start(["/usr/bin/python3", "-m", "dbusmock", "--session", WATCHER,
                    "/StatusNotifierWatcher", WATCHER])
        self.assertTrue(wait_until(lambda: self.bus.name_has_owner(WATCHER)))
        watcher = self.bus.get_object(WATCHER, "/StatusNotifierWatcher")
        self.watcher = dbus.Interface(watcher, MOCK)
        self.watcher.AddProperty(WATCHER, "IsStatusNotifierHostRegistered", True)
        self.watcher.AddProperty(WATCHER, "ProtocolVersion", dbus.Int32(0))
        self.watcher.AddProperty(WATCHER, "RegisteredStatusNotifierItems",
                                 dbus.Array([], signature="s"))
        self.watcher.AddMethod(WATCHER, "RegisterStatusNotifierItem", "s", "", "")
        self.watcher.AddMethod(WATCHER, "RegisterStatusNotifierHost", "s", "", "")

    def tearDown(self):
        for process in reversed(self.processes):
            process.terminate()
            process.wait(timeout=10)
        self.display.stop()
        self.home.cleanup()

    def start(self, command):
        process = subprocess.Popen(command, env=self.env, stdout=subprocess.DEVNULL,
                                   stderr=subprocess.DEVNULL)
        self.processes.append(process)
        return process

    def status(self):
        run = subprocess.run([PROGRAM, "--status"], env=self.env, capture_output=True, text=True)
        return run.stdout.strip() if run.returncode == 0 else ""

    def window_shown(self):
        run = subprocess.run(["xdotool", "search", "--onlyvisible", "--name", "^ZR4PCCtrl"],
                             env=self.env, capture_output=True, text=True)
        return bool(run.stdout.split())

    def layout(self):
        return entries(self.menu.GetLayout(0, -1, self.dbus.Array([], signature="s"))[1])

    def click(self, *path):
        item_id, _ = self.layout()[path]
        self.menu.Event(item_id, "clicked", self.dbus.String("", variant_level=1),
                        self.dbus.UInt32(0))

    def test_the_item_exports_the_window_menu_and_takes_its_clicks(self):
        with open(os.path.join(self.home.path, "zr4pcctrl.ini"), "w") as settings:
            settings.write("[Setting]\r\nShowIcon=1\r\nTrayMiddleSingleClick=actMute\r\n"
                           "TrayLeftDoubleClick=actPower\r\n")
        self.start([PROGRAM, "--simulate"])
        calls = wait_until(lambda: self.watcher.GetMethodCalls("RegisterStatusNotifierItem"))
        self.assertTrue(calls, "the program registers no StatusNotifier item")
        service = str(calls[0][1][0])
        self.assertTrue(wait_until(self.status))
        item = self.bus.get_object(service, "/StatusNotifierItem")
        properties = self.dbus.Interface(item, "org.freedesktop.DBus.Properties")
        menu_path = str(properties.Get("org.kde.StatusNotifierItem", "Menu"))
        self.assertNotEqual(menu_path, "/NO_DBUSMENU")
        self.menu = self.dbus.Interface(self.bus.get_object(service, menu_path),
                                        "com.canonical.dbusmenu")
        sni = self.dbus.Interface(item, "org.kde.StatusNotifierItem")

        # The window's menu as the host shows it: "&" marks become "_".
        menu = self.layout()
        for path in [("_Volume",), ("_Volume", "Vol. _20"), ("_Sleep", "30"), ("_CD", "Play"),
                     ("_Mute",), ("Al_ways On Top",), ("Tas_kTray",), ("_Other", "Option..."),
                     ("E_xit",)]:
            self.assertIn(path, menu)
        self.assertEqual(menu[("Tas_kTray",)][1].get("toggle-type"), "checkmark")
        self.assertEqual(int(menu[("Tas_kTray",)][1].get("toggle-state", 0)), 0)
        self.assertEqual(menu[("_Sleep", "30")][1].get("toggle-type"), "radio")
        # No shortcut texts: they are keys of the window, not of the host's menu.
        self.assertFalse([path for path in menu if "\t" in path[-1]])

        self.click("_Sleep", "30")
        self.assertTrue(wait_until(lambda: re.search(r"\| ZR4PCCtrl - Sleep 0:[23]\d$",
                                                     self.status())), self.status())
        self.assertEqual(int(self.layout()[("_Sleep", "30")][1].get("toggle-state", 0)), 1)

        # Activate is the left click, run at once though the left double click is bound (the
        # host never reports one): to the tray, with the menu showing it, and back.
        self.assertTrue(wait_until(self.window_shown))
        sni.Activate(0, 0)
        self.assertTrue(wait_until(lambda: not self.window_shown()))
        self.assertTrue(wait_until(lambda: int(
            self.layout()[("Tas_kTray",)][1].get("toggle-state", 0)) == 1))
        self.assertFalse(self.layout()[("Al_ways On Top",)][1].get("visible", True))
        sni.Activate(0, 0)
        self.assertTrue(wait_until(self.window_shown))
        self.assertTrue(wait_until(lambda: int(
            self.layout()[("Tas_kTray",)][1].get("toggle-state", 0)) == 0))
        self.assertTrue(self.layout()[("Al_ways On Top",)][1].get("visible", True))
        self.assertNotIn("Mute", self.status())

        # SecondaryActivate is the middle click: its action runs at once.
        sni.SecondaryActivate(0, 0)
        self.assertTrue(wait_until(lambda: " Mute " in self.status()), self.status())

        # A ContextMenu call some hosts send besides showing the menu opens no second one.
        sni.ContextMenu(0, 0)
        time.sleep(0.5)
        popups = subprocess.run(["xdotool", "search", "--onlyvisible", "--class", "zr4pcctrl"],
                                env=self.env, capture_output=True, text=True).stdout.split()
        self.assertEqual(len(popups), 1, popups)

        self.click("E_xit")
        self.assertEqual(self.processes[-1].wait(timeout=LIMIT_S), 0)


if __name__ == "__main__":
    PROGRAM = sys.argv.pop(1)
    require_tools(["Xvfb", "xdotool"])
    try:
        import dbus  # noqa: F401
        import dbusmock  # noqa: F401
    except ImportError as error:
        # In CI the test stage installs them: missing there is a failure, not a skip.
        print("needed: python3-dbusmock (%s)" % error)
        sys.exit(1 if os.environ.get("CI") == "true" else 77)
    unittest.main(verbosity=2)
