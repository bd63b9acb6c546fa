"""Helpers for the capture scenarios: a fast clipboard owner of the tests' own, the helper
program that marks clipboard content as not to be recorded, and the program's memory.

Found by trying (Wine 8, Xvfb): Wine's clipboard manager learns of a new owner of the X
CLIPBOARD through XFixes, asks for TARGETS, and asks for the text itself only when a Windows
program reads it. So the request for the text is the moment the program takes it.
"""

import ctypes
import select
import subprocess
import time
from pathlib import Path

import datafile
import harness

TOOLS = Path(__file__).resolve().parent / "tools"
REPO = Path(__file__).resolve().parents[2]
MINGW_CXX = "x86_64-w64-mingw32-g++"

SELECTION_REQUEST = 30
SELECTION_NOTIFY = 31
PROP_MODE_REPLACE = 0
XA_ATOM = 4


class _Selection_Request(ctypes.Structure):
    _fields_ = [("type", ctypes.c_int), ("serial", ctypes.c_ulong),
                ("send_event", ctypes.c_int), ("display", ctypes.c_void_p),
                ("owner", ctypes.c_ulong), ("requestor", ctypes.c_ulong),
                ("selection", ctypes.c_ulong), ("target", ctypes.c_ulong),
                ("property", ctypes.c_ulong), ("time", ctypes.c_ulong)]


class _Selection_Notify(ctypes.Structure):
    _fields_ = [("type", ctypes.c_int), ("serial", ctypes.c_ulong),
                ("send_event", ctypes.c_int), ("display", ctypes.c_void_p),
                ("requestor", ctypes.c_ulong), ("selection", ctypes.c_ulong),
                ("target", ctypes.c_ulong), ("property", ctypes.c_ulong),
                ("time", ctypes.c_ulong)]


class _Event(ctypes.Union):
    _fields_ = [("type", ctypes.c_int), ("xselectionrequest", _Selection_Request),
                ("xselection", _Selection_Notify), ("pad", ctypes.c_long * 24)]


def _xlib():
    x11 = ctypes.cdll.LoadLibrary("libX11.so.6")
    vp, ul = ctypes.c_void_p, ctypes.c_ulong
    x11.XOpenDisplay.restype = vp
    x11.XOpenDisplay.argtypes = [ctypes.c_char_p]
    x11.XCloseDisplay.argtypes = [vp]
    x11.XDefaultRootWindow.restype = ul
    x11.XDefaultRootWindow.argtypes = [vp]
    x11.XCreateSimpleWindow.restype = ul
    x11.XCreateSimpleWindow.argtypes = [vp, ul, ctypes.c_int, ctypes.c_int, ctypes.c_uint,
                                        ctypes.c_uint, ctypes.c_uint, ul, ul]
    x11.XDestroyWindow.argtypes = [vp, ul]
    x11.XInternAtom.restype = ul
    x11.XInternAtom.argtypes = [vp, ctypes.c_char_p, ctypes.c_int]
    x11.XSetSelectionOwner.argtypes = [vp, ul, ul, ul]
    x11.XGetSelectionOwner.restype = ul
    x11.XGetSelectionOwner.argtypes = [vp, ul]
    x11.XChangeProperty.argtypes = [vp, ul, ul, ul, ctypes.c_int, ctypes.c_int, ctypes.c_void_p,
                                    ctypes.c_int]
    x11.XSendEvent.argtypes = [vp, ul, ctypes.c_int, ctypes.c_long, ctypes.c_void_p]
    x11.XPending.argtypes = [vp]
    x11.XNextEvent.argtypes = [vp, ctypes.c_void_p]
    x11.XFlush.argtypes = [vp]
    x11.XConnectionNumber.argtypes = [vp]
    return x11


class Selection_Owner:
    """Owns the X CLIPBOARD from this process and serves its text as UTF8_STRING: much faster
    than starting an xclip per text, and it tells when a reader has taken the text.

    Leaves out INCR transfers, so it is for texts well below the server's request size;
    `xclip_offer` serves the large ones."""

    def __init__(self, display):
        self.x = _xlib()
        self.dpy = self.x.XOpenDisplay(display.encode())
        if not self.dpy:
            raise RuntimeError(f"cannot open display {display}")
        self.window = self.x.XCreateSimpleWindow(self.dpy, self.x.XDefaultRootWindow(self.dpy),
                                                 0, 0, 1, 1, 0, 0, 0)
        atom = lambda name: self.x.XInternAtom(self.dpy, name, 0)
        self.clipboard, self.targets = atom(b"CLIPBOARD"), atom(b"TARGETS")
        self.utf8, self.plain = atom(b"UTF8_STRING"), atom(b"text/plain;charset=utf-8")
        self.text = b""
        self.taken = 0  # times the current text was handed out

    def close(self):
        if self.dpy:
            self.x.XDestroyWindow(self.dpy, self.window)
            self.x.XCloseDisplay(self.dpy)
            self.dpy = None

    def __enter__(self):
        return self

    def __exit__(self, *exc):
        self.close()

    def offer(self, text):
        """Becomes the owner with `text` (CurrentTime: every offer is a new ownership)."""
        self.text, self.taken, self.listed_at = text.encode("utf-8"), 0, None
        self.x.XSetSelectionOwner(self.dpy, self.clipboard, self.window, 0)
        if self.x.XGetSelectionOwner(self.dpy, self.clipboard) != self.window:
            raise RuntimeError("could not own the clipboard")
        self.x.XFlush(self.dpy)

    def serve(self, until, timeout=harness.TIMEOUT):
        """Answers requests until `until()` is true; fails after `timeout` seconds."""
        end = time.monotonic() + timeout
        fd = self.x.XConnectionNumber(self.dpy)
        event = _Event()
        while not until():
            if not self.x.XPending(self.dpy):
                left = end - time.monotonic()
                if left <= 0:
                    raise harness.Timeout(f"no reader took {self.text[:40]!r} in {timeout} s")
                select.select([fd], [], [], min(left, 0.01))
                continue
            self.x.XNextEvent(self.dpy, ctypes.byref(event))
            if event.type == SELECTION_REQUEST:
                self._answer(event.xselectionrequest)

    def offer_until_taken(self, text, again_after=0.05, timeout=harness.TIMEOUT):
        """Offers `text` until a reader takes it; returns how many offers it needed.

        Wine's clipboard manager asks for TARGETS, then drops the new owner when a Windows
        program still holds the clipboard open (here: the program closing it after the previous
        text), and with XFixes it never looks again. So a text not asked for `again_after`
        seconds after its TARGETS is offered again: a new ownership. A program that takes it
        twice finds it already held and files nothing twice."""
        end = time.monotonic() + timeout
        offers = 0
        while True:
            self.offer(text)
            offers += 1
            offered = time.monotonic()
            again = lambda: time.monotonic() > (self.listed_at or offered) + again_after
            self.serve(lambda: self.taken or again() or time.monotonic() > end, timeout)
            if self.taken:
                return offers
            if time.monotonic() > end:
                raise harness.Timeout(f"no reader took {text[:40]!r} in {timeout} s")

    def _answer(self, req):
        prop = req.property or req.target  # obsolete requestors name no property
        if req.target == self.targets:
            atoms = (ctypes.c_long * 3)(self.targets, self.utf8, self.plain)
            self.x.XChangeProperty(self.dpy, req.requestor, prop, XA_ATOM, 32, PROP_MODE_REPLACE,
                                   atoms, 3)
            self.listed_at = time.monotonic()
        elif req.target in (self.utf8, self.plain):
            buf = ctypes.create_string_buffer(self.text, len(self.text))
            self.x.XChangeProperty(self.dpy, req.requestor, prop, req.target, 8,
                                   PROP_MODE_REPLACE, buf, len(self.text))
            self.taken += 1
        else:
            prop = 0  # refused
        reply = _Event()
        n = reply.xselection
        n.type, n.requestor, n.selection = SELECTION_NOTIFY, req.requestor, req.selection
        n.target, n.property, n.time = req.target, prop, req.time
        self.x.XSendEvent(self.dpy, req.requestor, 0, 0, ctypes.byref(reply))
        self.x.XFlush(self.dpy)


def xclip_offer(desktop, text, again_after=0.5, timeout=harness.TIMEOUT):
    """Puts `text` on the clipboard with xclip and returns once a reader has taken it (xclip
    leaves after handing it out once; asking for TARGETS does not count). Offered again by a
    new xclip when Wine dropped the new owner, as `Selection_Owner.offer_until_taken` says."""
    end = time.monotonic() + timeout
    data = text.encode("utf-8")
    while True:
        proc = subprocess.Popen(["xclip", "-quiet", "-loops", "1", "-selection", "clipboard",
                                 "-i"], env=desktop.env, stdin=subprocess.PIPE,
                                stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        desktop.procs.append(proc)
        proc.stdin.write(data)
        proc.stdin.close()
        try:
            proc.wait(timeout=min(again_after, max(end - time.monotonic(), 0.01)))
            return
        except subprocess.TimeoutExpired:
            proc.kill()
            proc.wait()
            if time.monotonic() >= end:
                raise harness.Timeout(f"no reader took {text[:40]!r} in {timeout} s") from None


def clip_marked_exe(build_dir):
    """The marking helper, built on first use into `build_dir`."""
    exe = Path(build_dir) / "clip_marked.exe"
    source = TOOLS / "clip_marked.cpp"
    if not exe.exists() or exe.stat().st_mtime < source.stat().st_mtime:
        exe.parent.mkdir(parents=True, exist_ok=True)
        subprocess.run([MINGW_CXX, "-std=c++20", "-O2", "-Wall", "-Wextra", "-Werror", "-static",
                        f"-I{REPO}", "-o", str(exe), str(source), "-lshell32"],
                       check=True, timeout=300)
    return exe


def put_marked(desktop, exe, mode, text):
    """Runs the marking helper in the test's prefix; fails unless it set the clipboard."""
    result = subprocess.run([harness.WINE, str(exe), mode, text], env=desktop.env,
                            stdin=subprocess.DEVNULL, capture_output=True, timeout=harness.TIMEOUT)
    if result.returncode != 0:
        raise AssertionError(f"clip_marked {mode} ended with {result.returncode}")


def read_data_file(desktop):
    """The saved slots, or none while the file is missing or being written."""
    try:
        return datafile.parse(desktop.data_file.read_bytes()).slots()
    except (OSError, ValueError, UnicodeDecodeError):
        return []


def resident_kib(pid):
    """VmRSS of a process in KiB."""
    for line in Path(f"/proc/{pid}/status").read_text().splitlines():
        if line.startswith("VmRSS:"):
            return int(line.split()[1])
    raise AssertionError(f"no VmRSS for {pid}")

