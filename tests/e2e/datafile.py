"""The data file by its bytes alone (version 1.00.50, 8-bit fields): the unit tests pin the
rest of the format, so the end-to-end tests need only set up slots and read them back."""

import struct
from dataclasses import astuple, dataclass, field, make_dataclass

MAX_SLOTS = 71
NIL = 9988
CODE_PAGE = "cp1252"
TRUE = -1


@dataclass
class Slot:
    text: str = ""
    description: str = ""
    locked: bool = False


# The settings in file order, with a first run's values.
Settings = make_dataclass("Settings", [(n, object, field(default=d)) for n, d in (
    ("left", 0), ("top", 0), ("width", 0), ("height", 0), ("ignore_case", 1),
    ("current_slot", 0), ("reserved", 0), ("add_mode", 2), ("del_warn", TRUE), ("on_top", 0),
    ("text_font", "Courier New"), ("text_size", 10.0), ("text_bold", 0), ("text_italic", 0),
    ("text_underline", 0), ("print_tip", TRUE), ("tip_font", "Times New Roman"),
    ("tip_size", 14.0), ("tip_bold", TRUE), ("tip_italic", 0), ("tip_underline", 0))])
HEAD, TEXT_STYLE, TIP_STYLE = "<14h", "<f4h", "<f3h"  # around the two font names


@dataclass
class Data_File:
    settings: Settings
    records: list  # Slot per node index, free nodes included
    chain: list  # node indices top to bottom

    def slots(self):
        return [self.records[i] for i in self.chain]


def _counted(text):
    raw = text.encode(CODE_PAGE)
    return struct.pack("<H", len(raw)) + raw


def build(slots, settings):  # `slots` top to bottom in nodes 0, 1, 2...
    s, n = astuple(settings), len(slots)
    records = slots + [Slot()] * (MAX_SLOTS - n)
    out = (b"1.00.50" + struct.pack(HEAD, *s[:10], 0 if n else NIL, n - 1 if n else NIL, n - 1,
                                    MAX_SLOTS - n - 1) + _counted(s[10])
           + struct.pack(TEXT_STYLE, *s[11:16]) + _counted(s[16]) + struct.pack(TIP_STYLE, *s[17:]))
    for i, r in enumerate(records):
        out += (struct.pack("<hhh", i - 1 if 0 < i < n else NIL, i + 1 if i + 1 < n else NIL,
                            TRUE if r.locked else 0) + _counted(r.text) + _counted(r.description))
    # The free nodes, then stale entries.
    return out + struct.pack("<71h", *range(MAX_SLOTS - 1, n - 1, -1), *range(n - 1, -1, -1))


class _Reader:  # raises ValueError where the bytes end too soon

    def __init__(self, data, pos=0):
        self.data, self.pos = data, pos

    def raw(self, n):
        if self.pos + n > len(self.data):
            raise ValueError(f"ends at {len(self.data)}, wanted {self.pos + n}")
        self.pos += n
        return self.data[self.pos - n:self.pos]

    def take(self, fmt):
        return struct.unpack(fmt, self.raw(struct.calcsize(fmt)))

    def text(self, count, codec):  # `count` the struct format of its length
        return self.raw(self.take(count)[0]).decode(codec, "replace")


def _chain(first, ubound, nxt):  # node indices from `first`, and the index that ended them
    chain, idx = [], first
    while 0 <= idx < MAX_SLOTS and len(chain) <= ubound:
        chain.append(idx)
        idx = nxt[idx]
    return chain, idx


def parse(data):
    """Raises ValueError on a file that is not 1.00.50, cut short, or whose chain breaks."""
    r = _Reader(data)
    if r.raw(7) != b"1.00.50":
        raise ValueError("not a 1.00.50 file")
    *head, first, last, ubound, _ = r.take(HEAD)
    settings = Settings(*head, r.text("<H", CODE_PAGE), *r.take(TEXT_STYLE),
                        r.text("<H", CODE_PAGE), *r.take(TIP_STYLE))
    nxt, records = [], []
    for _ in range(MAX_SLOTS):
        _, n, lock = r.take("<hhh")
        nxt.append(n), records.append(Slot(r.text("<H", CODE_PAGE), r.text("<H", CODE_PAGE),
                                           lock != 0))
    r.take("<71h")
    chain, idx = _chain(first, ubound, nxt)
    if idx != NIL or len(chain) != ubound + 1 or (chain and chain[-1] != last):
        raise ValueError(f"chain {chain} against tail {last}, ubound {ubound}")
    return Data_File(settings, records, chain)


def _journal_mark(data):
    """(identity, upto) from the data file's extension, or (0, 0)."""
    if len(data) < 28 or data[-8:] != b"PLFTEXT1":
        return 0, 0
    size, _, _, _, start = struct.unpack("<5I", data[-28:-8])
    records, pos = data[start:start + size], 0
    while pos + 6 <= len(records):
        tag, n = struct.unpack_from("<HI", records, pos)
        if tag == 2 and n >= 16:
            return struct.unpack_from("<QQ", records, pos + 6)
        pos += 6 + n
    return 0, 0


def apply_journal(saved, data, journal):
    """The list the program loads: `saved` (parsed from `data`) with the journal's records
    past the data file's mark applied; a record cut short ends it, as in the program."""
    identity, upto = _journal_mark(data)
    if journal[:8] != b"PLFTJRNL" or journal[8:16] != struct.pack("<Q", identity):
        return saved
    j, s, slots, flag = _Reader(journal, 16), saved.settings, saved.records, lambda b: TRUE if b else 0
    while True:
        try:
            b = _Reader(j.raw(j.take("<II")[0]))
        except ValueError:
            return saved
        number, first, _, ubound, _ = b.take("<Q4h")
        if number <= upto:
            continue
        b.raw(2 * MAX_SLOTS)
        nxt = []
        for i in range(MAX_SLOTS):
            _, n, lock = b.take("<hhB")
            nxt.append(n)
            slots[i] = Slot(slots[i].text, slots[i].description, lock != 0)
        s.current_slot, s.add_mode, s.ignore_case, s.reserved, *flags, placed = b.take("<4h4B")
        s.del_warn, s.print_tip, s.on_top = map(flag, flags)
        if placed:
            s.left, s.top, s.width, s.height = b.take("<4h")
        (s.text_font, s.text_size, s.text_bold, s.text_italic, s.text_underline), \
            (s.tip_font, s.tip_size, s.tip_bold, s.tip_italic, s.tip_underline) = [
                (b.text("<I", "utf-8"), *b.take("<f"), *map(flag, b.take("<3B"))) for _ in "12"]
        b.raw(3)
        for _ in range(b.take("<B")[0]):
            index = b.take("<B")[0]
            slots[index] = Slot(b.text("<I", "utf-8"), b.text("<I", "utf-8"), slots[index].locked)
        saved.chain = _chain(first, ubound, nxt)[0]
