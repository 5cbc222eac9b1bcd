#!/usr/bin/env python3
"""Postal codes for a large CSV of addresses on a Dask cluster.

    dask_postal_codes.py SOURCE DEST --column N [--encoding sjis|utf-8] [--workers N]

SOURCE is a CSV file without a header row whose column N (counted from 1)
holds an address; DEST receives the same rows with five columns added at the
end: flags, 7-digit code (or the error text), old code, address number and
local-government code, as `keszip lookup` prints them. Both files are in the
encoding given (Shift-JIS by default, as office software writes them).

The file is read in blocks with dask.dataframe.read_csv, each block is looked
up by `lookup_partition` on a distributed LocalCluster of worker processes
(one engine per worker process) and written by the same worker, and the
written blocks are joined in their order. The same `lookup_partition` runs unchanged on a
real cluster and inside a Spark pandas_udf: see the README.
"""

import argparse
import os
import sys
import tempfile
import time

import keszip

RESULT_COLUMNS = list(keszip.RESULT_COLUMNS)
ENCODINGS = {"sjis": "cp932", "utf-8": "utf-8"}


def lookup_partition(frame, column):
    """One block of rows with the five result columns added at the end.

    Runs where the block is: each worker process (or Spark executor) looks up
    on its own engine, made on first use.
    """
    added = keszip.lookup_frame(frame, column, prefix="keszip_")
    return added


def open_engine():
    """Opens the worker's dictionaries ahead of its first block."""
    keszip.default_engine()


def result_meta(frame, column):
    """The empty frame that tells Dask the columns `lookup_partition` returns."""
    import pandas as pd

    meta = frame._meta.copy()
    for name in RESULT_COLUMNS:
        meta["keszip_" + name] = pd.Series(dtype="int64" if name == "flags" else "object")
    return meta


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

    import dask.dataframe as dd
    from distributed import Client, LocalCluster

    encoding = ENCODINGS[args.encoding]
    # Blocks enough for every worker to stay busy to the end, large enough
    # that the scheduling of a block costs little beside its lookups.
    blocksize = args.blocksize or min(64 << 20, max(1 << 20, os.path.getsize(args.source)
                                                    // (4 * args.workers) + 1))
    started = time.perf_counter()
    with LocalCluster(n_workers=args.workers, threads_per_worker=1, processes=True,
                      dashboard_address=None) as cluster, Client(cluster) as client:
        # Each worker opens its dictionaries once, before the first block.
        client.run(open_engine)
        ready = time.perf_counter()
        print(f"cluster of {args.workers} workers started in {ready - started:.2f} s",
              file=sys.stderr)
        # Every field as text, exactly as written: no type guessing, an empty
        # field stays empty.
        frame = dd.read_csv(args.source, header=None, dtype=str, encoding=encoding,
                            keep_default_na=False, na_filter=False, blocksize=blocksize)
        if args.column > len(frame.columns):
            print(f"dask_postal_codes: {args.source} has {len(frame.columns)} columns, "
                  f"not {args.column}", file=sys.stderr)
            return 2
        column = frame.columns[args.column - 1]
        looked_up = frame.map_partitions(lookup_partition, column,
                                         meta=result_meta(frame, column))
        # Each block is read, looked up and written by one worker, with no
        # block sent between processes; the parts are then joined in their
        # order into a file beside DEST that replaces it only when complete.
        dest = os.path.abspath(args.dest)
        with tempfile.TemporaryDirectory(prefix=".dask_postal_codes-",
                                         dir=os.path.dirname(dest)) as parts:
            looked_up.to_csv(os.path.join(parts, "*.csv"), name_function=lambda i: f"{i:08d}",
                             header=False, index=False, encoding=encoding)
            rows = 0
            with open(os.path.join(parts, "joined"), "wb") as out:
                for name in sorted(n for n in os.listdir(parts) if n.endswith(".csv")):
                    with open(os.path.join(parts, name), "rb") as part:
                        for block in iter(lambda: part.read(1 << 20), b""):
                            rows += block.count(b"\n")
                            out.write(block)
            os.replace(os.path.join(parts, "joined"), dest)
        done = time.perf_counter()
        print(f"{rows} rows looked up and written in {done - ready:.2f} s = "
              f"{rows / (done - ready):.0f} rows/s (cluster start excluded)", file=sys.stderr)
    return 0


if __name__ == "__main__":
    sys.exit(main())
