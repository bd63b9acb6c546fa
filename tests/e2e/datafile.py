"""The data file by its bytes alone (version 1.00.50, 8-bit fields), as a clean exit leaves it
without a journal: the unit tests pin the rest of the format."""

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
Data_File = make_dataclass("Data_File", ["settings", "slots"])  # the slots top to bottom


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


def parse(data):  # the unit tests check the chain; this only follows it
    pos = 7
    assert data[:pos] == b"1.00.50", data[:pos]

    def take(fmt):
        nonlocal pos
        pos += struct.calcsize(fmt)
        return struct.unpack_from(fmt, data, pos - struct.calcsize(fmt))

    def text():
        return take(f"{take('<H')[0]}s")[0].decode(CODE_PAGE, "replace")

    *head, first, _, ubound, _ = take(HEAD)
    settings = Settings(*head, text(), *take(TEXT_STYLE), text(), *take(TIP_STYLE))
    nxt, records = [], []
    for _ in range(MAX_SLOTS):
        _, n, lock = take("<hhh")
        nxt.append(n), records.append(Slot(text(), text(), lock != 0))
    chain = [first]
    while len(chain) <= ubound:
        chain.append(nxt[chain[-1]])
    return Data_File(settings, [records[i] for i in chain[:ubound + 1]])


def xxh32(data):  # seed 0
    p1, p2, p3, p4, p5, m = 0x9E3779B1, 0x85EBCA77, 0xC2B2AE3D, 0x27D4EB2F, 0x165667B1, 2**32 - 1
    rotl = lambda v, r: (v << r | v >> (32 - r)) & m
    lanes, cut = [(p1 + p2) & m, p2, 0, -p1 & m], len(data) // 16 * 16
    for i, (word,) in enumerate(struct.iter_unpack("<I", data[:cut])):
        lanes[i % 4] = rotl((lanes[i % 4] + word * p2) & m, 13) * p1 & m
    h = (sum(rotl(v, r) for v, r in zip(lanes, (1, 7, 12, 18))) if cut else p5) + len(data) & m
    rest = data[cut:]
    for (word,) in struct.iter_unpack("<I", rest[:len(rest) // 4 * 4]):
        h = rotl((h + word * p3) & m, 17) * p4 & m
    for byte in rest[len(rest) // 4 * 4:]:
        h = rotl((h + byte * p5) & m, 11) * p1 & m
    for shift, mul in ((15, p2), (13, p3), (16, 1)):
        h = (h ^ h >> shift) * mul & m
    return h


def extend(head, records):  # the records {tag: bytes} and their trailer after a whole file
    body = b"".join(struct.pack("<HI", tag, len(b)) + b for tag, b in records.items())
    return head + body + struct.pack("<5I", len(body), xxh32(body), len(head), xxh32(head),
                                     len(head)) + b"PLFTEXT1"


# U8 paused, U16 days, U16 programs, each U16-counted; per node U8 index, I64 seconds filled.
PRIVACY, SLOT_TIMES = 4, 5
