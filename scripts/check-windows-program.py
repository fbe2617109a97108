#!/usr/bin/env python3
"""The Windows program as Explorer and a console see the .exe: a program of the Windows GUI
subsystem (no console window of its own) that exports nothing of its own, carrying the icon resources "MAINICON" and "ZICON_01" in the sizes Explorer and the tray
pick from and version details with the program's version; started with its output read from a
pipe or sent to a file, its lines still arrive there.
Then under Wine, as a user first starts it: on the simulated component it
saves a picture of its window, the size of the shipped default skin and not blank. Then a second
start hands "-VOL 20" to the running instance (WM_COPYDATA), which sends the volume frame to the
component; "--status --json" is answered by the running window; a last start's "-EXIT" ends it.
A later start that comes while the first one's start-up waits on a message (the skin it names
is gone) is handed over, and its command line runs once the message is closed.
Last, a settings file in the old Shift-JIS form with a Japanese folder name is saved as UTF-8
with the name intact, and saved again unchanged.

Usage: check-windows-program.py PROGRAM.exe SKINS_FOLDER WORK_FOLDER
Runs on a display (Xvfb) with WINEPREFIX set; Wine passes the ZR4PC_* variables on."""
import os
import re
import shutil
import struct
import subprocess
import sys
import time
import zipfile
import zlib

LIMIT_S = 120


def windows_path(path):
    """A Linux path as the program sees it through Wine's Z: drive."""
    return "Z:" + os.path.abspath(path).replace("/", "\\")


def bmp_size(data):
    if data[:2] != b"BM" or len(data) < 26:
        raise ValueError("not a BMP")
    width, height = struct.unpack("<ii", data[18:26])
    return width, abs(height)


def png_pixels(path):
    """(width, height, rows of bytes, bytes per pixel) of an 8-bit RGB or RGBA PNG."""
    with open(path, "rb") as file:
        data = file.read()
    if data[:8] != b"\x89PNG\r\n\x1a\n":
        raise ValueError("not a PNG")
    pos, header, idat = 8, None, b""
    while pos + 8 <= len(data):
        length, kind = struct.unpack(">I4s", data[pos:pos + 8])
        body = data[pos + 8:pos + 8 + length]
        if kind == b"IHDR":
            header = struct.unpack(">IIBBBBB", body)
        elif kind == b"IDAT":
            idat += body
        pos += 12 + length
    if header is None:
        raise ValueError("no IHDR chunk")
    width, height, depth, colour, _, _, interlace = header
    if depth != 8 or colour not in (2, 6) or interlace != 0:
        raise ValueError("unexpected PNG format: depth %d, colour type %d" % (depth, colour))
    bpp = 3 if colour == 2 else 4
    raw = zlib.decompress(idat)
    stride = width * bpp
    rows, previous, pos = [], bytearray(stride), 0
    for _ in range(height):
        kind, line = raw[pos], bytearray(raw[pos + 1:pos + 1 + stride])
        pos += 1 + stride
        for i in range(stride):
            a = line[i - bpp] if i >= bpp else 0
            b = previous[i]
            c = previous[i - bpp] if i >= bpp else 0
            if kind == 1:
                line[i] = (line[i] + a) & 0xFF
            elif kind == 2:
                line[i] = (line[i] + b) & 0xFF
            elif kind == 3:
                line[i] = (line[i] + (a + b) // 2) & 0xFF
            elif kind == 4:
                p = a + b - c
                pa, pb, pc = abs(p - a), abs(p - b), abs(p - c)
                pred = a if pa <= pb and pa <= pc else (b if pb <= pc else c)
                line[i] = (line[i] + pred) & 0xFF
        rows.append(bytes(line))
        previous = line
    return width, height, rows, bpp


def icon_sizes(data):
    """The sizes of the images of an icon file (0 in its directory stands for 256)."""
    reserved, kind, count = struct.unpack("<HHH", data[:6])
    if reserved != 0 or kind != 1:
        raise ValueError("not an icon file")
    sizes = set()
    for i in range(count):
        width, height = data[6 + 16 * i], data[7 + 16 * i]
        sizes.add((width or 256, height or 256))
    return sizes


def version_strings(data):
    """Key -> value of a version resource's string table. Each entry is three 16-bit words
    (lengths, then type 1 for text) before its key; keys and values are UTF-16 strings padded
    with zeros to four bytes, so a key's value is the next string after it."""
    words = data[:len(data) // 2 * 2].decode("utf-16-le", errors="replace")
    texts = [re.sub(r"^.*\x01", "", text, flags=re.S) for text in words.split("\0") if text]
    return {key: value for key, value in zip(texts, texts[1:])}


def check_executable(program, work):
    errors = []
    headers = subprocess.run(["x86_64-w64-mingw32-objdump", "-p", program], capture_output=True,
                             text=True, check=True).stdout
    subsystem = re.search(r"^Subsystem\s+\S+\s+\((.*)\)$", headers, re.M)
    if subsystem is None or subsystem.group(1) != "Windows GUI":
        errors.append("the subsystem is %r, not the Windows GUI"
                      % (subsystem.group(1) if subsystem else None))
    # Static Qt Core declares its startup hook for export, and the linker keeps every declared
    # export: that one entry is all the table may hold.
    table = headers.split("[Ordinal/Name Pointer] Table", 1)
    exports = set(re.findall(r"^\s+\[\s*\d+\] (\S+)$", table[1].split("\n\n", 1)[0], re.M)) \
        if len(table) == 2 else set()
    if exports - {"qt_startup_hook"}:
        errors.append("the program exports %s" % sorted(exports))

    listing = subprocess.run(["wrestool", "-l", program], capture_output=True, text=True,
                             check=True).stdout
    for name in ("MAINICON", "ZICON_01"):
        # Type 14: a group icon, the resource LoadIcon and Explorer read by name.
        if "--type=14 --name='%s'" % name not in listing:
            errors.append("no icon resource %s: %s" % (name, listing))
            continue
        icon = subprocess.run(["wrestool", "-x", "--type=14", "--name=" + name, program],
                              capture_output=True, check=True).stdout
        sizes = icon_sizes(icon)
        wanted = {(size, size) for size in (16, 24, 32, 48, 256)}
        if sizes != wanted:
            errors.append("icon %s has the sizes %s, not %s" % (name, sorted(sizes),
                                                               sorted(wanted)))

    version = subprocess.run(["wine", program, "--version"], capture_output=True, text=True,
                             timeout=LIMIT_S)
    match = re.fullmatch(r"zr4pcctrl (\S+)\n", version.stdout)
    if version.returncode != 0 or match is None:
        errors.append("--version through a pipe: exit %d, %r" % (version.returncode,
                                                                version.stdout))
    else:
        details = version_strings(subprocess.run(["wrestool", "-x", "--raw", "--type=16", program],
                                                 capture_output=True, check=True).stdout)
        expected = {"ProductName": "ZR4PCCtrl", "FileVersion": match.group(1),
                    "ProductVersion": match.group(1)}
        for key, value in expected.items():
            if details.get(key) != value:
                errors.append("version detail %s is %r, not %r" % (key, details.get(key), value))
        if not details.get("FileDescription"):
            errors.append("no FileDescription in the version details: %s" % details)

    # Sent to a file, as "zr4pcctrl.exe --help > help.txt" does.
    help_file = os.path.join(work, "help.txt")
    with open(help_file, "w") as output:
        status = subprocess.run(["wine", program, "--help"], stdout=output,
                                stderr=subprocess.DEVNULL, timeout=LIMIT_S).returncode
    with open(help_file) as output:
        text = output.read()
    if status != 0 or "--status" not in text:
        errors.append("--help sent to a file: exit %d, %r" % (status, text[:300]))
    print("Windows program: %s, icons %s, version %s" % (
        subsystem.group(1) if subsystem else "no subsystem", "MAINICON ZICON_01",
        match.group(1) if match else "?"))
    return errors


def check_screenshot(program, skins, work):
    home = os.path.join(work, "screenshot-home")
    shutil.rmtree(home, ignore_errors=True)
    shutil.copytree(skins, os.path.join(home, "skins"))
    picture = os.path.join(home, "window.png")
    env = dict(os.environ, ZR4PC_HOME=windows_path(home))
    result = subprocess.run(["wine", program, "--simulate", "--screenshot",
                             windows_path(picture)], env=env, capture_output=True, text=True,
                            timeout=LIMIT_S)
    errors = []
    if result.returncode != 0:
        errors.append("exit status %d: %s" % (result.returncode, result.stderr[-2000:]))
    if "does not exist" in result.stderr:
        errors.append("the shipped skin was not loaded: " + result.stderr[-2000:])
    if not os.path.isfile(picture):
        return errors + ["no picture at " + picture]

    with zipfile.ZipFile(os.path.join(skins, "skindefa.zip")) as skin:
        expected = bmp_size(skin.read("main.bmp"))
    width, height, rows, bpp = png_pixels(picture)
    if (width, height) != expected:
        errors.append("picture is %dx%d, the skin's window %dx%d" % (width, height, *expected))
    colours = {row[i:i + bpp] for row in rows for i in range(0, len(row), bpp)}
    if len(colours) <= 16:
        errors.append("picture looks blank: %d colours" % len(colours))
    print("Windows program: %dx%d picture with %d colours" % (width, height, len(colours)))
    return errors


def wait_for(condition, seconds):
    deadline = time.monotonic() + seconds
    while time.monotonic() < deadline:
        if condition():
            return True
        time.sleep(0.2)
    return condition()


def read_lines(path):
    try:
        with open(path) as file:
            return file.read().splitlines()
    except FileNotFoundError:
        return []


def check_second_start(program, skins, work):
    home = os.path.join(work, "instance-home")
    shutil.rmtree(home, ignore_errors=True)
    # With the shipped skins in place no message box holds up the start.
    shutil.copytree(skins, os.path.join(home, "skins"))
    trace = os.path.join(home, "trace.txt")
    env = dict(os.environ, ZR4PC_HOME=windows_path(home), ZR4PC_SIM_TRACE=trace)
    first = subprocess.Popen(["wine", program, "--simulate"], env=env,
                             stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    errors = []
    try:
        if not wait_for(lambda: any(l.startswith("IN ") for l in read_lines(trace)), 60):
            return ["the first instance never read the component"]
        # The instance's window exists once the controller window is up; a later start that
        # comes too early finds no one to hand its parameters to.
        time.sleep(2)
        if [l for l in read_lines(trace) if l.startswith("OUT ")]:
            return ["the first instance wrote to the component before being asked to"]
        volume = "OUT B8 02 4D 14"  # volume 20 (0x14)
        second = subprocess.run(["wine", program, "-VOL", "20"], env=env, capture_output=True,
                                text=True, timeout=LIMIT_S)
        if second.returncode != 0:
            errors.append("second start: exit status %d" % second.returncode)
        if not wait_for(lambda: any(l.startswith(volume) for l in read_lines(trace)), 20):
            errors.append("the running instance did not set the volume: %s" %
                          [l for l in read_lines(trace) if l.startswith("OUT ")])
        # The running window answers once its next poll shows the volume; a component read
        # afresh would show its own.
        answers = []

        def window_answers():
            status = subprocess.run(["wine", program, "--status", "--json"], env=env,
                                    capture_output=True, text=True, timeout=LIMIT_S)
            answers.append((status.returncode, status.stdout + status.stderr[-500:]))
            return status.returncode == 0 and '"volume":20,' in status.stdout \
                and '"title":"ZR4PCCtrl"' in status.stdout
        if not wait_for(window_answers, 10):
            errors.append("--status --json was not answered by the running window: %r"
                          % answers[-1])
        # The status line, read from a pipe as a script reads it.
        line = subprocess.run(["wine", program, "--status"], env=env, capture_output=True,
                              text=True, timeout=LIMIT_S)
        if line.returncode != 0 or not re.search(r"Vol\.20 \| ZR4PCCtrl\n$", line.stdout):
            errors.append("--status through a pipe: exit %d, %r" % (line.returncode,
                                                                   line.stdout))
        subprocess.run(["wine", program, "-EXIT"], env=env, capture_output=True,
                       timeout=LIMIT_S)
        try:
            first.wait(timeout=30)
        except subprocess.TimeoutExpired:
            errors.append("-EXIT from a later start did not end the running instance")
        else:
            if first.returncode != 0:
                errors.append("first instance: exit status %d" % first.returncode)
    finally:
        if first.poll() is None:
            first.kill()
            first.wait()
    return errors


def check_start_during_message(program, work):
    home = os.path.join(work, "message-home")
    shutil.rmtree(home, ignore_errors=True)
    os.makedirs(home)
    # A skin the user chose that is gone: the start-up says so in a message and waits for it.
    with open(os.path.join(home, "zr4pcctrl.ini"), "wb") as settings:
        settings.write(b"[Setting]\r\nSkinIniName=skins\\gone.zip\r\n")
    trace = os.path.join(home, "trace.txt")
    env = dict(os.environ, ZR4PC_HOME=windows_path(home), ZR4PC_SIM_TRACE=trace)
    first = subprocess.Popen(["wine", program, "--simulate"], env=env,
                             stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    volume = "OUT B8 02 4D 14"

    def message_box():
        found = subprocess.run(["xdotool", "search", "--onlyvisible", "--name", "^ZR4PCCtrl$"],
                               capture_output=True, text=True).stdout.split()
        return found[0] if found else None
    errors = []
    try:
        if not wait_for(message_box, 60):
            return ["no start-up message about the missing skin"]
        second = subprocess.run(["wine", program, "-VOL", "20"], env=env, capture_output=True,
                                timeout=LIMIT_S)
        if second.returncode != 0:
            errors.append("a start during the start-up message: exit status %d" %
                          second.returncode)
        if any(l.startswith(volume) for l in read_lines(trace)):
            errors.append("the handed-over command line ran inside the start-up message")
        subprocess.run(["xdotool", "windowfocus", message_box()], timeout=10)
        time.sleep(1)
        subprocess.run(["xdotool", "key", "Return"], timeout=10)
        if not wait_for(lambda: any(l.startswith(volume) for l in read_lines(trace)), 20):
            errors.append("a command line handed over during the start-up message was lost")
        subprocess.run(["wine", program, "-EXIT"], env=env, capture_output=True, timeout=LIMIT_S)
        first.wait(timeout=30)
    except subprocess.TimeoutExpired:
        errors.append("the instance started with a message did not end on -EXIT")
    finally:
        if first.poll() is None:
            first.kill()
            first.wait()
    return errors


def check_japanese_settings(program, skins, work):
    home = os.path.join(work, "settings-home")
    shutil.rmtree(home, ignore_errors=True)
    shutil.copytree(skins, os.path.join(home, "skins"))
    settings = os.path.join(home, "zr4pcctrl.ini")
    line = "WinAmpPath=C:\\音楽\\Winamp\\winamp.exe"
    with open(settings, "wb") as file:
        file.write(("[Other]\r\n" + line + "\r\n").encode("cp932"))
    env = dict(os.environ, ZR4PC_HOME=windows_path(home))
    saved = []
    for _ in range(2):
        # The window closes after its picture, saving the settings as every close does.
        subprocess.run(["wine", program, "--simulate", "--screenshot",
                        windows_path(os.path.join(home, "window.png"))], env=env,
                       capture_output=True, timeout=LIMIT_S)
        with open(settings, "rb") as file:
            saved.append(file.read())
    try:
        text = saved[0].decode("utf-8")
    except UnicodeDecodeError:
        return ["the settings were not saved as UTF-8: %r" % saved[0][:200]]
    errors = []
    if line not in text.splitlines():
        errors.append("the Japanese folder name did not survive saving: %r" % text[:400])
    if saved[1] != saved[0]:
        errors.append("saving the settings a second time changed them")
    return errors


def main():
    if len(sys.argv) != 4:
        print(__doc__, file=sys.stderr)
        return 2
    program, skins, work = sys.argv[1:]
    os.makedirs(work, exist_ok=True)
    errors = check_executable(program, work)
    errors += check_screenshot(program, skins, work)
    errors += check_second_start(program, skins, work)
    errors += check_start_during_message(program, work)
    errors += check_japanese_settings(program, skins, work)
    for error in errors:
        print("Windows program FAILED: " + error, file=sys.stderr)
    return 1 if errors else 0


if __name__ == "__main__":
    sys.exit(main())
