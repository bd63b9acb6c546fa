"""Whether this machine runs 32-bit x86 programs: usage: probe_32bit.py [DIR]

Writes the smallest static 32-bit ELF (exit(0) by int 0x80) to a temporary file in DIR
(default: the system's temporary folder), runs it and removes it. Exits 0 when it ran;
otherwise prints why not (for example "Exec format error", where the kernel refuses 32-bit
executables) and exits 1. Needs no 32-bit compiler or library.
"""

import os
import signal
import struct
import subprocess
import sys
import tempfile

CODE = bytes([0xb8, 1, 0, 0, 0,  # mov eax, 1 (exit)
              0x31, 0xdb,        # xor ebx, ebx (status 0)
              0xcd, 0x80])       # int 0x80
BASE = 0x08048000
HEADERS = 52 + 32  # the ELF header and one program header


def elf():
    size = HEADERS + len(CODE)
    ehdr = (b"\x7fELF" + bytes([1, 1, 1, 0]) + bytes(8)  # 32-bit, little-endian, version 1
            + struct.pack("<HHIIIIIHHHHHH", 2, 3, 1, BASE + HEADERS, 52, 0, 0, 52, 32, 1,
                          0, 0, 0))  # ET_EXEC, EM_386, entry, phoff, one program header
    phdr = struct.pack("<IIIIIIII", 1, 0, BASE, BASE, size, size, 5, 0x1000)  # PT_LOAD, R+X
    return ehdr + phdr + CODE


def probe(folder=None):  # None when it ran, else the reason
    fd, path = tempfile.mkstemp(prefix="probe32-", dir=folder)
    try:
        with os.fdopen(fd, "wb") as f:
            f.write(elf())
        os.chmod(path, 0o755)
        try:
            status = subprocess.run([path], stdin=subprocess.DEVNULL, stdout=subprocess.DEVNULL,
                                    stderr=subprocess.DEVNULL, timeout=10).returncode
        except OSError as e:
            return e.strerror or str(e)
        except subprocess.TimeoutExpired:
            return "it did not end within 10 s"
        if status < 0:
            return f"killed by {signal.Signals(-status).name}"
        return None if status == 0 else f"exit status {status}"
    finally:
        os.unlink(path)


if __name__ == "__main__":
    reason = probe(sys.argv[1] if len(sys.argv) > 1 else None)
    if reason:
        print(reason)
    sys.exit(1 if reason else 0)
