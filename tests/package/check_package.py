"""Checks what scripts/release.sh wrote: usage: check_package.py DIST_DIR WORK_DIR

Each zip holds exactly the four files, SHA256SUMS matches both, the i686 exe fits in 1 MiB, and
each exe, unpacked, starts under Wine and shows its tray icon (win32 where the kernel allows)."""

import hashlib
import shutil
import sys
import zipfile
from pathlib import Path

root = Path(__file__).resolve().parent.parent.parent
sys.path[:0] = [str(root / "tests" / "e2e"), str(root / "scripts")]
from harness import Desktop, make_template_prefix  # noqa: E402
from probe_32bit import probe  # noqa: E402


def main(dist, work):
    (win32,), (win64,) = (list(dist.glob(f"PimLoft-*-{w}.zip")) for w in ("win32", "win64"))
    lines = (dist / "SHA256SUMS").read_text().splitlines()
    sums = dict(line.split("  ", 1)[::-1] for line in lines)
    digests = {z.name: hashlib.sha256(z.read_bytes()).hexdigest() for z in (win32, win64)}
    assert sums == digests, f"SHA256SUMS says {sums}, the zips are {digests}"
    for package in (win32, win64):
        names = sorted(zipfile.ZipFile(package).namelist())
        assert names == ["LICENSE", "PimLoft.exe", "PimLoft.html", "README.txt"], package.name
    size = zipfile.ZipFile(win32).getinfo("PimLoft.exe").file_size
    assert size <= 1 << 20, f"the i686 exe has {size} bytes, more than 1 MiB"

    shutil.rmtree(work, ignore_errors=True)
    work.mkdir(parents=True)
    refused = probe(work)
    started = [win64] if refused else [win64, win32]
    template = None
    for package in started:  # each with the loader its exe needs, in one 64-bit prefix
        folder = work / package.stem
        zipfile.ZipFile(package).extractall(folder)
        template = template or make_template_prefix(work / "prefix", folder / "PimLoft.exe")
        desktop = Desktop(folder, template, folder / "PimLoft.exe")
        try:
            desktop.start()
        finally:
            desktop.stop()
    print(f"package: {win32.name} ({size} byte exe), {win64.name}; started: {len(started)}"
          + (f"; not win32: this kernel refuses 32-bit executables ({refused})" if refused else ""))


if __name__ == "__main__":
    main(Path(sys.argv[1]), Path(sys.argv[2]))
