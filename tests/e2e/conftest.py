import os
from pathlib import Path

import pytest

import harness


@pytest.fixture(scope="session")
def pimloft_exe():
    """The x86_64 build under test; a missing one fails the run rather than skipping it."""
    path = os.environ.get("PIMLOFT_EXE")
    if not path:
        pytest.fail("PIMLOFT_EXE is not set: point it at the x86_64 PimLoft.exe")
    if not Path(path).is_file():
        pytest.fail(f"PimLoft.exe not found at {path}")
    return Path(path)


@pytest.fixture(scope="session")
def template_prefix(tmp_path_factory):
    return harness.make_template_prefix(tmp_path_factory.mktemp("template") / "prefix")


@pytest.fixture
def desktop(tmp_path, template_prefix):
    d = harness.Desktop(tmp_path, template_prefix)
    try:
        yield d
    finally:
        try:
            d.screenshot("last.png")
        except Exception:
            pass
        d.stop()


@pytest.fixture
def figures():
    """Appends measured figures to the file named by PIMLOFT_E2E_FIGURES, when it is set."""
    target = os.environ.get("PIMLOFT_E2E_FIGURES")

    def record(line):
        print(line)
        if target:
            with open(target, "a", encoding="utf-8") as f:
                f.write(line + "\n")

    return record
