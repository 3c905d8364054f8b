#!/usr/bin/env python3
"""Generates a realistic Android contacts2.db with live and deleted contacts,
and writes the ground truth beside it (see README.md)."""

import argparse
import gc
import os
import random
import sqlite3
import sys
import time

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))

import phonebook  # noqa: E402
import truth  # noqa: E402
import writer  # noqa: E402

# Share of contacts written before the 4.4 -> 15 upgrade in the "upgraded" layout.
UPGRADE_AT = 0.6


def parse_args(argv):
    parser = argparse.ArgumentParser(description=__doc__)
    parser.add_argument("--out", required=True, help="path of the database to write, e.g. DIR/contacts2.db")
    parser.add_argument("--contacts", type=int, required=True, help="number of contacts")
    parser.add_argument("--deleted-share", type=float, default=0.3, help="share of contacts deleted (0..1)")
    parser.add_argument("--seed", type=int, default=1)
    parser.add_argument("--layout", choices=["modern", "kitkat", "upgraded"], default="modern")
    parser.add_argument("--page-size", type=int, default=4096)
    parser.add_argument("--journal", choices=["delete", "wal", "truncate"], default="delete")
    parser.add_argument("--auto-vacuum", choices=["full", "none", "incremental"], default="full",
                        help="Android builds SQLite with auto_vacuum FULL")
    parser.add_argument("--all-deleted", action="store_true", help="delete every contact")
    parser.add_argument("--flagged", type=int, default=2,
                        help="Google-account contacts only flagged deleted=1 (their rows stay)")
    parser.add_argument("--removed-numbers", type=int, default=0,
                        help="live contacts that lose one phone number after being written")
    args = parser.parse_args(argv)
    if args.contacts < 0:
        parser.error("--contacts must not be negative")
    if not 0.0 <= args.deleted_share <= 1.0:
        parser.error("--deleted-share must lie between 0 and 1")
    if args.page_size < 512 or args.page_size > 65536 or args.page_size & (args.page_size - 1):
        parser.error("--page-size must be a power of two from 512 to 65536")
    if args.flagged < 0 or args.removed_numbers < 0:
        parser.error("--flagged and --removed-numbers must not be negative")
    return args


def generate(args):
    rng = random.Random(args.seed)
    book, removed_rows = phonebook.build(rng, args.contacts, args.deleted_share, args.all_deleted,
                                        args.flagged, args.removed_numbers)
    folder = os.path.dirname(os.path.abspath(args.out))
    os.makedirs(folder, exist_ok=True)

    db = writer.Writer(args.out, args.layout, args.page_size, args.journal, args.auto_vacuum, rng)
    info = {"layout": args.layout, "page_size": args.page_size, "journal": args.journal,
            "auto_vacuum": args.auto_vacuum, "contacts": args.contacts, "seed": args.seed}
    db.begin()
    db.create()
    if args.layout == "upgraded":
        cut = int(len(book) * UPGRADE_AT)
        db.insert(book[:cut])
        db.upgrade()
        db.insert(book[cut:])
        wide = [row.data_id for raw in book[cut:] for row in raw.rows]
        # Rows below this _id were written with the 27 columns of 4.4.
        info["first_wide_data_id"] = wide[0] if wide else ""
    else:
        db.insert(book)
    # One transaction: pages written in it need no rollback journal copy.
    db.delete(book, removed_rows)
    db.commit()
    db.close()
    return truth.write(args.out, book, removed_rows, info)


def main(argv):
    args = parse_args(argv)
    # Millions of long-lived objects and no cycles: the cyclic collector would
    # only rescan them again and again.
    gc.disable()
    started = time.monotonic()
    try:
        facts = generate(args)
    except (OSError, sqlite3.Error) as failure:
        print("gen_contacts.py: error: cannot write %s: %s" % (args.out, failure), file=sys.stderr)
        return 1
    print("%s: %d contacts (%d deleted, %d flagged), %d live rows, %d deleted rows, %.1f s" % (
        args.out, args.contacts, facts["deleted_contacts"], facts["flagged_contacts"], facts["live_rows"],
        facts["deleted_rows"], time.monotonic() - started))
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv[1:]))
