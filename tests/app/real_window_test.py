#!/usr/bin/env python3
"""The built kelvane in a real X server (usage: real_window_test.py KELVANE MODEL): started on a model,
closed through the window system the way a window manager closes it, and started again on what it
remembered. It runs its own Xvfb on a free display, first with no window manager (no frame around the
window), then with openbox, with HOME and XDG_CONFIG_HOME in a fresh temporary folder, so the user's own
settings are never touched. Run as root, it also saves as an unprivileged user after a failed load."""
import configparser
import ctypes
import os
import pathlib
import select
import shutil
import subprocess
import sys
import tempfile
import time

TIMEOUT = 10  # seconds for any one wait
FIRST_RUN = """Paths/DATPath={models}/ Settings/BackupFile=1 Settings/WindowState=0 Settings/WindowLeft=3600
  Settings/WindowTop=3180 Settings/WindowWidth=12000 Settings/WindowHeight=9000 SortOptions/SortOption=0
  SortOptions/SortKeyOrder0=1 SortOptions/SortKeyOrder1=2 SortOptions/SortKeyOrder2=0 SortOptions/XSortOpt0=False
  SortOptions/XSortOpt1=True SortOptions/YSortOpt0=True SortOptions/YSortOpt1=False SortOptions/ZSortOpt0=True
  SortOptions/ZSortOpt1=False SortOptions/BetweenSteps=1"""
# As another session left them: the window at 100, 50 and 900 x 650 pixels, other options chosen.
SECOND_RUN = """Settings/BackupFile=0 Settings/WindowLeft=1500 Settings/WindowTop=750 Settings/WindowWidth=13500
  Settings/WindowHeight=9750 SortOptions/SortOption=2 SortOptions/SortKeyOrder0=2 SortOptions/SortKeyOrder1=0
  SortOptions/SortKeyOrder2=1 SortOptions/XSortOpt0=True SortOptions/XSortOpt1=False SortOptions/BetweenSteps=0"""


class ClientMessage(ctypes.Structure):  # XClientMessageEvent, padded to the size of an XEvent
    _fields_ = [("type", ctypes.c_int), ("serial", ctypes.c_ulong), ("send_event", ctypes.c_int),
                ("display", ctypes.c_void_p), ("window", ctypes.c_ulong), ("message_type", ctypes.c_ulong),
                ("format", ctypes.c_int), ("data", ctypes.c_long * 5), ("pad", ctypes.c_long * 12)]


def send_delete_window(display_name, window):
    """What a window manager sends for a click on the close box: WM_PROTOCOLS / WM_DELETE_WINDOW."""
    x11 = ctypes.CDLL("libX11.so.6")
    x11.XOpenDisplay.restype = ctypes.c_void_p
    x11.XInternAtom.restype = ctypes.c_ulong
    display = ctypes.c_void_p(x11.XOpenDisplay(display_name.encode()))  # the one xdotool has just used
    event = ClientMessage(type=33, window=window, format=32,  # 33: ClientMessage
                          message_type=x11.XInternAtom(display, b"WM_PROTOCOLS", 0))
    event.data[0] = x11.XInternAtom(display, b"WM_DELETE_WINDOW", 0)
    x11.XSendEvent(display, ctypes.c_ulong(window), 0, ctypes.c_long(0), ctypes.byref(event))
    x11.XCloseDisplay(display)  # sends what is queued


def poll(failure, probe):
    """The first result of `probe` that is true, asked for again until the time limit; then `failure`."""
    deadline = time.monotonic() + TIMEOUT
    while not (result := probe()):
        if time.monotonic() > deadline:
            sys.exit(failure)
        time.sleep(0.1)
    return result


def windows(environment):
    """The program's visible windows, once there is one (xdotool's own waiting gives up when one goes away)."""
    return poll("no window of the program showed", lambda: subprocess.run(
        ["xdotool", "search", "--onlyvisible", "--name", "^Kelvane$"], env=environment, capture_output=True,
        text=True, timeout=TIMEOUT).stdout.split())


def run_once(arguments, environment, act=None, user=None):
    """Starts kelvane (as `user`), waits for its first window, lets `act` work on it, which may name the
    window to close instead, and closes that through the X server; the first window's bounds."""
    program = subprocess.Popen([sys.argv[1]] + arguments, env=environment, user=user, group=user,
                               extra_groups=None if user is None else [])
    try:
        # A window that closes while xdotool works on it is no failure; what the test expects afterwards is.
        xdotool = lambda *words: subprocess.run(["xdotool"] + list(words), env=environment, capture_output=True,
                                                text=True, timeout=TIMEOUT).stdout
        window = int(windows(environment)[0])
        shown = dict(line.split("=", 1) for line in xdotool("getwindowgeometry", "--shell", str(window)).split())
        window = act(xdotool, str(window)) if act else window
        send_delete_window(environment["DISPLAY"], window)
        if program.wait(timeout=TIMEOUT) != 0:
            sys.exit("kelvane ended with status %d" % program.returncode)
    finally:
        program.kill()  # nothing, once it has ended
    return tuple(int(shown[key]) for key in ("X", "Y", "WIDTH", "HEIGHT"))


def save_after_failed_load(environment, work):
    """As an unprivileged user, a model that may be written but not read: its load fails, and Save File
    must not write the empty list over it."""
    nobody, home = 65534, os.path.join(work, "nobody")
    os.chmod(work, 0o755)
    os.makedirs(os.path.join(home, "Kelvane"))
    model, bytes_before = pathlib.Path(home, "w.dat"), b"0 a model\r\n1 4 0 0 0 1 0 0 0 1 0 0 0 1 3001.dat\r\n"
    model.write_bytes(bytes_before)
    # With a backup, a save that wrongly went ahead would fail on the unreadable model and change nothing.
    settings_file(os.path.join(home, "Kelvane", "Kelvane.conf"), {"Settings/BackupFile": "0"})
    subprocess.run(["chown", "-R", "%d:%d" % (nobody, nobody), home], check=True)
    model.chmod(0o222)

    def save(xdotool, box):
        def pressed(window, *keys_or_clicks):  # the windows shown once it has taken effect
            xdotool("windowfocus", "--sync", window, *keys_or_clicks)
            time.sleep(0.5)
            return windows(environment)

        # Return on "could not be read" until that box has gone.
        window = poll("the message about the failed load did not close",
                      lambda: box not in (shown := pressed(box, "key", "Return")) and shown)[0]
        # Save File stands 157 pixels in from the right and 117 up from the bottom of an 800 x 600 window;
        # a click that came too early is repeated until the refusal's box is up.
        refusal = poll("no message after Save File", lambda: [w for w in pressed(
            window, "mousemove", "--window", window, "706", "513", "click", "1") if w != window])[0]
        xdotool("windowfocus", "--sync", refusal, "key", "Return")
        return int(window)

    run_once([str(model)], environment | dict(HOME=home, XDG_CONFIG_HOME=home), save, nobody)
    expect("the unreadable model after Save File", model.read_bytes(), bytes_before)


def settings_file(path, settings=None):
    """Writes `settings` ("Section/Key": text) to the file when given; what the file holds."""
    store = configparser.ConfigParser(interpolation=None)
    store.optionxform = str  # keys keep their letter case
    if settings is not None:
        for name, text in settings.items():
            store.read_dict({name.split("/")[0]: {name.split("/")[1]: text}})
        with open(path, "w") as file:
            store.write(file, space_around_delimiters=False)
    elif not store.read(path):
        sys.exit("no settings file at " + path)
    return {section + "/" + key: text for section in store.sections() for key, text in store[section].items()}


def expect(what, actual, expected):
    if isinstance(actual, dict):  # only the keys that differ
        actual, expected = ({k: d.get(k) for k in set(actual) | set(expected) if actual.get(k) != expected.get(k)}
                            for d in (actual, expected))
    if actual != expected:
        sys.exit("%s: %r\n  expected %r" % (what, actual, expected))


def main():
    work = tempfile.mkdtemp(prefix="kelvane-real-window-")
    # A screen of 1280 x 1024 pixels, at the 96 dots per inch Qt takes from the server: 15 twips per pixel.
    # -noreset: by default the server resets when its last client leaves, and a program started in that
    # moment cannot connect.
    server = subprocess.Popen(["Xvfb", "-noreset", "-displayfd", "1", "-screen", "0", "1280x1024x24", "-nolisten", "tcp"],
                              stdout=subprocess.PIPE, stderr=subprocess.DEVNULL)
    try:
        if not select.select([server.stdout], [], [], TIMEOUT)[0]:
            sys.exit("Xvfb did not start")
        model = shutil.copy(sys.argv[2], work)
        environment = {key: value for key, value in os.environ.items()
                       if not key.startswith("QT_") and key != "XAUTHORITY"}
        # With an empty XDG_RUNTIME_DIR, Qt makes a runtime folder of each user's own in /tmp.
        environment.update(DISPLAY=":" + server.stdout.readline().decode().strip(), HOME=work, QT_QPA_PLATFORM="xcb",
                           XDG_CONFIG_HOME=work, XDG_RUNTIME_DIR="")
        stored = os.path.join(work, "Kelvane", "Kelvane.conf")

        # First run: nothing stored, the model named on the command line. The window opens at
        # 800 x 600 pixels, centred, and its close leaves every setting in the store.
        expect("first window", run_once([model], environment), (240, 212, 800, 600))
        first_run = dict(word.split("=", 1) for word in FIRST_RUN.format(models=work).split())
        expect("settings after the first run", settings_file(stored), first_run)

        # Second run, without a command line: the window comes back where the settings put it, and
        # closing writes the same values back.
        changed = first_run | dict(word.split("=", 1) for word in SECOND_RUN.split())
        settings_file(stored, changed)
        expect("restored window", run_once([], environment), (100, 50, 900, 650))
        expect("settings after the second run", settings_file(stored), changed)

        # Under a window manager, which draws a frame: a size stored below the minimum opens at the
        # minimum, centred, and is written back so at every start, never a frame's size larger.
        manager = subprocess.Popen(["openbox"], env=environment, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        # openbox announces itself before it manages windows; a window mapped in between gets no frame.
        subprocess.run(["sh", "-c", "until xprop -root _NET_SUPPORTING_WM_CHECK | grep -q window; do sleep 0.1; done;"
                        " sleep 1"], env=environment, timeout=TIMEOUT, check=True)
        small = {k: v for k, v in first_run.items() if k not in ("Settings/WindowLeft", "Settings/WindowTop")}
        settings_file(stored, small | {"Settings/WindowWidth": "3000", "Settings/WindowHeight": "3000"})
        for start in range(3):
            run_once([model], environment)
            expect("settings at the minimum, start %d" % (start + 1), settings_file(stored), first_run | {
                "Settings/WindowLeft": "5100", "Settings/WindowTop": "3555", "Settings/WindowWidth": "9000",
                "Settings/WindowHeight": "8250"})
        manager.terminate()

        if os.geteuid() == 0:
            save_after_failed_load(environment, work)
    finally:
        server.terminate()
        server.wait(timeout=TIMEOUT)
        shutil.rmtree(work, ignore_errors=True)
    print("real window: %d runs passed" % (6 if os.geteuid() == 0 else 5))


if __name__ == "__main__":
    main()
