"""Writes a phone book into contacts2.db the way the contacts provider does:
inserts through its tables, deletes through its triggers."""

import base64
import functools
import hashlib
import os
import re
import sqlite3
import unicodedata

import people
import phonebook
import schema

CHUNK = 500  # contacts per batch, so the tables' pages interleave as on a phone


def phonebook_collation(a, b):
    # Android registers PHONEBOOK (an ICU collation) on its own connections only.
    # Code-point order here, so a reader checking the file with a binary stub
    # sees the index order it expects.
    return (a > b) - (a < b)


def hash_id(row):
    # DataRowHandler: Base64.DEFAULT(SHA-1(data1 || data2)), which ends in a newline.
    text = (row.data(1) or "") + (row.data(2) or "")
    return base64.b64encode(hashlib.sha1(text.encode("utf-8")).digest()).decode("ascii") + "\n"


_NOT_ASCII_ALNUM = re.compile("[^0-9a-z]")
_NOT_DIALABLE = re.compile("[^0-9*#+]")


@functools.lru_cache(maxsize=65536)
def _normalized_name(text):
    # NameNormalizer keys are hex strings; case and accents folded away.
    if text.isascii():
        return _NOT_ASCII_ALNUM.sub("", text.lower()).encode("ascii").hex().upper()
    folded = "".join(ch for ch in unicodedata.normalize("NFKD", text.casefold())
                     if ch.isalnum() and not unicodedata.combining(ch))
    return folded.encode("utf-8").hex().upper()


def _dialable(number):
    return _NOT_DIALABLE.sub("", number)


def _min_match(number):
    # PhoneNumberUtils.toCallerIDMinMatch: the last seven dialable characters, reversed.
    return _dialable(number)[-7:][::-1]


class Writer:
    def __init__(self, path, layout, page_size, journal, auto_vacuum, rng):
        self.layout = layout
        self.rng = rng
        for suffix in ("", "-wal", "-shm", "-journal"):
            if os.path.exists(path + suffix):
                os.remove(path + suffix)
        self.journal = journal
        self.con = sqlite3.connect(path, isolation_level=None)
        self.con.create_collation("PHONEBOOK", phonebook_collation)
        for pragma in ("page_size=%d" % page_size, "auto_vacuum=%s" % auto_vacuum, "secure_delete=OFF",
                       "synchronous=OFF", "cache_size=-1048576", "temp_store=MEMORY", "journal_mode=%s" % journal):
            self.con.execute("PRAGMA " + pragma).fetchall()
        self.wide = layout == "modern"
        self.mimetype_ids = {}

    # Creation --------------------------------------------------------------

    def create(self):
        for statement in schema.create_statements(self.wide):
            self.con.execute(statement)
        self.con.execute("INSERT INTO android_metadata VALUES ('en_US')")
        self.con.executemany("INSERT INTO properties VALUES (?,?)", [
            ("database_time_created", str(phonebook.NOW_MS - 400 * phonebook.DAY_MS)),
            ("known_accounts", "someone@gmail.com;com.google"),
        ])
        self.con.execute("INSERT INTO packages (package) VALUES ('com.android.contacts')")
        if self.wide:
            self.con.executemany("INSERT INTO accounts (_id,account_name,account_type,data_set,ungrouped_visible) "
                                 "VALUES (?,?,?,?,1)",
                                 [(phonebook.LOCAL_ACCOUNT, None, None, None),
                                  (phonebook.GOOGLE_ACCOUNT, "someone@gmail.com", "com.google", None)])
            # Android 8.0+ seeds the common mimetypes on first open, fixing their ids.
            for mimetype in schema.MIMETYPES:
                self._mimetype_id(mimetype)
        else:
            self.con.executemany("INSERT INTO accounts (_id,account_name,account_type,data_set) VALUES (?,?,?,?)",
                                 [(phonebook.LOCAL_ACCOUNT, None, None, None),
                                  (phonebook.GOOGLE_ACCOUNT, "someone@gmail.com", "com.google", None)])

    def upgrade(self):
        for statement in schema.UPGRADE_STEPS:
            self.con.execute(statement)
        self.wide = True

    def _mimetype_id(self, mimetype):
        # Before 8.0 ids are handed out at first use, so they differ from phone to phone.
        mid = self.mimetype_ids.get(mimetype)
        if mid is None:
            mid = self.con.execute("INSERT INTO mimetypes (mimetype) VALUES (?)", (mimetype,)).lastrowid
            self.mimetype_ids[mimetype] = mid
        return mid

    # Inserts ---------------------------------------------------------------

    def insert(self, raws):
        for start in range(0, len(raws), CHUNK):
            self._insert_chunk(raws[start:start + CHUNK])

    def _insert_chunk(self, raws):
        con = self.con
        raw_rows, contact_rows, data_rows, phone_lookup, name_lookup, visible = [], [], [], [], [], []
        for raw in raws:
            created = phonebook.NOW_MS - self.rng.randrange(30, 900) * phonebook.DAY_MS
            label = people.phonebook_label(raw.display_name)
            label_alt = people.phonebook_label(raw.display_name_alt)
            google = raw.account_id == phonebook.GOOGLE_ACCOUNT
            raw_rows.append((raw.raw_contact_id, raw.account_id, raw.sourceid, 1 + len(raw.rows), 0 if google else 1,
                             raw.contact_id, 0, raw.times_contacted, raw.starred, raw.display_name,
                             raw.display_name_alt, raw.source, raw.display_name, label, _bucket(label),
                             raw.display_name_alt, label_alt, _bucket(label_alt)))
            lookup = ("0i" + raw.sourceid) if google else "0r%d-%s" % (raw.raw_contact_id,
                                                                       _normalized_name(raw.display_name)[:24])
            contact_rows.append((raw.contact_id, raw.raw_contact_id, raw.times_contacted, raw.starred,
                                 1 if raw.has_phone() else 0, lookup, created))
            visible.append((raw.contact_id,))
            for row in raw.rows:
                values = [row.data_id, self._mimetype_id(row.mimetype), raw.raw_contact_id, row.is_primary,
                          row.is_primary] + row.values
                if self.wide:
                    values.append(hash_id(row))
                data_rows.append(values)
                self._lookups(raw, row, phone_lookup, name_lookup)

        con.executemany("INSERT INTO raw_contacts (_id,account_id,sourceid,version,dirty,contact_id,"
                        "aggregation_needed,times_contacted,starred,display_name,display_name_alt,"
                        "display_name_source,sort_key,phonebook_label,phonebook_bucket,sort_key_alt,"
                        "phonebook_label_alt,phonebook_bucket_alt) VALUES (%s)" % _marks(18), raw_rows)
        data_columns = "_id,mimetype_id,raw_contact_id,is_primary,is_super_primary," + \
            ",".join("data%d" % i for i in range(1, 16)) + (",hash_id" if self.wide else "")
        con.executemany("INSERT INTO data (%s) VALUES (%s)" % (data_columns, _marks(20 + self.wide)), data_rows)
        con.executemany("INSERT INTO contacts (_id,name_raw_contact_id,times_contacted,starred,has_phone_number,"
                        "lookup,contact_last_updated_timestamp) VALUES (%s)" % _marks(7), contact_rows)
        con.executemany("INSERT INTO visible_contacts VALUES (?)", visible)
        con.executemany("INSERT INTO default_directory VALUES (?)", visible)
        con.executemany("INSERT INTO phone_lookup VALUES (?,?,?,?)", phone_lookup)
        con.executemany("INSERT OR IGNORE INTO name_lookup VALUES (?,?,?,?)", name_lookup)

    @staticmethod
    def _lookups(raw, row, phone_lookup, name_lookup):
        rid, did = raw.raw_contact_id, row.data_id
        if row.mimetype == schema.PHONE:
            normalized = row.data(4) or _dialable(row.data(1))
            phone_lookup.append((did, rid, normalized, _min_match(normalized)))
        elif row.mimetype == schema.NAME:
            # NameLookupType 0: NAME_EXACT.
            name_lookup.append((did, rid, _normalized_name(row.data(1)), 0))
        elif row.mimetype == schema.NICKNAME:
            name_lookup.append((did, rid, _normalized_name(row.data(1)), 3))  # NICKNAME
        elif row.mimetype == schema.EMAIL:
            name_lookup.append((did, rid, _normalized_name(row.data(1).split("@")[0]), 4))  # EMAIL_BASED_NICKNAME

    # Deletes ---------------------------------------------------------------

    def delete(self, book, removed_rows):
        """The provider's deleteContact for each deleted contact, in the user's order."""
        con = self.con
        doomed = sorted((raw for raw in book if raw.fate != "live"), key=lambda r: (r.deleted_at_ms, r.raw_contact_id))
        for raw in doomed:
            if raw.fate == "flagged":
                # markRawContactAsDeleted: a sync account's raw contact waits for its sync adapter.
                con.execute("UPDATE raw_contacts SET deleted=1,contact_id=NULL,dirty=1,aggregation_mode=3 "
                            "WHERE _id=?", (raw.raw_contact_id,))
            con.execute("INSERT OR REPLACE INTO deleted_contacts (contact_id,contact_deleted_timestamp) VALUES (?,?)",
                        (raw.contact_id, raw.deleted_at_ms))
            con.execute("DELETE FROM contacts WHERE _id=?", (raw.contact_id,))
            if raw.fate == "deleted":
                # The raw_contacts_deleted trigger removes the data rows, data_deleted their lookups.
                con.execute("DELETE FROM raw_contacts WHERE _id=?", (raw.raw_contact_id,))
        for row in removed_rows:
            con.execute("DELETE FROM data WHERE _id=?", (row.data_id,))

    def close(self):
        con = self.con
        if self.journal == "wal":
            # Everything into the main file, then leave WAL so a plain reader needs no -wal.
            con.execute("PRAGMA wal_checkpoint(TRUNCATE)").fetchall()
        con.execute("PRAGMA journal_mode=DELETE").fetchall()
        con.close()

    def begin(self):
        self.con.execute("BEGIN")

    def commit(self):
        self.con.execute("COMMIT")


def _marks(n):
    return ",".join("?" * n)


def _bucket(label):
    # phonebook_bucket: 1..26 for A..Z, 27 for '#' and letters of other scripts.
    return ord(label) - ord("A") + 1 if "A" <= label <= "Z" else 27
