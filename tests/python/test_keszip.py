"""The Python module against `keszip lookup`: real addresses, bad input,
threads and forked processes."""

import multiprocessing
import os
import pathlib
import threading

import pandas as pd
import pytest

import keszip
from conftest import as_line, keszip_lookup, needs_real_data

ADDRESS = "東京都千代田区霞が関1-2-3"


@needs_real_data
def test_answers_equal_keszip_lookup_on_real_addresses(real_addresses):
    engine = keszip.Engine()
    expected = keszip_lookup(real_addresses)
    assert len(expected) == len(real_addresses)
    assert [as_line(r) for r in engine.lookup_many(real_addresses)] == expected
    # One by one and as a frame, the same; with hyphens as --hyphen prints them.
    assert [as_line(engine.lookup(a)) for a in real_addresses[::50]] == expected[::50]
    frame = keszip.lookup_frame(pd.DataFrame({"address": real_addresses}), "address", prefix="r_")
    columns = ["r_" + name for name in keszip.RESULT_COLUMNS]
    assert ["\t".join(map(str, row)) for row in frame[columns].itertuples(index=False)] == expected
    hyphen = engine.lookup_many(real_addresses[:500], hyphen=True)
    assert [as_line(r) for r in hyphen] == keszip_lookup(real_addresses[:500], "--hyphen")


@needs_real_data
def test_bad_input_is_a_result_or_a_clear_error():
    engine = keszip.Engine()
    cases = [  # (address, status, placed)
        (ADDRESS.replace("-", "\u2012"), keszip.OK, True),
        (ADDRESS + " 凮", keszip.REPLACED, True),
        ("😀", keszip.REPLACED, False),
        ("", keszip.OK, False),
        (ADDRESS.encode(), keszip.OK, True),
        (b"\xff\xfe", keszip.INVALID, False),
        ("東京都\ud800", keszip.INVALID, False),
        ("東京都\x00千代田区", keszip.NUL_BYTE, False),
    ]
    results = engine.lookup_many(address for address, _, _ in cases)
    for (address, status, placed), result in zip(cases, results):
        assert result == engine.lookup(address), address
        assert result.status == status, address
        assert (result.flags != 0) == placed, address
        if status in (keszip.INVALID, keszip.NUL_BYTE):
            assert tuple(result) == (0, "ERR-003", "", "", "")
    assert results[0].code == "1000013"
    # A postal code written before the address is checked against the answer.
    assert engine.lookup("〒999-9999 " + ADDRESS).flags == keszip.FOUND | keszip.CODE_DIFFERS
    for bad in (None, 12, ["x"]):
        with pytest.raises(TypeError):
            engine.lookup(bad)
    with pytest.raises(TypeError, match="item 1 "):
        engine.lookup_many([ADDRESS, None])
    with pytest.raises(TypeError):
        engine.lookup_many(12)
    with pytest.raises(OSError, match="KESZIP.DIC"):
        keszip.Engine("/nonexistent/folder")
    frame = pd.DataFrame({"a": [ADDRESS, None, float("nan"), 12]})
    with pytest.raises(KeyError):
        keszip.lookup_frame(frame, "b")
    with pytest.raises(ValueError, match="prefix"):
        keszip.lookup_frame(frame.assign(code=1), "a")
    added = keszip.lookup_frame(frame, "a")
    assert list(added["flags"]) == [1, 0, 0, 0] and list(added["code"])[1:] == ["ERR-003"] * 3
    assert list(frame.columns) == ["a"]  # the frame given is left as it was


@needs_real_data
def test_lookup_csv_appends_the_answers_to_each_row_as_written():
    engine = keszip.Engine()
    a = ADDRESS

    def answer(address):
        return ",".join(str(f) for f in engine.lookup(address)).encode()

    u = a.encode()
    cases = [  # (block, column, rows written, addresses looked up)
        (b"1," + u + b"\n", 2, b"1," + u + b"," + answer(a) + b"\n", 1),
        (b'1,"' + u + b'"\r\n', 2, b'1,"' + u + b'",' + answer(a) + b"\r\n", 1),
        # Commas, doubled quotes and a line break inside quoted fields.
        (b'"x, ""y""\nz",' + u + b",w\n", 2, b'"x, ""y""\nz",' + u + b",w," + answer(a) + b"\n", 1),
        (b'"say ""' + u + b'"""\n', 1, b'"say ""' + u + b'""",' + answer('say "' + a + '"') + b"\n",
         1),
        (b"\n\r\n" + u + b"\n\n", 1, u + b"," + answer(a) + b"\n", 1),  # blank lines left out
        (b"1\n1,", 2, b"1," + answer("") + b"\n1,," + answer("") + b"\n", 2),  # no such field
        (b"1,\xff\xfe\n", 2, b"1,\xff\xfe,0,ERR-003,,,\n", 1),  # not UTF-8: kept as it was
        (b"", 1, b"", 0),
    ]
    for block, column, rows, count in cases:
        assert engine.lookup_csv(block, column) == (rows, count), block
    with pytest.raises(ValueError, match="quoted field"):
        engine.lookup_csv(b'1,"' + u + b"\n", 2)
    with pytest.raises(ValueError, match="from 1"):
        engine.lookup_csv(u, 0)


@needs_real_data
def test_threads_and_forked_processes_give_the_same_answers(real_addresses):
    addresses = real_addresses[:4000]
    expected = [as_line(r) for r in keszip.Engine().lookup_many(addresses)]
    got = {}
    shared = keszip.Engine()

    def work(n, engine):
        for _ in range(2):
            got[n] = [as_line(r) for r in engine.lookup_many(addresses)]

    threads = [threading.Thread(target=work, args=(n, keszip.Engine())) for n in range(3)]
    threads += [threading.Thread(target=work, args=(n, shared)) for n in range(3, 5)]
    for t in threads:
        t.start()
    for t in threads:
        t.join()
    assert all(got[n] == expected for n in range(5))

    # Forked workers: an engine inherited from the parent, one pickled to
    # them, and each worker's default engine.
    inherited = keszip.Engine()
    inherited.lookup(ADDRESS)
    chunks = [addresses[i : i + 1000] for i in range(0, len(addresses), 1000)]
    with multiprocessing.get_context("fork").Pool(2) as pool:
        for engine in (inherited, None):
            lines = pool.starmap(_lookup_lines, [(engine, chunk) for chunk in chunks])
            assert sum(lines, []) == expected
        assert os.getpid() not in pool.map(_pid_of_default_engine, range(8))


def _lookup_lines(engine, addresses):
    engine = engine or keszip.default_engine()
    return [as_line(r) for r in engine.lookup_many(addresses)]


def _pid_of_default_engine(_):
    keszip.default_engine().lookup(ADDRESS)
    return os.getpid()


@needs_real_data
def test_readme_example_prints_what_it_shows():
    readme = (pathlib.Path(__file__).resolve().parents[2] / "README.md").read_text()
    block = readme.split("### Python, pandas and Dask", 1)[1].split("```python\n", 1)[1]
    lines = block.split("```", 1)[0].splitlines()
    scope = {}
    checked = 0
    for line, following in zip(lines, lines[1:] + [""]):
        if line.startswith("#"):
            continue
        if following.startswith("# → "):
            assert repr(eval(line.split("  #")[0], scope)) == following[4:], line
            checked += 1
        else:
            exec(line, scope)
    assert checked == 3
