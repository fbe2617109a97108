"""What the tests that run the program on a private X display share: the display (Xvfb), a home
folder that holds the shipped skins, and waiting for the program."""
import os
import shutil
import subprocess
import sys
import tempfile
import time

LIMIT_S = 30


def wait_until(condition, limit=LIMIT_S):
    """The condition's first true result (what it found), or False when the limit passes."""
    deadline = time.monotonic() + limit
    while time.monotonic() < deadline:
        result = condition()
        if result:
            return result
        time.sleep(0.1)
    return False


def require_tools(tools):
    """Exits 77 (skipped) when one of the tools is missing, except in CI (CI=true), whose test
    stage installs them: missing there is a failure."""
    missing = [tool for tool in tools if not shutil.which(tool) and not os.path.exists(tool)]
    if missing:
        print("needed: " + ", ".join(missing))
        sys.exit(1 if os.environ.get("CI") == "true" else 77)


class XDisplay:
    """A private Xvfb display, ended by stop()."""

    def __init__(self, size="1024x768x24"):
        read, write = os.pipe()
        self.server = subprocess.Popen(["Xvfb", "-displayfd", str(write), "-screen", "0", size,
                                        "-nolisten", "tcp"], pass_fds=[write],
                                       stderr=subprocess.DEVNULL)
        os.close(write)
        with os.fdopen(read) as f:
            self.name = ":" + f.readline().strip()

    def stop(self):
        if self.server.poll() is None:
            self.server.kill()
            self.server.wait(LIMIT_S)


class ProgramHome:
    """A mode-700 folder for the program's settings and runtime files, with the shipped skins
    copied from beside the program when one is given (the default skin is looked up there;
    without them the program's built-in copy serves)."""

    def __init__(self, program=None):
        self.folder = tempfile.TemporaryDirectory()
        self.path = self.folder.name
        os.chmod(self.path, 0o700)
        if program:
            shutil.copytree(os.path.join(os.path.dirname(program), "skins"),
                            os.path.join(self.path, "skins"))

    def cleanup(self):
        self.folder.cleanup()
