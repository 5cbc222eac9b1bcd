"""The Dask recipe as written, on a LocalCluster of 2 worker processes: its
output is the source with the answers of `keszip lookup` added."""

import csv
import os
import pathlib
import subprocess
import sys

import keszip
from conftest import keszip_lookup, needs_real_data

RECIPE = pathlib.Path(__file__).resolve().parents[2] / "examples" / "dask_postal_codes.py"


def run_recipe(tmp_path, rows, encoding, workers, tail=b""):
    """The rows of DEST; `tail`, bytes written after the rows, must come back
    as they were with the answers appended."""
    source, dest = tmp_path / "source.csv", tmp_path / "dest.csv"
    codec = "cp932" if encoding == "sjis" else "utf-8"
    with open(source, "w", encoding=codec, newline="") as f:
        csv.writer(f).writerows(rows)
    with open(source, "ab") as f:
        f.write(tail)
    subprocess.run(
        [sys.executable, str(RECIPE), str(source), str(dest), "--column", "2",
         "--encoding", encoding, "--workers", str(workers)],
        check=True, cwd=tmp_path, stdout=subprocess.DEVNULL,
        # The module this test imports, wherever the recipe runs.
        env=dict(os.environ, PYTHONPATH=str(pathlib.Path(keszip.__file__).parents[1])),
    )
    written = dest.read_bytes()
    answered = tail.rstrip(b"\r\n") + b",0,ERR-003,,,\r\n" if tail else b""
    assert written.endswith(answered)
    body = written[: len(written) - len(answered)].decode(codec)
    return list(csv.reader(body.splitlines(keepends=True)))


@needs_real_data
def test_recipe_adds_the_answers_of_keszip_lookup(real_addresses, tmp_path):
    # 20,000 rows: the real addresses that Shift-JIS can write, repeated, between a number and a
    # note with a comma, in Shift-JIS as office software writes them. The
    # addresses with characters Shift-JIS lacks stay for the UTF-8 run.
    sjis = [a for a in real_addresses if "\u2013" not in a and "凮" not in a]
    addresses = (sjis * 3)[:20000]
    rows = [[str(n), a, "note, " + str(n % 7)] for n, a in enumerate(addresses)]
    expected = [line.split("\t") for line in keszip_lookup(addresses)]
    # A last row with bytes that are no Shift-JIS: written back as they were.
    tail = b"20000,\x85\x40\x81\r\n"
    assert run_recipe(tmp_path, rows, "sjis", 2, tail) == [r + e for r, e in zip(rows, expected)]

    rows = [[str(n), a, ""] for n, a in enumerate(real_addresses[:2000])]
    expected = [line.split("\t") for line in keszip_lookup(real_addresses[:2000])]
    assert run_recipe(tmp_path, rows, "utf-8", 1) == [r + e for r, e in zip(rows, expected)]


def test_recipe_refuses_a_folder_or_a_missing_file_before_it_starts(tmp_path):
    source = tmp_path / "source.csv"
    source.write_text("1,東京都千代田区霞が関1-2-3\n", encoding="cp932")
    for args, said in [
        ([source, tmp_path], "DEST must name a file"),
        ([source, tmp_path / "none" / "dest.csv"], "DEST must name a file"),
        ([tmp_path / "none.csv", tmp_path / "dest.csv"], "SOURCE is not a file"),
        ([tmp_path, tmp_path / "dest.csv"], "SOURCE is not a file"),
    ]:
        out = subprocess.run([sys.executable, str(RECIPE), *map(str, args), "--column", "2"],
                             capture_output=True, text=True)
        assert out.returncode == 2 and said in out.stderr, (args, out.stderr)
    assert sorted(p.name for p in tmp_path.iterdir()) == ["source.csv"]
