import os
from pathlib import Path

import pytest

import harness


@pytest.fixture(scope="session")
def exe():  # the i686 or the x86_64 build: the harness picks the Wine loader that fits
    exe = Path(os.environ.get("PIMLOFT_EXE", ""))
    assert exe.is_file(), f"PIMLOFT_EXE does not name a PimLoft.exe: {exe}"  # fails, not skips
    return exe


@pytest.fixture(scope="session")
def template_prefix(tmp_path_factory, exe):
    return harness.make_template_prefix(tmp_path_factory.mktemp("template") / "prefix", exe)


@pytest.fixture
def desktop(tmp_path, template_prefix, exe):
    d = harness.Desktop(tmp_path, template_prefix, exe)
    try:
        yield d
    finally:  # the screen as the test left it, failing or not
        d.run(["import", "-window", "root", str(tmp_path / "last.png")])
        d.stop()


@pytest.fixture
def figures():  # printed, and appended to $PIMLOFT_E2E_FIGURES
    def record(line):
        print(line)
        with open(os.environ.get("PIMLOFT_E2E_FIGURES", os.devnull), "a", encoding="utf-8") as f:
            f.write(line + "\n")
    return record
