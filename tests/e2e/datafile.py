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


def build(slots, settings, order=None):
    """`slots` top to bottom in the nodes of `order` (default 0, 1, 2...)."""
    s = astuple(settings)
    order = list(range(len(slots)) if order is None else order)
    records, prev, nxt = [Slot()] * MAX_SLOTS, [NIL] * MAX_SLOTS, [NIL] * MAX_SLOTS
    for k, idx in enumerate(order):
        records[idx] = slots[k]
        prev[idx] = order[k - 1] if k > 0 else NIL
        nxt[idx] = order[k + 1] if k + 1 < len(order) else NIL
    free = [i for i in range(MAX_SLOTS - 1, -1, -1) if i not in order]
    links = (order[0] if order else NIL, order[-1] if order else NIL, len(order) - 1,
             len(free) - 1)
    out = (b"1.00.50" + struct.pack(HEAD, *s[:10], *links) + _counted(s[10])
           + struct.pack(TEXT_STYLE, *s[11:16]) + _counted(s[16]) + struct.pack(TIP_STYLE, *s[17:]))
    for i in range(MAX_SLOTS):
        out += (struct.pack("<hhh", prev[i], nxt[i], TRUE if records[i].locked else 0)
                + _counted(records[i].text) + _counted(records[i].description))
    return out + struct.pack("<71h", *free, *range(len(order) - 1, -1, -1))  # then stale


def parse(data):
    """Raises ValueError on a file that is not 1.00.50, cut short, or whose chain breaks."""
    pos = 0

    def raw(n):
        nonlocal pos
        if pos + n > len(data):
            raise ValueError(f"data file ends at {len(data)}, wanted {pos + n}")
        pos += n
        return data[pos - n:pos]

    def take(fmt):
        return struct.unpack(fmt, raw(struct.calcsize(fmt)))

    def counted():
        return raw(take("<H")[0]).decode(CODE_PAGE, "replace")

    if raw(7) != b"1.00.50":
        raise ValueError("not a 1.00.50 file")
    *head, first, last, ubound, _ = take(HEAD)
    settings = Settings(*head, counted(), *take(TEXT_STYLE), counted(), *take(TIP_STYLE))
    nxt, records = [], []
    for _ in range(MAX_SLOTS):
        _, n, lock = take("<hhh")
        nxt.append(n), records.append(Slot(counted(), counted(), lock != 0))
    take("<71h")
    chain, idx = [], first
    while 0 <= idx < MAX_SLOTS and len(chain) <= ubound:
        chain.append(idx)
        idx = nxt[idx]
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
    past the data file's mark applied; records whose check fails end it, as in the program."""
    identity, upto = _journal_mark(data)
    if not journal or journal[:8] != b"PLFTJRNL" or struct.unpack_from("<Q", journal, 8)[0] != identity:
        return saved
    pos, s = 16, saved.settings
    while pos + 8 <= len(journal):
        size, _ = struct.unpack_from("<II", journal, pos)
        body, pos = journal[pos + 8:pos + 8 + size], pos + 8 + size
        if len(body) != size:
            break
        number, = struct.unpack_from("<Q", body)
        if number <= upto:
            continue
        at = 8
        first, last, ubound, _ = struct.unpack_from("<4h", body, at)
        at += 8 + 2 * MAX_SLOTS
        nxt = []
        for i in range(MAX_SLOTS):
            _, n, lock = struct.unpack_from("<hhB", body, at)
            at += 5
            nxt.append(n)
            saved.records[i] = Slot(saved.records[i].text, saved.records[i].description, lock != 0)
        (s.current_slot, s.add_mode, s.ignore_case, s.reserved, del_warn, print_tip, on_top,
         placed) = struct.unpack_from("<4h4B", body, at)
        at += 12
        s.del_warn, s.print_tip, s.on_top = (TRUE if b else 0 for b in (del_warn, print_tip, on_top))
        if placed:
            s.left, s.top, s.width, s.height = struct.unpack_from("<4h", body, at)
            at += 8
        fonts = []
        for _ in range(2):
            n, = struct.unpack_from("<I", body, at)
            name = body[at + 4:at + 4 + n].decode("utf-8")
            size_, b, i, u = struct.unpack_from("<f3B", body, at + 4 + n)
            fonts.append((name, size_, *(TRUE if x else 0 for x in (b, i, u))))
            at += 4 + n + 7
        (s.text_font, s.text_size, s.text_bold, s.text_italic, s.text_underline), \
            (s.tip_font, s.tip_size, s.tip_bold, s.tip_italic, s.tip_underline) = fonts
        at += 3
        count, = struct.unpack_from("<B", body, at)
        at += 1
        for _ in range(count):
            index, n = struct.unpack_from("<BI", body, at)
            text = body[at + 5:at + 5 + n].decode("utf-8", "replace")
            at += 5 + n
            n, = struct.unpack_from("<I", body, at)
            description = body[at + 4:at + 4 + n].decode("utf-8", "replace")
            at += 4 + n
            saved.records[index] = Slot(text, description, saved.records[index].locked)
        chain, idx = [], first
        while 0 <= idx < MAX_SLOTS and len(chain) <= ubound:
            chain.append(idx)
            idx = nxt[idx]
        saved.chain = chain
    return saved
