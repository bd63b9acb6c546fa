"""Start-up in the tray, showing and hiding the window, exit, and one instance per session."""

import time
from dataclasses import replace

import pytest

import datafile
from datafile import Settings, Slot

TWIPS = 15  # per pixel at 96 dpi


def start_in_tray(desktop, exe, data=None):
    desktop.install(exe, data)
    proc = desktop.start()
    desktop.wait_tray_icon()
    return proc


def exit_from_tray(desktop, proc):
    desktop.open_tray_menu(proc.pid)
    desktop.choose_menu_item("E&xit PimLoft")
    desktop.wait_exit(proc)
    return datafile.parse(desktop.data_file.read_bytes())


def test_first_run_sits_in_the_tray_and_exit_writes_defaults(desktop, pimloft_exe, figures):
    desktop.install(pimloft_exe)
    started = time.monotonic()
    proc = desktop.start()
    desktop.wait_tray_icon()
    figures(f"start-up to tray icon: {time.monotonic() - started:.2f} s")

    assert desktop.visible_windows(proc.pid) == set()
    assert not desktop.data_file.exists()

    saved = exit_from_tray(desktop, proc)
    assert desktop.program_pids() == []

    assert saved.version == "1.00.50"
    assert saved.chain == [0] and saved.slots() == [Slot()]
    s = saved.settings
    assert (s.current_slot, s.add_mode, s.ignore_case, s.on_top, s.reserved) == (0, 2, 1, 0, 0)
    assert s.del_warn != 0 and s.print_tip != 0
    assert (s.text_font, s.text_size, s.text_bold, s.text_italic, s.text_underline) == (
        "Courier New", 10.0, 0, 0, 0)
    assert (s.tip_font, s.tip_size, s.tip_bold != 0, s.tip_italic, s.tip_underline) == (
        "Times New Roman", 14.0, True, 0, 0)
    screen_w, screen_h = (n * TWIPS for n in desktop.SCREEN)
    assert abs(s.left + s.width // 2 - screen_w // 2) <= TWIPS
    # Centred before the height snaps to one row, so only roughly centred vertically.
    assert 0 < s.top < screen_h // 2 and s.width > 0 and s.height > 0


STORED = Settings(left=1500, top=3000, width=4500, height=3000, ignore_case=0, current_slot=5,
                  add_mode=1101, del_warn=0, on_top=0)
PLACED = replace(STORED, current_slot=0)
SLOTS = [Slot("first text", "first"), Slot("locked one", "kept", locked=True),
         Slot("caf\u00e9 \u00a3 line\r\nsecond line", ""), Slot("", "description only")]

# version, node of each slot top to bottom, slots as stored, expected settings
# (ignore case, placement, warn before delete) after loading
VERSIONS = [
    ("1.00.50", [5, 0, 9, 2], SLOTS, (0, 1101, False)),
    ("1.00.40", [2, 1, 0, 3], SLOTS, (0, 1101, False)),
    ("1.00.10", [0, 1, 2, 3], SLOTS, (1, 1101, False)),
    ("1.00.00", None, [SLOTS[0], None, SLOTS[1], SLOTS[2], None, SLOTS[3]], (1, 2, True)),
]


@pytest.mark.parametrize("version,order,stored,expected", VERSIONS, ids=[v[0] for v in VERSIONS])
def test_each_version_is_loaded_and_written_back_as_current(desktop, pimloft_exe, version,
                                                            order, stored, expected):
    proc = start_in_tray(desktop, pimloft_exe, datafile.build(version, stored, STORED, order))
    saved = exit_from_tray(desktop, proc)

    assert saved.version == "1.00.50"
    assert saved.slots() == [s for s in stored if s is not None]
    if version in ("1.00.50", "1.00.40"):
        assert saved.chain == order, "a slot changed its node index"
    ignore_case, add_mode, del_warn = expected
    s = saved.settings
    assert (s.ignore_case, s.add_mode, s.del_warn != 0) == (ignore_case, add_mode, del_warn)
    assert (s.left, s.top) == (STORED.left, STORED.top)
    if version == "1.00.50":
        assert s.current_slot == STORED.current_slot


def test_double_click_shows_the_window_and_its_close_box_hides_it_and_saves(desktop,
                                                                            pimloft_exe):
    # Placed clear of the tray, so that clicks on the icon cannot land on the window.
    proc = start_in_tray(desktop, pimloft_exe, datafile.build("1.00.50", SLOTS[:2], PLACED))
    window = desktop.main_window(proc.pid)
    assert window is None or not desktop.is_viewable(window)

    desktop.double_click_tray_icon()
    window = desktop.wait_main_window(proc.pid)
    desktop.wait_shown(window)
    desktop.screenshot("shown.png")

    before = desktop.file_stamp(desktop.data_file)
    desktop.close_window(window)
    desktop.wait_hidden(window)
    saved = datafile.parse(desktop.wait_file_change(desktop.data_file, before))
    assert saved.slots() == SLOTS[:2]
    assert proc.poll() is None, "closing the window ended the program"
    assert desktop.tray_icon_count() == 1

    # The close box only hides: the window comes back and the next close saves again.
    desktop.double_click_tray_icon()
    desktop.wait_shown(window)
    before = desktop.file_stamp(desktop.data_file)
    desktop.close_window(window)
    desktop.wait_hidden(window)
    desktop.wait_file_change(desktop.data_file, before)


def test_second_start_shows_the_running_one_and_ends(desktop, pimloft_exe):
    first = start_in_tray(desktop, pimloft_exe)
    second = desktop.start()
    desktop.wait_exit(second)

    window = desktop.wait_main_window(first.pid)
    desktop.wait_shown(window)
    assert desktop.program_pids() == [first.pid]
    assert desktop.tray_icon_count() == 1
    assert first.poll() is None
