"""Helpers for the slot list scenarios: a colour scheme of the tests' own, pixels of the main
window read back, and the gestures on its rows.

Found by trying (Wine 8, Xvfb, no window manager):
- Wine takes the system colours from HKCU\\Control Panel\\Colors at start-up, so writing them
  into the test's own user.reg before the program starts gives every colour role a value of
  its own, and a pixel names the role that painted it.
- The X window is exactly the client area, so `import -window` gives client pixels at client
  coordinates.
- Wine does not hand a size that a program sets while it handles an X resize (the
  ConfigureNotify of `xdotool windowsize`) back to the X window: the program's window has the
  new size, the X window keeps the one it was given.
"""

import contextlib
import re
import time

import datafile
import harness

ROW = 24  # row pitch in pixels
ROW_HEIGHT = 23
TEXT_LEFT = 48
TWIPS = 15  # per pixel at 96 dpi

# Every role a colour no other role has, so that a pixel tells which role drew it.
SCHEME = {
    "ButtonFace": (200, 200, 200),
    "ButtonHilight": (250, 250, 250),
    "ButtonLight": (225, 225, 225),
    "ButtonShadow": (128, 128, 128),
    "ButtonDkShadow": (64, 64, 64),
    "Window": (255, 255, 240),
    "WindowText": (0, 0, 128),
    "Hilight": (10, 120, 60),
    "HilightText": (255, 255, 0),
}


def use_colours(desktop, scheme=SCHEME):
    """Writes `scheme` into the test prefix's user colours; call before the program starts."""
    reg = desktop.prefix / "user.reg"
    text = reg.read_text(encoding="utf-8", errors="surrogateescape")
    header = re.search(r"^\[Control Panel\\\\Colors\][^\n]*\n", text, re.M)
    if header is None:
        raise AssertionError("no colour section in the prefix's user.reg")
    end = text.find("\n[", header.end())
    end = len(text) if end < 0 else end + 1
    lines = [line for line in text[header.end():end].splitlines(keepends=True)
             if line.split("=", 1)[0].strip('"') not in scheme]
    lines[-1:-1] = [f'"{name}"="{r} {g} {b}"\n' for name, (r, g, b) in scheme.items()]
    reg.write_text(text[:header.end()] + "".join(lines) + text[end:], encoding="utf-8",
                   errors="surrogateescape")


class Pixels:
    """A window's pixels as `import` read them: `self[x, y]` is an (r, g, b) tuple."""

    def __init__(self, desktop, window):
        raw = desktop._run(["import", "-window", str(window), "-depth", "8", "ppm:-"]).stdout
        match = re.match(rb"P6\s+(\d+)\s+(\d+)\s+255\s", raw)
        if not match:
            raise AssertionError(f"no picture of window {window}")
        self.width, self.height = int(match.group(1)), int(match.group(2))
        self.data = raw[match.end():]

    def __getitem__(self, xy):
        x, y = xy
        if not (0 <= x < self.width and 0 <= y < self.height):
            raise IndexError(f"({x}, {y}) outside {self.width}x{self.height}")
        i = (y * self.width + x) * 3
        return tuple(self.data[i:i + 3])

    def count(self, colour, left, top, right, bottom):
        """Pixels of `colour` in the rectangle, right and bottom exclusive."""
        return sum(self[x, y] == colour for y in range(top, bottom) for x in range(left, right))


def button_face(pixels, left, top, scheme=SCHEME):
    """Which face the 23x23 button at (left, top) shows: "pressed", "released" or what else
    it is. Only pixels between the 2-px frame and the picture are read: the picture sits at
    4..19 on a pressed face and at 3..18 on a released one."""
    ring = [(x, y) for y in range(2, 21) for x in range(2, 21)
            if x < 4 or y < 4 or x > 19 or y > 19]
    even, odd = scheme["ButtonHilight"], scheme["ButtonLight"]
    if all(pixels[left + x, top + y] == (even if (x + y) % 2 == 0 else odd) for x, y in ring):
        return "pressed"
    if all(pixels[left + x, top + y] == scheme["ButtonFace"] for x, y in ring
           if x in (2, 20) or y in (2, 20)):
        return "released"
    return f"neither: {sorted({pixels[left + x, top + y] for x, y in ring})}"


def panel_colour(pixels, row, scheme=SCHEME):
    """The background of a row's text panel, read at its right end where no short text
    reaches, and whether the sunken frame closes it at the client's right edge."""
    top, right = row * ROW, pixels.width - 1
    framed = (pixels[TEXT_LEFT, top + 10] == scheme["ButtonShadow"]
              and pixels[right, top + 10] == scheme["ButtonHilight"])
    return pixels[right - 4, top + 11], framed


def start_shown(desktop, exe, data, scheme=SCHEME):
    """Starts the program with `data` and the colour `scheme`, shows its window from the
    tray and waits for the list to be drawn; returns (process, X window)."""
    desktop.install(exe, data)
    use_colours(desktop, scheme)
    proc = desktop.start()
    desktop.wait_tray_icon()
    desktop.double_click_tray_icon()
    window = desktop.wait_main_window(proc.pid)
    desktop.wait_shown(window)
    # The first row's arrow is drawn once the list is: raised or pressed, never plain black.
    harness.wait_until(lambda: not button_face(Pixels(desktop, window), 0, 0)
                       .startswith("neither"), "the list to be drawn")
    return proc, window


def height_of(desktop, window):
    info = desktop.window_info(window)
    return info["height"] if info else None


def wait_height(desktop, window, height):
    harness.wait_until(lambda: height_of(desktop, window) == height,
                       f"a client height of {height} px (now {height_of(desktop, window)})")


def wait_clipboard(desktop, text):
    harness.wait_until(lambda: desktop.get_clipboard() == text, f"{text!r} on the clipboard")


def close_and_read(desktop, window):
    """Closes the window like its close box and returns the data file it saves."""
    before = desktop.file_stamp(desktop.data_file)
    desktop.close_window(window)
    desktop.wait_hidden(window)
    return datafile.parse(desktop.wait_file_change(desktop.data_file, before))


def move_to(desktop, window, x, y):
    desktop.xdotool("mousemove", "--window", str(window), str(x), str(y))


@contextlib.contextmanager
def shift_drag(desktop, window, x, from_y):
    """A left-button drag with Shift held, started at (x, from_y); yields `move(to_y)`, which
    moves the pointer there in small steps as a hand does. Leaving the block releases the
    button, then Shift."""
    at = [from_y]

    def move(to_y, step=6):
        direction = step if to_y > at[0] else -step
        for y in list(range(at[0] + direction, to_y, direction)) + [to_y]:
            move_to(desktop, window, x, y)
            time.sleep(0.02)
        at[0] = to_y

    move_to(desktop, window, x, from_y)
    desktop.xdotool("keydown", "shift")
    try:
        desktop.xdotool("mousedown", "1")
        try:
            yield move
        finally:
            desktop.xdotool("mouseup", "1")
    finally:
        desktop.xdotool("keyup", "shift")
