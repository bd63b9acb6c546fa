"""Driving the slot list, its commands, the program's dialogs and message boxes, and a private
CUPS PDF printer for the printing tests.

Found by trying (Wine 8, no window manager): the X input focus stays PointerRoot, so a key
reaches the X window under the pointer; every key helper here first moves the pointer into the
window meant to receive it. Message boxes and dialogs are X windows of their own, titled like
the Windows ones; their buttons are not, so they are pressed with their keys.
"""

import os
import pwd
import re
import shutil
import signal
import subprocess
import tempfile
from pathlib import Path

import datafile
import harness
from harness import wait_until

ROW = 24
TEXT_X = 100  # inside the text column of every row

# Stored clear of the tray icon, as the harness advises: left 100 px, top 200 px.
PLACE = dict(left=100 * 15, top=200 * 15, width=300 * 15, height=100 * 15)


def row_point(row):
    return TEXT_X, ROW * row + ROW // 2 - 1


def window_name(desktop, window):
    result = desktop._run(["xdotool", "getwindowname", str(window)])
    return result.stdout.decode("utf-8", "replace").strip() if result.returncode == 0 else None


def windows_named(desktop, pid, name):
    return [w for w in desktop.search("--onlyvisible", "--pid", str(pid))
            if window_name(desktop, w) == name]


def wait_window(desktop, pid, name, exclude=(), timeout=harness.TIMEOUT):
    """A shown window of the program titled exactly `name`, other than those in `exclude`."""
    def found():
        return next((w for w in windows_named(desktop, pid, name) if w not in exclude), None)
    return wait_until(found, f"a window titled {name!r}", timeout)


def keys_to(desktop, window, *keys):
    """Presses `keys` in `window`: the pointer is moved into it first (see the module)."""
    info = desktop.window_info(window)
    x, y = (info["width"] // 2, info["height"] // 2) if info else (1, 1)
    desktop.xdotool("mousemove", "--window", str(window), str(x), str(y))
    desktop.key(*keys)


def type_into(desktop, window, text):
    info = desktop.window_info(window)
    desktop.xdotool("mousemove", "--window", str(window), str(info["width"] // 2), "20")
    desktop.xdotool("type", "--delay", "15", text)


def start_shown(desktop, exe, data):
    """Starts the program with `data` as its data file and shows its window; (process, window)."""
    desktop.install(exe, data)
    proc = desktop.start()
    desktop.wait_tray_icon()
    desktop.double_click_tray_icon()
    window = desktop.wait_main_window(proc.pid)
    desktop.wait_shown(window)
    return proc, window


def height(desktop, window):
    return desktop.window_info(window)["height"]


def wait_height(desktop, window, expected):
    return wait_until(lambda: height(desktop, window) == expected,
                      f"the window to be {expected} px high")


def select_row(desktop, window, row, text):
    """Clicks `row` and waits until its `text` is on the clipboard."""
    desktop.click(window, *row_point(row))
    wait_until(lambda: desktop.get_clipboard() == text, f"row {row}'s text on the clipboard")


def right_click_row(desktop, pid, window, row):
    """Opens the row menu; returns its window."""
    before = desktop.visible_windows(pid)
    desktop.click(window, *row_point(row), button=3)
    return wait_until(lambda: next(iter(desktop.visible_windows(pid) - before), None),
                      "the row menu")


def close_and_read(desktop, window):
    """Hides the window with its close box and returns the data file it saves."""
    before = desktop.file_stamp(desktop.data_file)
    desktop.close_window(window)
    desktop.wait_hidden(window)
    return datafile.parse(desktop.wait_file_change(desktop.data_file, before))


def exit_and_read(desktop, proc):
    desktop.open_tray_menu(proc.pid)
    desktop.choose_menu_item("E&xit PimLoft")
    desktop.wait_exit(proc)
    return datafile.parse(desktop.data_file.read_bytes())


def open_from_tray_menu(desktop, pid, caption, title):
    """Chooses `caption` in the tray menu and waits for the window titled `title`."""
    desktop.open_tray_menu(pid)
    desktop.choose_menu_item(caption)
    return wait_window(desktop, pid, title)


def crop(picture, window_info, out, margin=8, scale=2):
    """A magnified cut of a screenshot around one window, for looking at it."""
    x = max(window_info["x"] - margin, 0)
    y = max(window_info["y"] - margin, 0)
    w, h = window_info["width"] + 2 * margin, window_info["height"] + 2 * margin
    subprocess.run(["convert", str(picture), "-crop", f"{w}x{h}+{x}+{y}", "+repage",
                    "-scale", f"{scale * 100}%", str(out)], check=True, timeout=60)
    return Path(out)


# -- printing ---------------------------------------------------------------------------------

PRINTER = "PimLoftPDF"
PPD = "lsb/usr/cups-pdf/CUPS-PDF_opt.ppd"

_CUPSD_CONF = """\
Listen {socket}
LogLevel warn
Browsing No
WebInterface No
DefaultAuthType None
<Location />
  Order allow,deny
  Allow all
</Location>
<Policy default>
  <Limit All>
    Order deny,allow
  </Limit>
</Policy>
"""

_CUPS_FILES_CONF = """\
ServerRoot {root}/etc
RequestRoot {root}/spool
TempDir {root}/spool/tmp
CacheDir {root}/cache
StateDir {root}/state
AccessLog {root}/log/access_log
ErrorLog {root}/log/error_log
PageLog {root}/log/page_log
SystemGroup root
User lp
Group lp
FileDevice No
"""


def pdf_output_dir():
    """Where cups-pdf writes the current user's documents (its "Out" setting)."""
    home = pwd.getpwuid(os.geteuid()).pw_dir
    out = "${HOME}/PDF"
    try:
        for line in Path("/etc/cups/cups-pdf.conf").read_text().splitlines():
            match = re.match(r"\s*Out\s+(\S+)", line)
            if match:
                out = match.group(1)
    except OSError:
        pass
    return Path(out.replace("${HOME}", home))


class Pdf_Printer:
    """A cupsd of its own (private config, spool and Unix socket, so a system CUPS is neither
    needed nor touched) with one cups-pdf printer as its default. Clients reach it through
    CUPS_SERVER in `env`."""

    def __init__(self):
        # Not under the test's folder: the filters run as lp and must reach the spool.
        self.root = Path(tempfile.mkdtemp(prefix="pimloft-cups-"))
        self.root.chmod(0o755)
        for sub in ("etc/ppd", "spool/tmp", "cache", "state", "log"):
            (self.root / sub).mkdir(parents=True, exist_ok=True)
        self.socket = self.root / "cups.sock"
        (self.root / "etc/cupsd.conf").write_text(_CUPSD_CONF.format(socket=self.socket))
        (self.root / "etc/cups-files.conf").write_text(_CUPS_FILES_CONF.format(root=self.root))
        self.env = dict(os.environ, CUPS_SERVER=str(self.socket))
        self.out_dir = pdf_output_dir()
        self._made_out_dir = not self.out_dir.exists()
        self.taken = []
        self.proc = subprocess.Popen(
            ["cupsd", "-f", "-c", str(self.root / "etc/cupsd.conf"),
             "-s", str(self.root / "etc/cups-files.conf")],
            stdin=subprocess.DEVNULL, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        try:
            # lpstat -r exits 0 either way, and cupsd answers a moment after its socket
            # appears: the first lpadmin is retried until the scheduler takes it.
            wait_until(lambda: b"is running" in self._lp("lpstat", "-r").stdout,
                       "cupsd to answer")
            self._lp_until_done("lpadmin", "-p", PRINTER, "-E", "-v", "cups-pdf:/", "-m", PPD)
            self._lp_until_done("lpadmin", "-d", PRINTER)
        except BaseException:
            self.stop()
            raise

    def _lp_until_done(self, *argv):
        last = []

        def done():
            last[:] = [self._lp(*argv)]
            return last[0].returncode == 0

        try:
            wait_until(done, " ".join(argv), interval=0.2)
        except harness.Timeout:
            raise RuntimeError(f"{' '.join(argv)}: {last[0].stderr.decode().strip()}")

    def _lp(self, *argv, check=False):
        result = subprocess.run(argv, env=self.env, capture_output=True, timeout=60)
        if check and result.returncode != 0:
            raise RuntimeError(f"{' '.join(argv)}: {result.stderr.decode().strip()}")
        return result

    def pdfs(self):
        return set(self.out_dir.glob("*.pdf")) if self.out_dir.is_dir() else set()

    def take_pdf(self, before, dest, timeout=60):
        """Waits for one new document beside those in `before` and moves it to `dest`."""
        def finished():
            if self._lp("lpstat", "-o", PRINTER).stdout.strip():
                return None  # still being converted
            new = self.pdfs() - before
            return next(iter(new), None) if len(new) == 1 else None
        pdf = wait_until(finished, "the printed PDF", timeout, interval=0.25)
        shutil.move(str(pdf), str(dest))
        self.taken.append(Path(dest))
        return Path(dest)

    def stop(self):
        if self.proc.poll() is None:
            self.proc.send_signal(signal.SIGTERM)
            try:
                self.proc.wait(timeout=harness.TIMEOUT)
            except subprocess.TimeoutExpired:
                self.proc.kill()
                self.proc.wait()
        shutil.rmtree(self.root, ignore_errors=True)
        if self._made_out_dir:
            try:
                self.out_dir.rmdir()  # only when empty: never someone else's documents
            except OSError:
                pass


def pdf_text(pdf):
    """The page's text as laid out, lines kept, trailing form feed and blanks dropped."""
    out = subprocess.run(["pdftotext", "-layout", str(pdf), "-"], capture_output=True,
                         check=True, timeout=60).stdout.decode("utf-8")
    return [line.rstrip() for line in out.rstrip("\f\n ").split("\n")]


def pdf_page_picture(pdf, out_stem):
    subprocess.run(["pdftoppm", "-png", "-r", "60", "-f", "1", "-l", "1", str(pdf),
                    str(out_stem)], check=True, timeout=60)
    return next(Path(out_stem).parent.glob(Path(out_stem).name + "*.png"))


def pdf_fonts(pdf):
    out = subprocess.run(["pdffonts", str(pdf)], capture_output=True, check=True,
                         timeout=60).stdout.decode()
    return out.splitlines()[2:]


def merged(*infos):
    """The smallest box around several windows' `window_info`."""
    left = min(i["x"] for i in infos)
    top = min(i["y"] for i in infos)
    right = max(i["x"] + i["width"] for i in infos)
    bottom = max(i["y"] + i["height"] for i in infos)
    return dict(x=left, y=top, width=right - left, height=bottom - top)


def as_x_text(text):
    """Wine hands CR LF line ends to X clients as LF."""
    return None if text is None else text.replace("\r\n", "\n")
