#!/usr/bin/env python3
"""Checks the contacts2.db generator by running it and reading what it wrote:
the database with plain SQLite and the record headers of its pages, the truth
files as a C++ reader would split them."""

import collections
import os
import shutil
import sqlite3
import struct
import subprocess
import sys
import tempfile
import unittest

GENERATOR = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "..", "tools", "contactsgen",
                         "gen_contacts.py")
NAME = "vnd.android.cursor.item/name"
PHONE = "vnd.android.cursor.item/phone_v2"
EMAIL = "vnd.android.cursor.item/email_v2"


def binary_phonebook(a, b):
    return (a > b) - (a < b)


def read_tsv(path):
    with open(path, encoding="utf-8", newline="") as f:
        lines = f.read().split("\n")
    assert lines[-1] == "", "file must end with a newline"
    header = lines[0].split("\t")
    rows = [line.split("\t") for line in lines[1:-1]]
    for row in rows:
        assert len(row) == len(header), row
    return header, rows


def read_info(db):
    _, rows = read_tsv(db + ".info.tsv")
    return {k: v for k, v in rows}


def open_db(db):
    con = sqlite3.connect("file:%s?mode=ro" % db, uri=True)
    con.create_collation("PHONEBOOK", binary_phonebook)
    return con


class Scratch:
    root = None

    @classmethod
    def folder(cls, name):
        if cls.root is None:
            base = os.environ.get("CONTACTSGEN_SCRATCH")
            if base:
                shutil.rmtree(base, ignore_errors=True)
                os.makedirs(base)
                cls.root = base
            else:
                cls.root = tempfile.mkdtemp(prefix="contactsgen-")
        path = os.path.join(cls.root, name)
        os.makedirs(path, exist_ok=True)
        return path


_generated = {}


def generate(name, *options):
    """Runs the generator once per option set; returns the database path."""
    key = tuple(options)
    if key not in _generated:
        db = os.path.join(Scratch.folder(name), "contacts2.db")
        subprocess.run([sys.executable, GENERATOR, "--out", db] + list(options), check=True,
                       stdout=subprocess.DEVNULL)
        _generated[key] = db
    return _generated[key]


def data_record_widths(db):
    """Column counts of every record in the data table's b-tree, read from the pages."""
    with open(db, "rb") as f:
        image = f.read()
    page_size = struct.unpack(">H", image[16:18])[0] or 65536
    con = open_db(db)
    root = con.execute("SELECT rootpage FROM sqlite_master WHERE type='table' AND name='data'").fetchone()[0]
    con.close()

    def varint(buf, pos):
        value = 0
        for i in range(9):
            byte = buf[pos + i]
            if i == 8:
                return (value << 8) | byte, pos + 9
            value = (value << 7) | (byte & 0x7F)
            if byte < 0x80:
                return value, pos + i + 1
        raise AssertionError("varint")

    widths = collections.Counter()
    stack, seen = [root], set()
    while stack:
        page = stack.pop()
        assert page not in seen, "page visited twice"
        seen.add(page)
        base = (page - 1) * page_size
        head = base + (100 if page == 1 else 0)
        kind = image[head]
        cells = struct.unpack(">H", image[head + 3:head + 5])[0]
        pointers = head + (12 if kind == 0x05 else 8)
        if kind == 0x05:
            stack.append(struct.unpack(">I", image[head + 8:head + 12])[0])
        for i in range(cells):
            cell = base + struct.unpack(">H", image[pointers + 2 * i:pointers + 2 * i + 2])[0]
            if kind == 0x05:
                stack.append(struct.unpack(">I", image[cell:cell + 4])[0])
                continue
            assert kind == 0x0D, "unexpected page type %d" % kind
            _, pos = varint(image, cell)  # payload length
            _, pos = varint(image, pos)  # rowid
            header_len, end = varint(image, pos)
            end = pos + header_len
            _, pos = varint(image, pos)
            columns = 0
            while pos < end:
                _, pos = varint(image, pos)
                columns += 1
            widths[columns] += 1
    return widths


LAYOUTS = {
    # layout: (columns of data, index of data1, index of hash_id or None)
    "modern": (32, 9, 4),
    "kitkat": (27, 8, None),
    "upgraded": (32, 8, 27),
}


class TruthAgreesWithDatabase(unittest.TestCase):
    CASES = [
        ("modern", "--contacts", "400", "--seed", "11", "--layout", "modern", "--removed-numbers", "5"),
        ("kitkat", "--contacts", "400", "--seed", "12", "--layout", "kitkat"),
        ("upgraded", "--contacts", "400", "--seed", "13", "--layout", "upgraded", "--journal", "wal"),
        ("modern", "--contacts", "300", "--seed", "14", "--page-size", "1024", "--journal", "truncate",
         "--auto-vacuum", "none"),
        ("kitkat", "--contacts", "300", "--seed", "15", "--layout", "kitkat", "--page-size", "65536",
         "--deleted-share", "0.5"),
    ]

    def test_cases(self):
        for case in self.CASES:
            layout, options = case[0], case[1:]
            with self.subTest(options=" ".join(options)):
                self.check(layout, generate("truth-%s-%s" % (layout, options[3]), *options), options)

    def check(self, layout, db, options):
        info = read_info(db)
        columns, data1, hash_index = LAYOUTS[layout]
        con = open_db(db)
        self.assertEqual(con.execute("PRAGMA integrity_check").fetchall(), [("ok",)])
        for suffix in ("-wal", "-shm", "-journal"):
            self.assertFalse(os.path.exists(db + suffix), suffix)
        with open(db, "rb") as f:
            header = f.read(100)
        self.assertEqual(header[18:20], b"\x01\x01", "a plain reader must not need a -wal file")
        page_size = int(options[options.index("--page-size") + 1]) if "--page-size" in options else 4096
        self.assertEqual(con.execute("PRAGMA page_size").fetchone()[0], page_size)
        self.assertEqual(info["page_size"], str(page_size))

        names = [r[1] for r in con.execute("PRAGMA table_info(data)")]
        self.assertEqual(len(names), columns)
        self.assertEqual((names[3], names[data1]), ("raw_contact_id", "data1"))
        self.assertEqual(info["data_columns"], str(columns))
        self.assertEqual(info["raw_contact_id_index"], "3")
        self.assertEqual(info["data1_index"], str(data1))
        self.assertEqual(info["hash_id_index"], "" if hash_index is None else str(hash_index))
        if hash_index is not None:
            self.assertEqual(names[hash_index], "hash_id")

        # Live truth == what SELECT returns, NULL read as an empty field.
        header, live = read_tsv(db + ".live.tsv")
        self.assertEqual(header, ["raw_contact_id", "display_name", "display_name_source", "deleted_flag",
                                  "mimetype", "data1", "data2", "data3", "data4"])
        selected = [["" if v is None else str(v) for v in row] for row in con.execute(
            "SELECT r._id, r.display_name, r.display_name_source, r.deleted, m.mimetype, "
            "d.data1, d.data2, d.data3, d.data4 FROM data d JOIN raw_contacts r ON r._id = d.raw_contact_id "
            "JOIN mimetypes m ON m._id = d.mimetype_id ORDER BY d.raw_contact_id, d._id")]
        self.assertEqual(selected, live)
        self.assertEqual(info["live_rows"], str(len(live)))

        # Deleted rows are gone from every query, yet their bytes are still in the file.
        header, deleted = read_tsv(db + ".deleted.tsv")
        self.assertEqual(header, ["raw_contact_id", "mimetype", "data1"])
        self.assertEqual(info["deleted_rows"], str(len(deleted)))
        self.assertGreater(len(deleted), 0)
        live_keys = collections.Counter((r[0], r[4], r[5]) for r in live)
        for rid, mimetype, value in deleted:
            self.assertNotIn((rid, mimetype, value), live_keys)
        removed_contacts = {rid for rid, _, _ in deleted} - {r[0] for r in live}
        self.assertEqual(len(removed_contacts), int(info["deleted_contacts"]))
        remaining = {str(r[0]) for r in con.execute("SELECT _id FROM raw_contacts")}
        self.assertFalse(removed_contacts & remaining)
        self.assertEqual(con.execute("SELECT count(*) FROM contacts").fetchone()[0],
                         int(info["contacts"]) - int(info["deleted_contacts"]) - int(info["flagged_contacts"]))
        self.assertEqual(con.execute("SELECT count(*) FROM deleted_contacts").fetchone()[0],
                         int(info["deleted_contacts"]) + int(info["flagged_contacts"]))
        with open(db, "rb") as f:
            image = f.read()
        values = [v for _, _, v in deleted if v]
        surviving = sum(v.encode("utf-8") in image for v in values)
        self.assertGreater(surviving, 0.9 * len(values), "deleted bytes must stay in the file")

        # Flagged contacts: deleted=1, no contact, rows kept and listed as live with the flag.
        flagged = con.execute("SELECT _id, contact_id, dirty FROM raw_contacts WHERE deleted=1").fetchall()
        self.assertEqual(len(flagged), int(info["flagged_contacts"]))
        for rid, contact, dirty in flagged:
            self.assertEqual((contact, dirty), (None, 1))
            self.assertTrue(any(r[0] == str(rid) and r[3] == "1" for r in live))
        con.close()


class FixtureDatabase(TruthAgreesWithDatabase):
    """A database made by the CMake fixture helper, named by CONTACTSGEN_FIXTURE_DB."""

    def test_cases(self):
        db = os.environ.get("CONTACTSGEN_FIXTURE_DB")
        if not db:
            self.skipTest("CONTACTSGEN_FIXTURE_DB not set")
        info = read_info(db)
        self.check(info["layout"], db, ["--page-size", info["page_size"]])


class RecordLayout(unittest.TestCase):
    def test_record_widths_per_layout(self):
        for layout, widths in [("modern", {32}), ("kitkat", {27}), ("upgraded", {27, 32})]:
            with self.subTest(layout=layout):
                db = generate("widths-" + layout, "--contacts", "600", "--seed", "5", "--layout", layout,
                              "--deleted-share", "0")
                self.assertEqual(set(data_record_widths(db)), widths)
        upgraded = generate("widths-upgraded", "--contacts", "600", "--seed", "5", "--layout", "upgraded",
                            "--deleted-share", "0")
        first_wide = int(read_info(upgraded)["first_wide_data_id"])
        con = open_db(upgraded)
        hash_ids = con.execute("SELECT _id < ?, hash_id IS NULL, count(*) FROM data GROUP BY 1, 2",
                               (first_wide,)).fetchall()
        self.assertEqual([(a, b) for a, b, _ in hash_ids], [(0, 0), (1, 1)])

    def test_schema_needs_phonebook_collation(self):
        db = generate("schema", "--contacts", "50", "--seed", "2")
        con = sqlite3.connect("file:%s?mode=ro" % db, uri=True)
        sql = con.execute("SELECT sql FROM sqlite_master WHERE name='raw_contacts'").fetchone()[0]
        self.assertIn("sort_key TEXT COLLATE PHONEBOOK", sql)
        with self.assertRaisesRegex(sqlite3.OperationalError, "no such collation sequence: PHONEBOOK"):
            con.execute("SELECT display_name FROM raw_contacts ORDER BY sort_key").fetchall()
        triggers = {r[0] for r in con.execute("SELECT name FROM sqlite_master WHERE type='trigger'")}
        self.assertTrue({"raw_contacts_deleted", "data_deleted"} <= triggers)
        mimetypes = con.execute("SELECT _id, mimetype FROM mimetypes ORDER BY _id").fetchall()
        self.assertEqual(mimetypes[0], (1, "vnd.android.cursor.item/email_v2"))
        self.assertEqual(mimetypes[4], (5, PHONE))
        self.assertEqual(mimetypes[6], (7, NAME))
        self.assertEqual(len(mimetypes), 16)


class Content(unittest.TestCase):
    def test_phone_book_looks_real(self):
        db = generate("content", "--contacts", "2500", "--seed", "21", "--deleted-share", "0.2")
        con = open_db(db)
        q = lambda sql: con.execute(sql).fetchall()  # noqa: E731
        # Type codes are text, as Android stores them.
        self.assertEqual(q("SELECT DISTINCT typeof(d.data2) FROM data d JOIN mimetypes m ON m._id=d.mimetype_id "
                           "WHERE m.mimetype IN ('%s','%s')" % (PHONE, EMAIL)), [("text",)])
        phone_types = {r[0] for r in q("SELECT data2 FROM data WHERE mimetype_id=5")}
        self.assertTrue({"0", "1", "2", "3", "12"} <= phone_types)
        self.assertEqual(q("SELECT count(*) FROM data WHERE mimetype_id=5 AND data2='0' AND data3 IS NULL"), [(0,)])
        self.assertIn("7", {r[0] for r in q("SELECT data2 FROM data WHERE mimetype_id=1")})
        self.assertGreater(q("SELECT count(*) FROM data WHERE mimetype_id=4 AND data4 IS NOT NULL")[0][0], 0)
        sources = {r[0] for r in q("SELECT DISTINCT display_name_source FROM raw_contacts")}
        self.assertTrue({10, 20, 40} <= sources)
        self.assertEqual(q("SELECT count(*) FROM raw_contacts r JOIN data d ON d.raw_contact_id=r._id "
                           "AND d.mimetype_id=7 WHERE r.display_name_source != 40"), [(0,)])
        self.assertEqual(q("SELECT count(*) FROM raw_contacts r JOIN data d ON d.raw_contact_id=r._id "
                           "AND d.mimetype_id=7 WHERE d.data1 != r.display_name"), [(0,)])
        names = "".join(r[0] for r in q("SELECT display_name FROM raw_contacts"))
        for label, test in [("accented Latin", lambda c: "\u00c0" <= c <= "\u017f"),
                            ("Chinese", lambda c: "\u4e00" <= c <= "\u9fff"),
                            ("Cyrillic", lambda c: "\u0400" <= c <= "\u04ff"),
                            ("Arabic", lambda c: "\u0600" <= c <= "\u06ff"),
                            ("emoji beyond the BMP", lambda c: ord(c) > 0xFFFF)]:
            self.assertTrue(any(test(c) for c in names), label)
        # A phone in use: ids in the thousands, with gaps.
        low, high, count = q("SELECT min(_id), max(_id), count(*) FROM data")[0]
        self.assertGreaterEqual(low, 1000)
        self.assertGreater(high - low + 1, count)
        self.assertGreaterEqual(q("SELECT min(_id) FROM raw_contacts")[0][0], 100)


class Determinism(unittest.TestCase):
    FILES = ("", ".live.tsv", ".deleted.tsv", ".info.tsv")

    def read_all(self, db):
        out = []
        for suffix in self.FILES:
            with open(db + suffix, "rb") as f:
                out.append(f.read())
        return out

    def test_same_seed_same_bytes(self):
        for layout, journal in [("modern", "wal"), ("kitkat", "delete"), ("upgraded", "truncate")]:
            with self.subTest(layout=layout, journal=journal):
                options = ["--contacts", "300", "--seed", "99", "--layout", layout, "--journal", journal]
                first = generate("same-a-" + layout, *options)
                again = os.path.join(Scratch.folder("same-b-" + layout), "contacts2.db")
                subprocess.run([sys.executable, GENERATOR, "--out", again] + options, check=True,
                               stdout=subprocess.DEVNULL)
                self.assertEqual(self.read_all(first), self.read_all(again))
                # Writing over an existing database gives the same file again.
                subprocess.run([sys.executable, GENERATOR, "--out", again] + options, check=True,
                               stdout=subprocess.DEVNULL)
                self.assertEqual(self.read_all(first), self.read_all(again))
        other = generate("same-other", "--contacts", "300", "--seed", "100", "--layout", "modern", "--journal", "wal")
        self.assertNotEqual(self.read_all(other)[0], self.read_all(generate("same-a-modern", "--contacts", "300",
                            "--seed", "99", "--layout", "modern", "--journal", "wal"))[0])


class Extremes(unittest.TestCase):
    def test_all_deleted(self):
        db = generate("all", "--contacts", "200", "--seed", "3", "--all-deleted")
        con = open_db(db)
        self.assertEqual(con.execute("SELECT (SELECT count(*) FROM data), (SELECT count(*) FROM raw_contacts), "
                                     "(SELECT count(*) FROM contacts), (SELECT count(*) FROM phone_lookup)"
                                     ).fetchone(), (0, 0, 0, 0))
        self.assertEqual(con.execute("PRAGMA integrity_check").fetchall(), [("ok",)])
        self.assertEqual(read_tsv(db + ".live.tsv")[1], [])
        _, deleted = read_tsv(db + ".deleted.tsv")
        info = read_info(db)
        self.assertEqual((info["deleted_contacts"], info["flagged_contacts"]), ("200", "0"))
        self.assertEqual(len({r[0] for r in deleted}), 200)

    def test_no_contacts(self):
        db = generate("empty", "--contacts", "0", "--seed", "3")
        self.assertEqual(read_tsv(db + ".deleted.tsv")[1], [])
        self.assertEqual(open_db(db).execute("PRAGMA integrity_check").fetchall(), [("ok",)])

    def test_bad_options_are_refused(self):
        out = os.path.join(Scratch.folder("bad"), "contacts2.db")
        for options in (["--contacts", "-1"], ["--contacts", "5", "--deleted-share", "1.5"],
                        ["--contacts", "5", "--page-size", "3000"], ["--contacts", "5", "--page-size", "131072"],
                        ["--contacts", "5", "--layout", "jellybean"]):
            with self.subTest(options=options):
                result = subprocess.run([sys.executable, GENERATOR, "--out", out] + options,
                                        stdout=subprocess.DEVNULL, stderr=subprocess.PIPE)
                self.assertEqual(result.returncode, 2)
                self.assertIn(b"error", result.stderr)
                self.assertFalse(os.path.exists(out))
        blocked = os.path.join(Scratch.folder("bad"), "folder", "contacts2.db")
        os.makedirs(blocked)
        result = subprocess.run([sys.executable, GENERATOR, "--out", blocked, "--contacts", "5"],
                                stdout=subprocess.DEVNULL, stderr=subprocess.PIPE)
        self.assertEqual(result.returncode, 1)
        self.assertIn(b"cannot write", result.stderr)


if __name__ == "__main__":
    unittest.main(verbosity=2)
