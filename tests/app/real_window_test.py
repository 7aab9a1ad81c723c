#!/usr/bin/env python3
"""The built kelvane in a real X server: started on a model, closed through the window system the way
a window manager closes it, and started again on what it remembered.

Usage: real_window_test.py KELVANE MODEL

Runs its own Xvfb on a free display (no window manager, so no frame around the window), with HOME and
XDG_CONFIG_HOME in a fresh temporary folder, so the user's own settings are never touched.
"""
import configparser
import ctypes
import ctypes.util
import os
import select
import shutil
import subprocess
import sys
import tempfile

SCREEN = (1280, 1024)  # pixels; Qt takes the X server's 96 dots per inch, 15 twips per pixel
TIMEOUT = 10  # seconds for any one wait


def start_xvfb():
    """Xvfb on the first free display; it writes the display's number into the pipe once it is ready."""
    read_end, write_end = os.pipe()
    server = subprocess.Popen(
        ["Xvfb", "-displayfd", str(write_end), "-screen", "0", "%dx%dx24" % SCREEN, "-nolisten", "tcp"],
        pass_fds=[write_end], stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    os.close(write_end)
    number = b""
    while not number.endswith(b"\n"):
        if not select.select([read_end], [], [], TIMEOUT)[0]:
            server.kill()
            sys.exit("Xvfb did not start")
        chunk = os.read(read_end, 16)
        if not chunk:
            sys.exit("Xvfb did not start")
        number += chunk
    os.close(read_end)
    return server, ":" + number.decode().strip()


def find_window(environment):
    """The main window's id, once it is mapped."""
    found = subprocess.run(["xdotool", "search", "--sync", "--onlyvisible", "--name", "^Kelvane$"],
                           env=environment, capture_output=True, text=True, timeout=TIMEOUT, check=True)
    return int(found.stdout.split()[0])


def window_bounds(environment, window):
    shown = subprocess.run(["xdotool", "getwindowgeometry", "--shell", str(window)], env=environment,
                           capture_output=True, text=True, timeout=TIMEOUT, check=True)
    values = dict(line.split("=", 1) for line in shown.stdout.split())
    return tuple(int(values[key]) for key in ("X", "Y", "WIDTH", "HEIGHT"))


def send_delete_window(display_name, window):
    """What a window manager sends for a click on the close box: WM_PROTOCOLS / WM_DELETE_WINDOW."""

    class ClientMessage(ctypes.Structure):
        _fields_ = [("type", ctypes.c_int), ("serial", ctypes.c_ulong), ("send_event", ctypes.c_int),
                    ("display", ctypes.c_void_p), ("window", ctypes.c_ulong),
                    ("message_type", ctypes.c_ulong), ("format", ctypes.c_int), ("data", ctypes.c_long * 5)]

    class Event(ctypes.Union):
        _fields_ = [("xclient", ClientMessage), ("pad", ctypes.c_long * 24)]

    x11 = ctypes.CDLL(ctypes.util.find_library("X11") or "libX11.so.6")
    x11.XOpenDisplay.restype = ctypes.c_void_p
    x11.XOpenDisplay.argtypes = [ctypes.c_char_p]
    x11.XInternAtom.restype = ctypes.c_ulong
    x11.XInternAtom.argtypes = [ctypes.c_void_p, ctypes.c_char_p, ctypes.c_int]
    x11.XSendEvent.argtypes = [ctypes.c_void_p, ctypes.c_ulong, ctypes.c_int, ctypes.c_long, ctypes.c_void_p]
    x11.XFlush.argtypes = [ctypes.c_void_p]
    x11.XCloseDisplay.argtypes = [ctypes.c_void_p]

    display = x11.XOpenDisplay(display_name.encode())
    if not display:
        sys.exit("cannot open display " + display_name)
    event = Event()
    event.xclient.type = 33  # ClientMessage
    event.xclient.window = window
    event.xclient.message_type = x11.XInternAtom(display, b"WM_PROTOCOLS", 0)
    event.xclient.format = 32
    event.xclient.data[0] = x11.XInternAtom(display, b"WM_DELETE_WINDOW", 0)
    event.xclient.data[1] = 0  # CurrentTime
    x11.XSendEvent(display, window, 0, 0, ctypes.byref(event))
    x11.XFlush(display)
    x11.XCloseDisplay(display)


def run_once(kelvane, arguments, environment, display_name):
    """Starts kelvane, waits for its window, closes it through the X server; the window's bounds."""
    program = subprocess.Popen([kelvane] + arguments, env=environment)
    try:
        window = find_window(environment)
        bounds = window_bounds(environment, window)
        send_delete_window(display_name, window)
        status = program.wait(timeout=TIMEOUT)
    finally:
        if program.poll() is None:
            program.kill()
    if status != 0:
        sys.exit("kelvane ended with status %d" % status)
    return bounds


def stored_settings(path):
    store = configparser.ConfigParser(interpolation=None)
    store.optionxform = str  # keys keep their letter case
    if not store.read(path):
        sys.exit("no settings file at " + path)
    return {(section, key): value for section in store.sections() for key, value in store[section].items()}


def write_settings(path, settings):
    store = configparser.ConfigParser(interpolation=None)
    store.optionxform = str
    for (section, key), value in settings.items():
        if not store.has_section(section):
            store.add_section(section)
        store[section][key] = value
    with open(path, "w") as file:
        store.write(file, space_around_delimiters=False)


def expect(what, actual, expected):
    if actual != expected:
        for key in sorted(set(actual) | set(expected)) if isinstance(actual, dict) else []:
            if actual.get(key) != expected.get(key):
                print("  %s: %r, expected %r" % (key, actual.get(key), expected.get(key)), file=sys.stderr)
        sys.exit("%s: %r\n  expected %r" % (what, actual, expected))


def main():
    kelvane, model = sys.argv[1], sys.argv[2]
    work = tempfile.mkdtemp(prefix="kelvane-real-window-")
    server = None
    try:
        models = os.path.join(work, "models")
        os.makedirs(models)
        runtime = os.path.join(work, "runtime")
        os.makedirs(runtime, mode=0o700)
        shutil.copy(model, models)
        server, display_name = start_xvfb()
        environment = {key: value for key, value in os.environ.items() if not key.startswith("QT_")}
        environment.update(DISPLAY=display_name, HOME=work, XDG_CONFIG_HOME=os.path.join(work, "config"),
                           XDG_RUNTIME_DIR=runtime, QT_QPA_PLATFORM="xcb")
        environment.pop("XAUTHORITY", None)
        settings_file = os.path.join(work, "config", "Kelvane", "Kelvane.conf")

        # First run: nothing stored, the model named on the command line. The window opens at
        # 800 x 600 pixels, centred, and its close leaves every setting in the store.
        bounds = run_once(kelvane, [os.path.join(models, os.path.basename(model))], environment, display_name)
        expect("first window", bounds, ((SCREEN[0] - 800) // 2, (SCREEN[1] - 600) // 2, 800, 600))
        first_run = {
            ("Paths", "DATPath"): models + "/",
            ("Settings", "BackupFile"): "1",
            ("Settings", "WindowState"): "0",
            ("Settings", "WindowLeft"): str((SCREEN[0] - 800) * 15 // 2),
            ("Settings", "WindowTop"): str((SCREEN[1] - 600) * 15 // 2),
            ("Settings", "WindowWidth"): "12000",
            ("Settings", "WindowHeight"): "9000",
            ("SortOptions", "SortOption"): "0",
            ("SortOptions", "SortKeyOrder0"): "1",
            ("SortOptions", "SortKeyOrder1"): "2",
            ("SortOptions", "SortKeyOrder2"): "0",
            ("SortOptions", "XSortOpt0"): "False",
            ("SortOptions", "XSortOpt1"): "True",
            ("SortOptions", "YSortOpt0"): "True",
            ("SortOptions", "YSortOpt1"): "False",
            ("SortOptions", "ZSortOpt0"): "True",
            ("SortOptions", "ZSortOpt1"): "False",
            ("SortOptions", "BetweenSteps"): "1",
        }
        expect("settings after the first run", stored_settings(settings_file), first_run)

        # Second run, without a command line, on settings as another session left them: the window
        # comes back where they put it, and closing writes the same values back.
        changed = dict(first_run)
        changed.update({
            ("Settings", "BackupFile"): "0",
            ("Settings", "WindowLeft"): "1500", ("Settings", "WindowTop"): "750",
            ("Settings", "WindowWidth"): "13500", ("Settings", "WindowHeight"): "9750",
            ("SortOptions", "SortOption"): "2",
            ("SortOptions", "SortKeyOrder0"): "2", ("SortOptions", "SortKeyOrder1"): "0",
            ("SortOptions", "SortKeyOrder2"): "1",
            ("SortOptions", "XSortOpt0"): "True", ("SortOptions", "XSortOpt1"): "False",
            ("SortOptions", "BetweenSteps"): "0",
        })
        write_settings(settings_file, changed)
        bounds = run_once(kelvane, [], environment, display_name)
        expect("restored window", bounds, (100, 50, 900, 650))
        expect("settings after the second run", stored_settings(settings_file), changed)
    finally:
        if server is not None:
            server.terminate()
            server.wait(timeout=TIMEOUT)
        shutil.rmtree(work, ignore_errors=True)
    print("real window: 2 runs passed")


if __name__ == "__main__":
    main()
