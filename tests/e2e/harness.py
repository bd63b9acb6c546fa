"""Runs the real PimLoft.exe under Wine on a private Xvfb display and drives it as a user would.

Every process started here is tracked by its id and stopped by `Desktop.stop`. Conditions are
polled with a timeout, never assumed after a fixed sleep.

Found by trying (Wine 8, no window manager):
- The notification area is a standalone window titled "Wine System Tray" (newer Wine: class
  Shell_TrayWnd, no title); icons sit in 20-px cells from its left edge.
- The X window of a Wine top-level window is exactly its client area, so there is no close box
  to click. `xdotool windowclose` destroys the X window behind Wine's back, and Alt+F4 reaches
  the window only when Wine happens to treat it as focused. What a window manager's close
  button sends, a WM_DELETE_WINDOW client message, always works: Wine turns it into
  SC_CLOSE, the same path as the close box.
- Wine draws popup menus itself; an item is chosen by the accelerator of its caption.
"""

import ctypes
import os
import re
import shutil
import signal
import subprocess
import time
from pathlib import Path

TIMEOUT = 30.0
TRAY_CELL = 20

# The 64-bit loader itself: the "wine" script prefers a 32-bit loader whenever one is
# installed, even where it cannot run.
WINE = "/usr/lib/wine/wine64" if os.access("/usr/lib/wine/wine64", os.X_OK) else "wine"

WINE_ENV = {
    "WINELOADER": WINE,
    "WINEDEBUG": "-all",
    # No Mono or Gecko prompt when a prefix is made.
    "WINEDLLOVERRIDES": "mscoree,mshtml=",
}


class Timeout(AssertionError):
    pass


def wait_until(condition, what, timeout=TIMEOUT, interval=0.05):
    """The first truthy value of `condition()`; fails naming `what` after `timeout` seconds."""
    end = time.monotonic() + timeout
    while True:
        value = condition()
        if value:
            return value
        if time.monotonic() > end:
            raise Timeout(f"timed out after {timeout:.0f} s waiting for {what}")
        time.sleep(interval)


def make_template_prefix(path):
    """A fresh Wine prefix, made once per run and copied for each test."""
    env = dict(os.environ, WINEPREFIX=str(path), **WINE_ENV)
    env.pop("DISPLAY", None)
    subprocess.run([WINE, "wineboot", "-i"], env=env, check=True, stdin=subprocess.DEVNULL,
                   stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL, timeout=300)
    subprocess.run(["wineserver", "-w"], env=env, check=True, timeout=120)
    return Path(path)


def copy_prefix(template, dest):
    """Hard links for the large read-only system files; private copies of what Wine writes."""
    subprocess.run(["cp", "-al", str(template), str(dest)], check=True)
    for name in ("system.reg", "user.reg", "userdef.reg"):
        if (dest / name).exists():
            _unshare(dest / name)
    users = dest / "drive_c" / "users"
    shutil.rmtree(users)
    shutil.copytree(template / "drive_c" / "users", users, symlinks=True)
    return dest


def _unshare(path):
    """Replaces a hard link by a private copy, so that a write cannot reach the template."""
    data = path.read_bytes()
    path.unlink()
    path.write_bytes(data)


def _start_xvfb():
    read_end, write_end = os.pipe()
    proc = subprocess.Popen(
        ["Xvfb", "-displayfd", str(write_end), "-screen", "0", "1280x1024x24", "-nolisten",
         "tcp", "-noreset"],
        pass_fds=(write_end,), stdin=subprocess.DEVNULL, stdout=subprocess.DEVNULL,
        stderr=subprocess.DEVNULL)
    os.close(write_end)
    with os.fdopen(read_end) as f:
        number = f.readline().strip()
    if not number:
        proc.kill()
        proc.wait()
        raise RuntimeError("Xvfb did not report a display")
    return proc, ":" + number


class Desktop:
    """One test's world: a display, a Wine prefix and a folder holding the program."""

    SCREEN = (1280, 1024)

    def __init__(self, folder, template_prefix):
        self.folder = Path(folder)
        self.folder.mkdir(parents=True, exist_ok=True)
        self.prefix = copy_prefix(Path(template_prefix), self.folder / "prefix")
        self.app = self.folder / "app"
        self.app.mkdir(exist_ok=True)
        self.procs = []
        self.xvfb, self.display = _start_xvfb()
        self.env = dict(os.environ, DISPLAY=self.display, WINEPREFIX=str(self.prefix), **WINE_ENV)
        self.shots = 0

    # -- processes ------------------------------------------------------------------------

    def _spawn(self, argv, **kwargs):
        proc = subprocess.Popen(argv, env=self.env, stdin=subprocess.DEVNULL,
                                stdout=kwargs.pop("stdout", subprocess.DEVNULL),
                                stderr=subprocess.DEVNULL, **kwargs)
        self.procs.append(proc)
        return proc

    def _run(self, argv, timeout=TIMEOUT, **kwargs):
        return subprocess.run(argv, env=self.env, capture_output=True, timeout=timeout,
                              **kwargs)

    def install(self, exe, data=None):
        """Copies the program (and its data file when given) into the test's own folder."""
        shutil.copy2(exe, self.app / "PimLoft.exe")
        if data is not None:
            self.data_file.write_bytes(data)

    @property
    def data_file(self):
        return self.app / "PimLoft.ini"

    def start(self):
        """Starts PimLoft.exe in its folder; returns the process (its id is the Windows
        process's, as the loader execs into it)."""
        return self._spawn([WINE, "PimLoft.exe"], cwd=self.app)

    def program_pids(self):
        """Ids of every PimLoft.exe running in this test's prefix."""
        found = []
        marker = ("WINEPREFIX=" + str(self.prefix)).encode()
        for entry in Path("/proc").iterdir():
            if not entry.name.isdigit():
                continue
            try:
                cmdline = (entry / "cmdline").read_bytes()
                environ = (entry / "environ").read_bytes()
            except OSError:
                continue
            if b"pimloft.exe" in cmdline.lower() and marker in environ.split(b"\0"):
                found.append(int(entry.name))
        return found

    def wait_exit(self, proc, timeout=TIMEOUT):
        try:
            return proc.wait(timeout=timeout)
        except subprocess.TimeoutExpired:
            raise Timeout(f"process {proc.pid} still running after {timeout:.0f} s") from None

    def stop(self):
        """Stops everything this desktop started, by id, and Wine's server for its prefix."""
        for proc in self.procs:
            if proc.poll() is None:
                proc.kill()
        subprocess.run(["wineserver", "-k"], env=self.env, timeout=TIMEOUT,
                       capture_output=True)
        for proc in self.procs:
            try:
                proc.wait(timeout=TIMEOUT)
            except subprocess.TimeoutExpired:
                pass
        subprocess.run(["wineserver", "-w"], env=self.env, timeout=TIMEOUT,
                       capture_output=True)
        self.xvfb.send_signal(signal.SIGTERM)
        try:
            self.xvfb.wait(timeout=TIMEOUT)
        except subprocess.TimeoutExpired:
            self.xvfb.kill()
            self.xvfb.wait()
        shutil.rmtree(self.prefix, ignore_errors=True)

    # -- windows --------------------------------------------------------------------------

    def xdotool(self, *args, check=True):
        result = self._run(["xdotool", *args])
        if check and result.returncode != 0:
            raise RuntimeError(f"xdotool {' '.join(args)}: {result.stderr.decode().strip()}")
        return result.stdout.decode()

    def search(self, *args):
        """Window ids of an `xdotool search`; none found is an empty list, not a failure."""
        out = self._run(["xdotool", "search", *args]).stdout.decode()
        return [int(w) for w in out.split()]

    def window_info(self, window):
        """Map state and geometry of an X window, or None once it is gone."""
        result = self._run(["xwininfo", "-id", str(window)])
        if result.returncode != 0:
            return None
        text = result.stdout.decode()

        def number(label):
            return int(re.search(rf"{label}:\s+(-?\d+)", text).group(1))

        return {
            "viewable": "IsViewable" in text,
            "x": number("Absolute upper-left X"),
            "y": number("Absolute upper-left Y"),
            "width": number("Width"),
            "height": number("Height"),
        }

    def is_viewable(self, window):
        info = self.window_info(window)
        return bool(info and info["viewable"])

    def tray_window(self):
        """The notification area's window once it is on screen, else None."""
        for args in (("--name", "^Wine System Tray$"), ("--class", "^Shell_TrayWnd$")):
            for window in self.search("--onlyvisible", *args):
                return window
        return None

    def tray_icon_count(self):
        """Icons drawn in the notification area: cells that are not plain background."""
        window = self.tray_window()
        if window is None:
            return 0
        info = self.window_info(window)
        if info is None:
            return 0
        width, height = info["width"], info["height"]
        raw = self._run(["import", "-window", str(window), "-depth", "8", "rgb:-"]).stdout
        if len(raw) < width * height * 3:
            return 0
        background = raw[(width - 1) * 3:(width - 1) * 3 + 3]
        count = 0
        for cell in range(width // TRAY_CELL):
            for y in range(height):
                row = raw[(y * width + cell * TRAY_CELL) * 3:(y * width + (cell + 1) * TRAY_CELL) * 3]
                if row != background * TRAY_CELL:
                    count += 1
                    break
        return count

    def wait_tray_icon(self, timeout=TIMEOUT):
        return wait_until(lambda: self.tray_window() if self.tray_icon_count() else None,
                          "the tray icon", timeout)

    def main_window(self, pid):
        """The X window of the program's main window (mapped or not), or None. A hidden 1x1
        owner window carries the same title, so the largest one is taken."""
        best, area = None, 0
        for window in self.search("--all", "--pid", str(pid), "--name", "^PimLoft$"):
            info = self.window_info(window)
            if info and info["width"] * info["height"] > area:
                best, area = window, info["width"] * info["height"]
        return best if area > 1 else None

    def wait_main_window(self, pid, timeout=TIMEOUT):
        return wait_until(lambda: self.main_window(pid), "the main window", timeout)

    def visible_windows(self, pid):
        return set(self.search("--onlyvisible", "--pid", str(pid)))

    def wait_shown(self, window, timeout=TIMEOUT):
        wait_until(lambda: self.is_viewable(window), f"window {window} to show", timeout)

    def wait_hidden(self, window, timeout=TIMEOUT):
        wait_until(lambda: not self.is_viewable(window), f"window {window} to hide", timeout)

    # -- input ----------------------------------------------------------------------------

    def click(self, window, x, y, button=1, count=1):
        self.xdotool("mousemove", "--window", str(window), str(x), str(y))
        self.xdotool("click", "--repeat", str(count), "--delay", "80", str(button))

    def tray_icon_center(self, cell=0):
        return cell * TRAY_CELL + TRAY_CELL // 2, TRAY_CELL // 2

    def double_click_tray_icon(self, cell=0):
        tray = self.wait_tray_icon()
        self.click(tray, *self.tray_icon_center(cell), count=2)

    def open_tray_menu(self, pid, cell=0):
        """Right-clicks the icon and waits for the program's popup menu to be on screen."""
        tray = self.wait_tray_icon()
        before = self.visible_windows(pid)
        self.click(tray, *self.tray_icon_center(cell), button=3)
        return wait_until(lambda: self.visible_windows(pid) - before, "the popup menu")

    def choose_menu_item(self, caption):
        """Chooses an item of the open popup menu by the accelerator of its caption."""
        match = re.search(r"&(\w)", caption)
        if not match:
            raise ValueError(f"caption {caption!r} has no accelerator")
        self.xdotool("key", match.group(1).lower())

    def key(self, *keys):
        self.xdotool("key", *keys)

    def close_window(self, window):
        """What the close box does: a WM_DELETE_WINDOW request, which Wine turns into
        SC_CLOSE (see the module's comment)."""
        send_delete_window(self.display, window)

    # -- clipboard ------------------------------------------------------------------------

    def set_clipboard(self, text):
        """Owns the clipboard with `text` until something else takes it (xclip keeps
        serving it from a tracked process)."""
        proc = subprocess.Popen(["xclip", "-quiet", "-selection", "clipboard", "-i"],
                                env=self.env, stdin=subprocess.PIPE,
                                stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        self.procs.append(proc)
        proc.stdin.write(text.encode("utf-8"))
        proc.stdin.close()
        wait_until(lambda: self.get_clipboard() == text, "xclip to own the clipboard")
        return proc

    def get_clipboard(self):
        result = self._run(["xclip", "-selection", "clipboard", "-o"], timeout=10)
        return result.stdout.decode("utf-8", "replace") if result.returncode == 0 else None

    # -- files and pictures ---------------------------------------------------------------

    @staticmethod
    def file_stamp(path):
        try:
            st = os.stat(path)
        except FileNotFoundError:
            return None
        return st.st_ino, st.st_mtime_ns, st.st_size

    def wait_file_change(self, path, before, timeout=TIMEOUT):
        """The file's bytes once its stamp differs from `before` (a `file_stamp`)."""
        wait_until(lambda: self.file_stamp(path) != before, f"{path.name} to change", timeout)
        # A save may still be settling (a writer without atomic replace): wait until stable.
        stamp = self.file_stamp(path)
        while True:
            time.sleep(0.1)
            now = self.file_stamp(path)
            if now == stamp:
                return Path(path).read_bytes()
            stamp = now

    def screenshot(self, name=None):
        self.shots += 1
        path = self.folder / (name or f"shot-{self.shots}.png")
        self._run(["import", "-window", "root", str(path)], check=True)
        return path


def send_delete_window(display, window):
    """Sends the WM_PROTOCOLS / WM_DELETE_WINDOW client message a window manager sends when
    its close button is pressed."""
    x11 = ctypes.cdll.LoadLibrary("libX11.so.6")
    x11.XOpenDisplay.restype = ctypes.c_void_p
    x11.XOpenDisplay.argtypes = [ctypes.c_char_p]
    x11.XInternAtom.restype = ctypes.c_ulong
    x11.XInternAtom.argtypes = [ctypes.c_void_p, ctypes.c_char_p, ctypes.c_int]
    x11.XSendEvent.argtypes = [ctypes.c_void_p, ctypes.c_ulong, ctypes.c_int, ctypes.c_long,
                               ctypes.c_void_p]
    x11.XFlush.argtypes = [ctypes.c_void_p]
    x11.XCloseDisplay.argtypes = [ctypes.c_void_p]

    class Client_Message(ctypes.Structure):
        _fields_ = [("type", ctypes.c_int), ("serial", ctypes.c_ulong),
                    ("send_event", ctypes.c_int), ("display", ctypes.c_void_p),
                    ("window", ctypes.c_ulong), ("message_type", ctypes.c_ulong),
                    ("format", ctypes.c_int), ("data", ctypes.c_long * 5)]

    class Event(ctypes.Union):
        _fields_ = [("xclient", Client_Message), ("pad", ctypes.c_long * 24)]

    dpy = x11.XOpenDisplay(display.encode())
    if not dpy:
        raise RuntimeError(f"cannot open display {display}")
    try:
        event = Event()
        event.xclient.type = 33  # ClientMessage
        event.xclient.window = window
        event.xclient.message_type = x11.XInternAtom(dpy, b"WM_PROTOCOLS", 0)
        event.xclient.format = 32
        event.xclient.data[0] = x11.XInternAtom(dpy, b"WM_DELETE_WINDOW", 0)
        if not x11.XSendEvent(dpy, window, 0, 0, ctypes.byref(event)):
            raise RuntimeError("XSendEvent failed")
        x11.XFlush(dpy)
    finally:
        x11.XCloseDisplay(dpy)
