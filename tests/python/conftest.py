"""Shared fixtures of the Python module's tests: the build's programs and a
list of real addresses made the way the throughput benchmark makes them."""

import os
import pathlib
import subprocess

import pytest

BIN = pathlib.Path(os.environ.get("KESZIP_BIN_DIR", "build/bin"))
DATA = pathlib.Path(os.environ.get("KESZIP_DATA", "../shared/data"))


def have_real_data():
    return (DATA / "ken_all.zip").exists() and (BIN / "KESZIP.DIC").exists()


needs_real_data = pytest.mark.skipif(
    not have_real_data(), reason="needs Japan Post's data in KESZIP_DATA and the dictionaries"
)


def keszip_lookup(lines, *options):
    """The lines `keszip lookup` prints for `lines`, one per address."""
    out = subprocess.run(
        [str(BIN / "keszip"), "lookup", *options],
        input="\n".join(lines) + "\n",
        capture_output=True,
        text=True,
        check=True,
    ).stdout
    return out.splitlines()


def as_line(result):
    return "\t".join(str(field) for field in result)


@pytest.fixture(scope="session")
def real_addresses():
    """10,000 real addresses spread over the whole country, some written with
    en dashes or a character Shift-JIS lacks, as people type them."""
    if not have_real_data():
        pytest.skip("needs Japan Post's data in KESZIP_DATA and the dictionaries")
    out = subprocess.run(
        [str(BIN / "make_addresses"), str(DATA / "ken_all.zip"), "120000"],
        capture_output=True,
        text=True,
        check=True,
    ).stdout.splitlines()
    addresses = out[::12]
    for i in range(0, len(addresses), 7):
        addresses[i] = addresses[i].replace("-", "\u2013")
    for i in range(3, len(addresses), 11):
        addresses[i] += " 凮ビルⅪ階"
    return addresses
