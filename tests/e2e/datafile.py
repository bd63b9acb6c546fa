"""The data file by its bytes alone: a fault shared by the program's reader and writer shows."""

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


@dataclass
class Data_File:
    version: str
    settings: Settings
    records: list  # Slot per node index, free nodes included
    chain: list  # node indices top to bottom

    def slots(self):
        return [self.records[i] for i in self.chain]


def _counted(text):
    raw = text.encode(CODE_PAGE)
    return struct.pack("<H", len(raw)) + raw


def build(version, slots, settings=None, order=None):
    """`slots` top to bottom in the nodes of `order` (default 0, 1, 2...), free stack as kept."""
    s = astuple(settings or Settings())
    if version == "1.00.00":
        return _build_oldest(slots, settings or Settings())
    order = list(range(len(slots)) if order is None else order)
    records, prev, nxt = [Slot()] * MAX_SLOTS, [NIL] * MAX_SLOTS, [NIL] * MAX_SLOTS
    for k, idx in enumerate(order):
        records[idx] = slots[k]
        prev[idx] = order[k - 1] if k > 0 else NIL
        nxt[idx] = order[k + 1] if k + 1 < len(order) else NIL
    free = sorted((i for i in range(MAX_SLOTS) if i not in order), reverse=True)
    stack = free + list(range(MAX_SLOTS - 1 - len(free), -1, -1))
    links = (order[0] if order else NIL, order[-1] if order else NIL, len(order) - 1,
             len(free) - 1)
    if version == "1.00.50":
        out = struct.pack("<14h", *s[:10], *links) + _counted(s[10]) + struct.pack(
            "<f4h", *s[11:16]) + _counted(s[16]) + struct.pack("<f3h", *s[17:])
    elif version in ("1.00.40", "1.00.10"):
        out = struct.pack("<14h", *s[:5], 0, *s[6:10], *links)  # no current slot yet
    else:
        raise ValueError(version)
    for i in range(MAX_SLOTS):
        out += (struct.pack("<hhh", prev[i], nxt[i], TRUE if records[i].locked else 0)
                + _counted(records[i].text) + _counted(records[i].description))
    return version.encode("ascii") + out + struct.pack("<71h", *stack)


def _build_oldest(slots, s):
    """Version 1.00.00: 41 fixed entries; `slots` may hold None for an entry left empty."""
    entries = [e or Slot() for e in list(slots) + [None] * (41 - len(slots))]
    return (b"1.00.00" + struct.pack("<7h", s.left, s.top, s.width, s.height, 0, 0, s.reserved)
            + b"".join(_counted(e.text) for e in entries)
            + struct.pack("<41h", *(TRUE if e.locked else 0 for e in entries))
            + struct.pack("<2h", 0, 0) + b"".join(_counted(e.description) for e in entries)
            + struct.pack("<h", s.on_top))


class _Reader:
    def __init__(self, data):
        self.data, self.pos = data, 0

    def take(self, n):
        if self.pos + n > len(self.data):
            raise ValueError(f"data file ends at {len(self.data)}, wanted {self.pos + n}")
        self.pos += n
        return self.data[self.pos - n:self.pos]

    def unpack(self, fmt):
        return struct.unpack(fmt, self.take(struct.calcsize(fmt)))

    def counted(self):
        return self.take(self.unpack("<H")[0])


def xxh32(data):
    """XXH32 with seed 0: the program's checks in the UTF-8 block."""
    p1, p2, p3, p4, p5, m = 2654435761, 2246822519, 3266489917, 668265263, 374761393, 2**32 - 1
    rotl = lambda x, r: (x << r | x >> (32 - r)) & m
    end = len(data) - len(data) % 16
    if end:
        v = [(p1 + p2) & m, p2, 0, -p1 & m]
        for k, (word,) in enumerate(struct.iter_unpack("<I", data[:end])):
            v[k & 3] = rotl((v[k & 3] + word * p2) & m, 13) * p1 & m
        h = rotl(v[0], 1) + rotl(v[1], 7) + rotl(v[2], 12) + rotl(v[3], 18)
    else:
        h = p5
    h = (h + len(data)) & m
    for (word,) in struct.iter_unpack("<I", data[end:len(data) - len(data) % 4]):
        h = rotl((h + word * p3) & m, 17) * p4 & m
    for byte in data[len(data) - len(data) % 4:]:
        h = rotl((h + byte * p5) & m, 11) * p1 & m
    for shift, prime in ((15, p2), (13, p3), (16, 1)):
        h = (h ^ h >> shift) * prime & m
    return h


def _wide_fields(trailing):
    """(kind, index, check of the 8-bit field, text) of each intact entry of the UTF-8 block."""
    r = _Reader(trailing)
    try:
        rows = r.take(8) == b"PLFTWIDE" and [r.take(22) for _ in range(r.unpack("<H")[0])]
    except ValueError:
        return []
    texts, out = trailing[r.pos:], []
    for row in rows or []:
        kind, index, field_check, offset, size, check, row_check = struct.unpack("<BBIIIII", row)
        text = texts[offset:offset + size]
        if row_check == xxh32(row[:18]) and len(text) == size and xxh32(text) == check:
            out.append((kind, index, field_check, text.decode("utf-8")))
    return out


def parse(data):
    """A 1.00.50 file with its matching UTF-8 fields; raises when the links disagree or loop."""
    r = _Reader(data)
    version = r.take(7).decode("ascii")
    if version != "1.00.50":
        raise ValueError(f"version {version!r}")
    *head, first, last, ubound, free_top = r.unpack("<14h")
    raw = {(2, 0): r.counted()}
    style = r.unpack("<f4h")
    raw[3, 0] = r.counted()
    tip_style = r.unpack("<f3h")
    prev, nxt, locked = [], [], []
    for i in range(MAX_SLOTS):
        p, n, lock = r.unpack("<hhh")
        prev.append(p), nxt.append(n), locked.append(lock != 0)
        raw[0, i], raw[1, i] = r.counted(), r.counted()
    stack = r.unpack("<71h")
    text = {key: value.decode(CODE_PAGE, "replace") for key, value in raw.items()}
    for kind, index, check, utf8 in _wide_fields(data[r.pos:]):
        key = (kind, index if kind < 2 else 0)
        if key in raw and xxh32(raw[key]) == check:
            text[key] = utf8
    settings = Settings(*head, text[2, 0], *style, text[3, 0], *tip_style)
    records = [Slot(text[0, i], text[1, i], locked[i]) for i in range(MAX_SLOTS)]

    chain, idx, before = [], first, NIL
    while idx != NIL:
        if not 0 <= idx < MAX_SLOTS or idx in chain or prev[idx] != before:
            raise ValueError(f"broken chain at {idx} after {chain}")
        chain.append(idx)
        before, idx = idx, nxt[idx]
    if (chain[-1] if chain else NIL) != last or len(chain) != ubound + 1:
        raise ValueError(f"chain {chain} against tail {last}, ubound {ubound}")
    if sorted(list(stack[:free_top + 1]) + chain) != list(range(MAX_SLOTS)):
        raise ValueError(f"free stack does not complete chain {chain}")
    return Data_File(version, settings, records, chain)
