#!/usr/bin/env python3
"""Postal codes for a large CSV of addresses on a Dask cluster.

    dask_postal_codes.py SOURCE DEST --column N [--encoding sjis|utf-8] [--workers N]

SOURCE is a CSV file without a header row whose column N (counted from 1)
holds an address; DEST receives the same rows with five columns added at the
end: flags, 7-digit code (or the error text), old code, address number and
local-government code, as `keszip lookup` prints them. Both files are in the
encoding given (Shift-JIS by default, as office software writes them).

The file is cut into blocks of whole lines by dask.bytes.read_bytes; each
block is read, looked up by `lookup_block` and written by one worker process
of a distributed LocalCluster (one engine per worker), and the written blocks
are joined in their order. `lookup_block` hands the whole block to the
engine, which splits the CSV, looks the addresses up and writes the rows
without a Python object per row; each row is written as it was read, with
the five fields appended. A quoted field may hold commas and doubled quotes,
but no line break (blocks are cut at line ends).

`lookup_partition` does the same for a pandas DataFrame, for pipelines that
already hold their table as a Dask DataFrame, and inside a Spark pandas_udf:
see the README.
"""

import argparse
import codecs
import csv
import os
import shutil
import sys
import tempfile
import time

import keszip

RESULT_COLUMNS = list(keszip.RESULT_COLUMNS)
ENCODINGS = {"sjis": "cp932", "utf-8": "utf-8"}


def lookup_block(block, column, encoding="utf-8", path=None):
    """One block of CSV rows (bytes, whole lines) with the five result fields
    appended to every row, in the same encoding.

    Runs where the block is: each worker process (or Spark executor) looks up
    on its own engine, made on first use. Bytes that are not text of the
    encoding reach the engine as they are (their row's code is "ERR-003")
    and are written back unchanged. With `path` the rows are written to
    that file and their number returned; without it, (rows, number).
    """
    bom = b""
    if encoding == "utf-8" and block.startswith(codecs.BOM_UTF8):
        bom, block = codecs.BOM_UTF8, block[len(codecs.BOM_UTF8):]
    if encoding != "utf-8":
        block = block.decode(encoding, "surrogateescape").encode("utf-8", "surrogateescape")
    rows, count = keszip.default_engine().lookup_csv(block, column)
    if encoding != "utf-8":
        rows = rows.decode("utf-8", "surrogateescape").encode(encoding, "surrogateescape")
    if path is None:
        return bom + rows, count
    with open(path, "wb") as out:
        out.write(bom + rows)
    return count


def lookup_partition(frame, column):
    """One pandas DataFrame with the five result columns added at the end
    (named keszip_flags, keszip_code, ...), for map_partitions and Spark."""
    return keszip.lookup_frame(frame, column, prefix="keszip_")


def result_meta(frame, column):
    """The empty frame that tells Dask the columns `lookup_partition` returns."""
    import pandas as pd

    meta = frame._meta.copy()
    for name in RESULT_COLUMNS:
        meta["keszip_" + name] = pd.Series(dtype="int64" if name == "flags" else "object")
    return meta


def open_engine():
    """Opens the worker's dictionaries ahead of its first block."""
    keszip.default_engine()


def processor_time():
    """The processor time a worker process has used so far, in seconds."""
    return time.process_time()


def field_count(path, encoding):
    """The number of fields of the file's first row, 0 when it has none."""
    with open(path, encoding=encoding, errors="surrogateescape", newline="") as f:
        return len(next(csv.reader(f), []))


def main(argv=None):
    parser = argparse.ArgumentParser(description=__doc__.split("\n\n")[0])
    parser.add_argument("source", help="CSV file of addresses, no header row")
    parser.add_argument("dest", help="CSV file to write, with five result columns added")
    parser.add_argument("--column", type=int, required=True,
                        help="column that holds the address, counted from 1")
    parser.add_argument("--encoding", choices=sorted(ENCODINGS), default="sjis",
                        help="encoding of both files (default sjis)")
    parser.add_argument("--workers", type=int, default=2, help="worker processes (default 2)")
    parser.add_argument("--blocksize", type=int, default=0,
                        help="bytes of SOURCE per block (default: four blocks per worker, "
                             "1 to 64 MB each)")
    args = parser.parse_args(argv)
    if args.column < 1:
        parser.error("--column counts from 1")
    if args.workers < 1:
        parser.error("--workers must be at least 1")

    dest_folder = os.path.dirname(os.path.abspath(args.dest))
    if os.path.isdir(args.dest) or not os.path.isdir(dest_folder):
        parser.error(f"DEST must name a file in an existing folder: {args.dest}")
    if not os.path.isfile(args.source):
        parser.error(f"SOURCE is not a file: {args.source}")

    encoding = ENCODINGS[args.encoding]
    columns = field_count(args.source, encoding)
    if args.column > columns:
        print(f"dask_postal_codes: {args.source} has {columns} columns, not {args.column}",
              file=sys.stderr)
        return 2

    import dask
    from dask.bytes import read_bytes
    from distributed import Client, LocalCluster

    # Blocks enough for every worker to stay busy to the end, large enough
    # that the scheduling of a block costs little beside its lookups.
    blocksize = args.blocksize or min(64 << 20, max(1 << 20, os.path.getsize(args.source)
                                                    // (4 * args.workers) + 1))
    # A batch job: the workers' statistical profiler (a sample of every
    # thread each 10 ms, for the dashboard) would take processor time of its own.
    dask.config.set({"distributed.worker.profile.enabled": False})
    started = time.perf_counter()
    with LocalCluster(n_workers=args.workers, threads_per_worker=1, processes=True,
                      dashboard_address=None) as cluster, Client(cluster) as client:
        # Each worker opens its dictionaries once, before the first block.
        client.run(open_engine)
        ready = time.perf_counter()
        print(f"cluster of {args.workers} workers started in {ready - started:.2f} s",
              file=sys.stderr)
        cpu_before = sum(client.run(processor_time).values()) + time.process_time()
        # Blocks of whole lines, each read from SOURCE by the worker that
        # looks it up and writes it: no block is sent between processes. The
        # parts are then joined in their order into a file beside DEST that
        # replaces it only when complete.
        _, blocks = read_bytes(args.source, delimiter=b"\n", blocksize=blocksize, sample=False)
        dest = os.path.abspath(args.dest)
        with tempfile.TemporaryDirectory(prefix=".dask_postal_codes-",
                                         dir=os.path.dirname(dest)) as parts:
            names = [os.path.join(parts, f"{i:08d}.csv") for i in range(len(blocks[0]))]
            tasks = [dask.delayed(lookup_block)(block, args.column, encoding, name)
                     for block, name in zip(blocks[0], names)]
            try:
                rows = sum(dask.compute(*tasks))
            except ValueError as error:  # a quoted field across a line end
                print(f"dask_postal_codes: {args.source}: {error}", file=sys.stderr)
                return 1
            with open(os.path.join(parts, "joined"), "wb") as out:
                for name in names:
                    with open(name, "rb") as part:
                        shutil.copyfileobj(part, out, 1 << 20)
            os.replace(os.path.join(parts, "joined"), dest)
        done = time.perf_counter()
        cpu = sum(client.run(processor_time).values()) + time.process_time() - cpu_before
        print(f"{rows} rows looked up and written in {done - ready:.2f} s = "
              f"{rows / (done - ready):.0f} rows/s (cluster start excluded); "
              f"processor time {cpu:.2f} s", file=sys.stderr)
    return 0


if __name__ == "__main__":
    sys.exit(main())
