"""PimLoft.ini built and read from the byte layout alone, never through the program's own code,
so that a fault shared by its reader and writer cannot hide from the end-to-end tests."""

import struct
import zlib
from dataclasses import dataclass, field

MAX_SLOTS = 71
NIL = 9988
CODE_PAGE = "cp1252"
TRUE = -1


@dataclass
class Slot:
    text: str = ""
    description: str = ""
    locked: bool = False


@dataclass
class Settings:
    left: int = 0
    top: int = 0
    width: int = 0
    height: int = 0
    ignore_case: int = 1
    current_slot: int = 0
    reserved: int = 0
    add_mode: int = 2
    del_warn: int = TRUE
    on_top: int = 0
    text_font: str = "Courier New"
    text_size: float = 10.0
    text_bold: int = 0
    text_italic: int = 0
    text_underline: int = 0
    print_tip: int = TRUE
    tip_font: str = "Times New Roman"
    tip_size: float = 14.0
    tip_bold: int = TRUE
    tip_italic: int = 0
    tip_underline: int = 0


@dataclass
class Data_File:
    version: str
    settings: Settings
    head: int
    tail: int
    ubound: int
    free_top: int
    prev: list
    next: list
    records: list  # Slot per node index, free nodes included
    free_stack: list
    trailing: bytes = b""
    chain: list = field(default_factory=list)

    def slots(self):
        return [self.records[i] for i in self.chain]


def _counted(text):
    raw = text.encode(CODE_PAGE)
    return struct.pack("<H", len(raw)) + raw


def _node(prev, nxt, slot):
    return (struct.pack("<hhh", prev, nxt, TRUE if slot.locked else 0)
            + _counted(slot.text) + _counted(slot.description))


def _list_state(slots, order):
    """Nodes, links and free stack as the list itself would hold them after inserting `slots`
    into the nodes named by `order` (default 0, 1, 2, ...)."""
    order = list(order if order is not None else range(len(slots)))
    assert len(order) == len(slots) and len(set(order)) == len(order)
    records = [Slot() for _ in range(MAX_SLOTS)]
    prev = [NIL] * MAX_SLOTS
    nxt = [NIL] * MAX_SLOTS
    for k, idx in enumerate(order):
        records[idx] = slots[k]
        prev[idx] = order[k - 1] if k > 0 else NIL
        nxt[idx] = order[k + 1] if k + 1 < len(order) else NIL
    free = sorted((i for i in range(MAX_SLOTS) if i not in order), reverse=True)
    stack = [MAX_SLOTS - 1 - i for i in range(MAX_SLOTS)]
    stack[:len(free)] = free
    head = order[0] if order else NIL
    tail = order[-1] if order else NIL
    return records, prev, nxt, stack, head, tail, len(order) - 1, len(free) - 1


def build(version, slots, settings=None, order=None):
    """The bytes of a data file of `version` holding `slots` top to bottom."""
    s = settings or Settings()
    if version == "1.00.00":
        return _build_oldest(slots, s)
    records, prev, nxt, stack, head, tail, ubound, free_top = _list_state(slots, order)
    out = version.encode("ascii")
    if version == "1.00.50":
        out += struct.pack("<14h", s.left, s.top, s.width, s.height, s.ignore_case,
                           s.current_slot, s.reserved, s.add_mode, s.del_warn, s.on_top,
                           head, tail, ubound, free_top)
        out += _counted(s.text_font) + struct.pack("<f4h", s.text_size, s.text_bold,
                                                   s.text_italic, s.text_underline, s.print_tip)
        out += _counted(s.tip_font) + struct.pack("<f3h", s.tip_size, s.tip_bold, s.tip_italic,
                                                  s.tip_underline)
    elif version in ("1.00.40", "1.00.10"):
        unused = 0
        out += struct.pack("<14h", s.left, s.top, s.width, s.height, s.ignore_case, unused,
                           s.reserved, s.add_mode, s.del_warn, s.on_top, head, tail, ubound,
                           free_top)
    else:
        raise ValueError(version)
    for i in range(MAX_SLOTS):
        out += _node(prev[i], nxt[i], records[i])
    return out + struct.pack("<71h", *stack)


def _build_oldest(slots, s):
    """Version 1.00.00: 41 fixed entries; `slots` may hold None for an entry left empty."""
    entries = list(slots) + [None] * (41 - len(slots))
    assert len(entries) == 41
    entries = [e or Slot() for e in entries]
    out = b"1.00.00" + struct.pack("<4h2hh", s.left, s.top, s.width, s.height, 0, 0, s.reserved)
    out += b"".join(_counted(e.text) for e in entries)
    out += struct.pack("<41h", *(TRUE if e.locked else 0 for e in entries))
    out += struct.pack("<2h", 0, 0)
    out += b"".join(_counted(e.description) for e in entries)
    return out + struct.pack("<h", s.on_top)


class _Reader:
    def __init__(self, data):
        self.data, self.pos = data, 0

    def take(self, n):
        if self.pos + n > len(self.data):
            raise ValueError(f"data file ends at {len(self.data)}, wanted {self.pos + n}")
        chunk = self.data[self.pos:self.pos + n]
        self.pos += n
        return chunk

    def unpack(self, fmt):
        return struct.unpack(fmt, self.take(struct.calcsize(fmt)))

    def counted(self):
        (n,) = self.unpack("<H")
        return self.take(n)


def parse(data):
    """A version 1.00.50 file, the UTF-8 block after the free stack applied when intact."""
    r = _Reader(data)
    version = r.take(7).decode("ascii")
    if version != "1.00.50":
        raise ValueError(f"version {version!r}")
    s = Settings()
    (s.left, s.top, s.width, s.height, s.ignore_case, s.current_slot, s.reserved, s.add_mode,
     s.del_warn, s.on_top, head, tail, ubound, free_top) = r.unpack("<14h")
    raw_fonts = [r.counted()]
    s.text_size, s.text_bold, s.text_italic, s.text_underline, s.print_tip = r.unpack("<f4h")
    raw_fonts.append(r.counted())
    s.tip_size, s.tip_bold, s.tip_italic, s.tip_underline = r.unpack("<f3h")
    prev, nxt, records, raw = [], [], [], []
    for _ in range(MAX_SLOTS):
        p, n, locked = r.unpack("<hhh")
        text, desc = r.counted(), r.counted()
        prev.append(p)
        nxt.append(n)
        raw.append((text, desc))
        records.append(Slot(text.decode(CODE_PAGE, "replace"), desc.decode(CODE_PAGE, "replace"),
                            locked != 0))
    stack = list(r.unpack("<71h"))
    trailing = data[r.pos:]
    s.text_font, s.tip_font = (b.decode(CODE_PAGE, "replace") for b in raw_fonts)
    for kind, index, utf8 in _wide_fields(trailing, raw, raw_fonts):
        if kind == 0:
            records[index].text = utf8
        elif kind == 1:
            records[index].description = utf8
        elif kind == 2:
            s.text_font = utf8
        else:
            s.tip_font = utf8
    f = Data_File(version, s, head, tail, ubound, free_top, prev, nxt, records, stack, trailing)
    f.chain = walk(f)
    return f


def _wide_blocks(trailing):
    """(kind, index, field crc, utf8) of an intact UTF-8 block, else nothing."""
    if not trailing.startswith(b"PLFTUTF8") or len(trailing) < 12:
        return []
    (size,) = struct.unpack_from("<I", trailing, 8)
    body = trailing[12:12 + size]
    if len(body) != size or len(trailing) < 16 + size:
        return []
    (crc,) = struct.unpack_from("<I", trailing, 12 + size)
    if zlib.crc32(body) != crc:
        return []
    r = _Reader(body)
    (count,) = r.unpack("<H")
    fields = []
    for _ in range(count):
        kind, index, field_crc, length = r.unpack("<BBII")
        fields.append((kind, index, field_crc, r.take(length).decode("utf-8")))
    return fields


def _wide_fields(trailing, raw, raw_fonts):
    for kind, index, field_crc, utf8 in _wide_blocks(trailing):
        if kind in (0, 1) and index < MAX_SLOTS and zlib.crc32(raw[index][kind]) == field_crc:
            yield kind, index, utf8
        elif kind in (2, 3) and zlib.crc32(raw_fonts[kind - 2]) == field_crc:
            yield kind, index, utf8


def walk(f):
    """Node indices from Head to Tail; raises when the links disagree, loop or miscount."""
    chain, idx, prev = [], f.head, NIL
    while idx != NIL:
        if not 0 <= idx < MAX_SLOTS or idx in chain or f.prev[idx] != prev:
            raise ValueError(f"broken chain at {idx} after {chain}")
        chain.append(idx)
        prev, idx = idx, f.next[idx]
    if (chain[-1] if chain else NIL) != f.tail or len(chain) != f.ubound + 1:
        raise ValueError(f"chain {chain} against tail {f.tail}, ubound {f.ubound}")
    free = f.free_stack[:f.free_top + 1]
    if sorted(free + chain) != list(range(MAX_SLOTS)):
        raise ValueError(f"free stack {free} does not complete chain {chain}")
    return chain
