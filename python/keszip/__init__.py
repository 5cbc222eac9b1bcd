"""Japanese postal codes of addresses, with the answers of `keszip lookup`.

    >>> import keszip
    >>> engine = keszip.Engine()
    >>> engine.lookup("東京都千代田区霞が関1-2-3")
    keszip.Result(flags=1, code='1000013', old_code='100  ', address_number='1-2-3', local_code='13101')

Engine(folder=None)
    One engine over the dictionaries (those beside the library, or of `folder`).
Engine.lookup(text) -> Result
    One address: flags, code, old_code, address_number, local_code (and status).
Engine.lookup_many(iterable) -> list[Result]
    Many addresses through the engine's batch call, other threads running meanwhile.
Engine.lookup_csv(block, column) -> (bytes, int)
    A block of UTF-8 CSV rows with the five result fields appended to each,
    split, looked up and written by the engine without a Python object per row.
lookup_frame(df, column, prefix="", engine=None) -> DataFrame
    A pandas DataFrame with the five result columns added.

A Result is a tuple of the five fields `keszip lookup` prints: `flags` (0 when
the address was not placed; FOUND, KYOTO_STREET, GENERIC_CODE, NO_PREFECTURE,
NO_CITY, FORMER_NAME, CODE_DIFFERS), `code` (the 7-digit code, or an error text such as "ERR-003"),
`old_code`, `address_number` and `local_code` (all three empty when the address
was not placed). Its `status` says how the text converted: OK, REPLACED (a
character Shift-JIS cannot write was looked up as the placeholder "〓"),
INVALID (not UTF-8) or NUL_BYTE; the last two are not looked up. Dashes and
minus signs of any form read as hyphens.

Threads: one Engine per thread (calls on a shared one wait for each other).
Processes: an Engine used in a forked child opens a handle of its own, and an
Engine pickled to another process opens the same folder there.
"""

import os as _os
import threading as _threading

from ._keszip import (  # noqa: F401
    CODE_DIFFERS,
    FORMER_NAME,
    FOUND,
    GENERIC_CODE,
    INVALID,
    KYOTO_STREET,
    NO_CITY,
    NO_PREFECTURE,
    NUL_BYTE,
    OK,
    PLACEHOLDER,
    REPLACED,
    Engine,
    Result,
    library_version,
)

__all__ = [
    "Engine",
    "Result",
    "lookup_frame",
    "default_engine",
    "RESULT_COLUMNS",
    "FOUND",
    "KYOTO_STREET",
    "GENERIC_CODE",
    "NO_PREFECTURE",
    "NO_CITY",
    "FORMER_NAME",
    "CODE_DIFFERS",
    "OK",
    "REPLACED",
    "INVALID",
    "NUL_BYTE",
    "PLACEHOLDER",
    "library_version",
]

#: The names of the five result fields, as lookup_frame names its columns.
RESULT_COLUMNS = ("flags", "code", "old_code", "address_number", "local_code")

_local = _threading.local()


def default_engine():
    """The calling thread's own Engine over the library's dictionaries.

    Made on first use in each thread and each process (a forked or spawned
    worker gets its own), so that functions handed to pandas, Dask or Spark
    need no engine of their own.
    """
    engine = getattr(_local, "engine", None)
    if engine is None or getattr(_local, "pid", None) != _os.getpid():
        engine = Engine()
        _local.engine, _local.pid = engine, _os.getpid()
    return engine


def lookup_frame(df, column, prefix="", engine=None, hyphen=False):
    """Returns a copy of the pandas DataFrame `df` with the five result columns added.

    `column` names the column that holds the addresses. The new columns are
    `prefix` + flags, code, old_code, address_number and local_code, added at
    the end (flags as integers, the others as text). A missing value (None,
    NaN) is looked up as the empty address, and any other value that is not
    text as its str(). `engine` defaults to the calling thread's own engine.
    """
    import pandas as pd

    if column not in df.columns:
        raise KeyError(f"lookup_frame: the frame has no column {column!r}")
    names = [prefix + name for name in RESULT_COLUMNS]
    clashes = [name for name in names if name in df.columns]
    if clashes:
        raise ValueError(
            f"lookup_frame: the frame already has the columns {clashes}; give another prefix"
        )
    values = df[column]
    texts = [
        v if isinstance(v, (str, bytes)) else ("" if pd.isna(v) else str(v))
        for v in values.tolist()
    ]
    columns = (engine or default_engine()).lookup_columns(texts, hyphen=hyphen)
    out = df.copy()
    out[names[0]] = pd.Series(columns[0], index=df.index, dtype="int64")
    for name, values in zip(names[1:], columns[1:5]):
        out[name] = pd.Series(values, index=df.index, dtype="object")
    return out
