"""Drives the real PimLoft.exe under Wine on a private Xvfb display, as a user would.

Found by trying (Wine 8, Xvfb, no window manager): the tray is "Wine System Tray" (newer Wine:
class Shell_TrayWnd), icons in 20-px cells; a top-level X window is just the client area; keys
go under the pointer, and menu items and dialog buttons (no X windows) are pressed by key; Wine
asks a new X clipboard owner for the text only when a Windows program reads it, and drops that
owner for good when a Windows program still holds the clipboard open."""

import contextlib
import ctypes
import os
import re
import shutil
import signal
import subprocess
import sys
import tempfile
import time
from dataclasses import replace
from pathlib import Path

import datafile

TIMEOUT = 30.0
TRAY_CELL = 20
ROW = 24  # row pitch of the slot list in pixels
TWIPS = 15  # per pixel at 96 dpi
PLACED = datafile.Settings(left=1500, top=3000, width=4500, height=3000)  # clear of the tray
# The loader that fits an exe, by its PE machine field; not the "wine" script, which takes the
# 32-bit loader whenever one is installed. A 32-bit taskkill cannot see a 64-bit process.
LOADERS = {0x14c: "/usr/lib/wine/wine", 0x8664: "/usr/lib/wine/wine64"}  # i386, x86_64
# No Mono or Gecko prompt when a prefix is made.
WINE_ENV = {"WINEDEBUG": "-all", "WINEDLLOVERRIDES": "mscoree,mshtml="}
QUIET = dict(stdin=subprocess.DEVNULL, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)


def wait_until(condition, what, timeout=TIMEOUT, interval=0.05):  # condition()'s first truthy value
    end = time.monotonic() + timeout
    while not (value := condition()):
        assert time.monotonic() <= end, f"timed out after {timeout:.0f} s waiting for {what}"
        time.sleep(interval)
    return value


def run(argv, env=None, timeout=TIMEOUT, check=False):
    return subprocess.run(argv, env=env, capture_output=True, timeout=timeout, check=check,
                          stdin=subprocess.DEVNULL)


def wine_loader(exe):  # by the machine field of the PE file's COFF header
    data = Path(exe).read_bytes()
    pe = int.from_bytes(data[0x3c:0x40], "little")
    loader = LOADERS[int.from_bytes(data[pe + 4:pe + 6], "little")]
    return loader if os.access(loader, os.X_OK) else "wine"  # a Wine without Debian's layout


def make_template_prefix(path, exe):  # a 64-bit (WoW64) prefix, which runs both exes
    wine, path = wine_loader(exe), Path(path).resolve()  # Wine takes no relative prefix
    env = dict(os.environ, WINEPREFIX=str(path), WINELOADER=wine, **WINE_ENV)
    for name in ("DISPLAY", "WINEARCH"):
        env.pop(name, None)
    for _ in range(2):  # a first boot has failed at once, silently, on a loaded machine
        boot = run([wine, "wineboot", "-i"], env, timeout=300)
        if boot.returncode == 0:
            break
        print(f"wineboot -i exited {boot.returncode}: {boot.stderr[-2000:]!r}", file=sys.stderr)
        run(["wineserver", "-k"], env, timeout=60)
        shutil.rmtree(path, ignore_errors=True)
    assert boot.returncode == 0, "wineboot -i failed twice"
    run(["wineserver", "-w"], env, timeout=120, check=True)
    return path


class Pixels:  # a window's pixels, none once it is gone; self[x, y] is (r, g, b)

    def __init__(self, desktop, window):
        raw = desktop.run(["import", "-window", str(window), "-depth", "8", "ppm:-"]).stdout
        match = re.match(rb"P6\s+(\d+)\s+(\d+)\s+255\s", raw)
        self.width, self.height = (int(match[1]), int(match[2])) if match else (0, 0)
        self.data = raw[match.end():] if match else b""

    def __getitem__(self, xy):
        i = (xy[1] * self.width + xy[0]) * 3
        return tuple(self.data[i:i + 3])


def row_y(row):  # inside the row, clear of the gap
    return row * ROW + 11


class Desktop:  # one test's world: a display, a copy of the Wine prefix, the program's folder

    SCREEN = (1280, 1024)

    def __init__(self, folder, template, exe):
        self.folder = Path(folder).resolve()
        self.prefix, self.app = self.folder / "prefix", self.folder / "app"
        # Hard links for Wine's large read-only files; private copies of what it writes.
        run(["cp", "-al", str(template), str(self.prefix)], check=True)
        for name in ("system.reg", "user.reg", "userdef.reg", "drive_c/users"):
            run(["cp", "-a", "--remove-destination", str(template / name),
                 str((self.prefix / name).parent)], check=True)
        self.app.mkdir()
        shutil.copy2(exe, self.app / "PimLoft.exe")
        self.data_file, self.journal = self.app / "PimLoft.ini", self.app / "PimLoft.ini.journal"
        self.xvfb = subprocess.Popen(["Xvfb", "-displayfd", "1", "-screen", "0", "1280x1024x24",
                                      "-nolisten", "tcp", "-noreset"],
                                     **{**QUIET, "stdout": subprocess.PIPE})
        self.display = ":" + self.xvfb.stdout.readline().decode().strip()
        self.wine = wine_loader(exe)  # for everything run against the exe: start, taskkill
        self.env = dict(os.environ, DISPLAY=self.display, WINEPREFIX=str(self.prefix),
                        WINELOADER=self.wine, **WINE_ENV)
        self.procs = []

    def run(self, argv):
        return run(argv, self.env)

    def spawn(self, argv, **kwargs):
        self.procs.append(subprocess.Popen(argv, env=self.env, **{**QUIET, **kwargs}))
        return self.procs[-1]

    def launch(self):  # the loader execs into the program: the id is the program's
        return self.spawn([self.wine, "PimLoft.exe"], cwd=self.app)

    def start(self, slots=None, shown=False, **settings):  # with `shown`: (process, window)
        if slots is not None:
            self.data_file.write_bytes(datafile.build(slots, replace(PLACED, **settings)))
        proc = self.launch()
        self.tray()
        return (proc, self.show(proc)) if shown else proc

    def wait_exit(self, proc):
        wait_until(lambda: proc.poll() is not None, f"process {proc.pid} to end")

    def stop(self):  # everything this desktop started, by id, and its prefix's wineserver
        for proc in self.procs:
            proc.kill()
        self.run(["wineserver", "-k"])
        for proc in self.procs + [self.xvfb]:
            proc.kill()
            proc.wait()
        self.run(["wineserver", "-w"])
        shutil.rmtree(self.prefix, ignore_errors=True)

    def hard_kill(self):  # wineserver -k9; Wine 8 leaves its clients asleep, so they go too
        self.run(["wineserver", "-k9"])
        mark = f"WINEPREFIX={self.prefix}".encode()
        for environ in Path("/proc").glob("[0-9]*/environ"):
            with contextlib.suppress(OSError):
                if mark in environ.read_bytes().split(b"\0"):
                    os.kill(int(environ.parent.name), signal.SIGKILL)

    def set_user_reg(self, key, values):  # read at start-up; a section added last wins
        with open(self.prefix / "user.reg", "a", encoding="utf-8") as reg:
            reg.write("\n[" + key.replace("\\", "\\\\") + "]\n" + "".join(
                f'"{n}"=' + (f"dword:{v:08x}" if isinstance(v, int) else f'"{v}"') + "\n"
                for n, v in values.items()))

    def search(self, *args):
        return [int(w) for w in self.run(["xdotool", "search", *args]).stdout.split()]

    def geometry(self, window):  # (left, top, width, height) on the screen, and viewable?
        out = self.run(["xwininfo", "-id", str(window)]).stdout.decode()
        box = re.findall(r"(?:Absolute upper-left [XY]|Width|Height):\s+(-?\d+)", out)
        return tuple(map(int, box)) or None, "IsViewable" in out

    def size(self, window):  # (width, height)
        return (box := self.geometry(window)[0]) and box[2:]

    def wait_view(self, window, shown=True):
        wait_until(lambda: self.geometry(window)[1] == shown, f"window {window} shown: {shown}")

    def wait_height(self, window, rows):  # the list's, in rows
        wait_until(lambda: (self.size(window) or (0, 0))[1] == rows * ROW - 1,
                   f"{rows} rows (now {self.size(window)})")

    def visible(self, pid):
        return set(self.search("--onlyvisible", "--pid", str(pid)))

    def named(self, pid, name):
        title = lambda w: self.run(["xdotool", "getwindowname", str(w)]).stdout.decode().strip()
        return [w for w in self.visible(pid) if title(w) == name]

    def window(self, pid, name, exclude=()):
        return wait_until(lambda: (set(self.named(pid, name)) - set(exclude) or {None}).pop(),
                          f"a window titled {name!r}")

    def notepad(self):  # Wine's, off the tray, with the pointer, and so the keys, in its text
        self.spawn([self.wine, "notepad"])
        pad = wait_until(lambda: self.search("--onlyvisible", "--name", "Notepad")[:1], "notepad")
        self.xdotool("windowmove", str(pad[0]), "300", "300")
        self.click(pad[0], 200, 150)
        return pad[0]

    def log_times(self, pattern):  # the figures the program logs when asked to, in ms
        log = self.data_file.with_name("PimLoft.log")
        return [float(t) for t in re.findall(pattern, log.read_bytes() if log.exists() else b"")]

    def popup(self, pid, action):  # the window action() shows
        before = self.visible(pid)
        action()
        return wait_until(lambda: (self.visible(pid) - before or {None}).pop(), "a popup", 10)

    def tray(self):  # the notification area once it shows an icon
        return wait_until(lambda: next((w for args in (("--name", "^Wine System Tray$"), (
            "--class", "^Shell_TrayWnd$")) for w in self.search("--onlyvisible", *args)[:1]
            if self.tray_icon_count(w)), None), "the tray icon")

    def tray_icon_count(self, window):  # cells that are not plain background
        p = Pixels(self, window)
        return sum(any(p[x, y] != p[p.width - 1, 0] for y in range(p.height)
                       for x in range(c * TRAY_CELL, (c + 1) * TRAY_CELL))
                   for c in range(p.width // TRAY_CELL))

    def main_window(self, pid):  # the largest: a hidden 1x1 owner window has the same title
        area = {w: (s := self.size(w)) and s[0] * s[1] or 0
                for w in self.search("--all", "--pid", str(pid), "--name", "^PimLoft$")}
        best = max(area, key=area.get, default=None)
        return best if best and area[best] > 1 else None

    def show(self, proc):  # on a loaded machine a double click's clicks can come too far apart
        for timeout in (5, 5, TIMEOUT):
            self.click(self.tray(), TRAY_CELL // 2, TRAY_CELL // 2, count=2)
            with contextlib.suppress(AssertionError if timeout < TIMEOUT else ()):
                return wait_until(lambda: (w := self.main_window(proc.pid))
                                  and self.geometry(w)[1] and w, "the main window", timeout)

    def xdotool(self, *args):
        result = self.run(["xdotool", *args])
        assert result.returncode == 0, f"xdotool {args}: {result.stderr.decode()}"

    def point(self, window, x, y):
        self.xdotool("mousemove", "--window", str(window), str(x), str(y))

    def click(self, window, x, y, button=1, count=1, expect=None):  # expect: on the clipboard
        self.point(window, x, y)
        self.xdotool("click", "--repeat", str(count), "--delay", "80", str(button))
        if expect is not None:
            self.wait_clipboard(expect)

    def keys(self, *keys, to=None, hides=False, text=None):  # the pointer is moved into `to`
        if to is not None:
            width, height = self.size(to)
            self.point(to, width // 2, min(20, height // 2))
        self.xdotool(*(("key", *keys) if keys else ("type", "--delay", "15", text)))
        if hides:
            self.wait_view(to, False)

    def tray_menu(self, proc, caption, opens=None):  # chosen by accelerator; the window it opens
        self.popup(proc.pid, lambda: self.click(self.tray(), TRAY_CELL // 2, TRAY_CELL // 2, 3))
        self.keys(re.search(r"&(\w)", caption)[1].lower())
        return opens and self.window(proc.pid, opens)

    def close(self, window):  # what a window manager's close button sends
        x = ctypes.cdll.LoadLibrary("libX11.so.6")
        x.XOpenDisplay.restype = ctypes.c_void_p
        dpy = ctypes.c_void_p(x.XOpenDisplay(self.display.encode()))
        # An XClientMessageEvent as longs: type, serial, send_event, display, window,
        # message_type, format, data; padded to the size of an XEvent.
        event = (ctypes.c_long * 24)(33, 0, 0, 0, window, x.XInternAtom(dpy, b"WM_PROTOCOLS", 0),
                                     32, x.XInternAtom(dpy, b"WM_DELETE_WINDOW", 0))
        assert x.XSendEvent(dpy, window, 0, 0, event), "XSendEvent failed"
        x.XCloseDisplay(dpy)

    def wait_clipboard(self, text):  # Wine hands CR LF line ends to X clients as LF
        wanted = text.replace("\r\n", "\n").encode("utf-8")

        def read():  # a read racing a change of owner can wait for ever: that try is lost
            with contextlib.suppress(subprocess.TimeoutExpired):
                r = run(["xclip", "-selection", "clipboard", "-o"], self.env, timeout=5)
                return r.returncode == 0 and r.stdout == wanted
        wait_until(read, f"{text[:40]!r} on the clipboard")

    def offer(self, text):  # until read (not just TARGETS): Wine may drop it
        def read():
            proc = self.spawn(["xclip", "-quiet", "-loops", "1", "-selection", "clipboard", "-i"],
                              stdin=subprocess.PIPE)
            with contextlib.suppress(subprocess.TimeoutExpired):
                return proc.communicate(text.encode("utf-8"), timeout=0.5) and True
            proc.kill()
        wait_until(read, f"a reader to take {text[:40]!r}", interval=0)

    def next_save(self, action, timeout=TIMEOUT):  # of the data file or its journal
        def stamp(path):
            with contextlib.suppress(FileNotFoundError):
                return (st := os.stat(path)).st_ino, st.st_mtime_ns, st.st_size
        stamps = lambda: (stamp(self.data_file), stamp(self.journal))
        before = stamps()
        action()
        wait_until(lambda: stamps() != before, "the data file to be written", timeout)

    def exit_and_read(self, proc, how=None):  # the data file a clean exit leaves
        how() if how else self.tray_menu(proc, "E&xit PimLoft")
        self.wait_exit(proc)
        assert not self.journal.exists(), "the journal outlived the exit"
        return datafile.parse(self.data_file.read_bytes())


class Pdf_Printer:  # a private cupsd, reached through `env`, whose default printer is cups-pdf

    CONF = {"cupsd.conf": "Listen {0}/cups.sock\nLogLevel warn\nBrowsing No\nWebInterface No\n"
            "DefaultAuthType None\n<Location />\n Order allow,deny\n Allow all\n</Location>\n"
            "<Policy default>\n <Limit All>\n  Order deny,allow\n </Limit>\n</Policy>\n",
            "cups-files.conf": "ServerRoot {0}/etc\nRequestRoot {0}/spool\nTempDir {0}/tmp\n"
            "CacheDir {0}/cache\nStateDir {0}/state\nAccessLog {0}/access_log\n"
            "ErrorLog {0}/error_log\nPageLog {0}/page_log\nSystemGroup root\nUser lp\n"
            "Group lp\nFileDevice No\n"}

    def __init__(self):
        # Not under a test's folder: the filters run as lp and must reach the spool.
        self.root = Path(tempfile.mkdtemp(prefix="pimloft-cups-"))
        self.root.chmod(0o755)
        for sub in ("etc/ppd", "spool", "tmp", "cache", "state"):
            (self.root / sub).mkdir(parents=True)
        for name, text in self.CONF.items():
            (self.root / "etc" / name).write_text(text.format(self.root))
        self.env = dict(os.environ, CUPS_SERVER=str(self.root / "cups.sock"))
        # cups-pdf's "Out" setting: where it writes the current user's documents.
        conf = Path("/etc/cups/cups-pdf.conf")
        out = re.findall(r"(?m)^\s*Out\s+(\S+)", conf.read_text() if conf.exists() else "")
        self.out_dir = Path((out or ["${HOME}/PDF"])[-1].replace("${HOME}", str(Path.home())))
        self.proc = subprocess.Popen(["cupsd", "-f", "-c", f"{self.root}/etc/cupsd.conf", "-s",
                                      f"{self.root}/etc/cups-files.conf"], **QUIET)
        try:
            # lpstat -r exits 0 either way, and cupsd takes commands a moment after it
            # answers: each lpadmin is retried until it is done.
            wait_until(lambda: b"is running" in self.lp("lpstat", "-r").stdout, "cupsd")
            for argv in (("-p", "PimLoftPDF", "-E", "-v", "cups-pdf:/", "-m",
                          "lsb/usr/cups-pdf/CUPS-PDF_opt.ppd"), ("-d", "PimLoftPDF")):
                wait_until(lambda: self.lp("lpadmin", *argv).returncode == 0,
                           "lpadmin " + " ".join(argv), interval=0.2)
        except BaseException:
            self.stop()
            raise

    def lp(self, *argv):
        return run(argv, self.env, timeout=60)

    def take_text(self, action, dest):  # of the one document action() prints, moved to `dest`
        before = set(self.out_dir.glob("*.pdf"))
        action()

        def finished():  # nothing queued, and one new document
            new = set(self.out_dir.glob("*.pdf")) - before
            return not self.lp("lpstat", "-o").stdout.strip() and len(new) == 1 and new.pop()
        shutil.move(wait_until(finished, "the printed PDF", 60, interval=0.25), dest)
        out = run(["pdftotext", "-layout", str(dest), "-"], check=True).stdout.decode()
        return [line.rstrip() for line in out.rstrip("\f\n ").split("\n")]

    def stop(self):
        self.proc.terminate()
        self.proc.wait(timeout=TIMEOUT)
        shutil.rmtree(self.root, ignore_errors=True)
