"""The phone book a generated database holds: raw contacts with their data rows,
ids as a phone in use has them, and which contacts the user later deletes."""

import people
import schema

# display_name_source codes (DisplayNameSources).
SOURCE_EMAIL = 10
SOURCE_PHONE = 20
SOURCE_ORGANIZATION = 30
SOURCE_STRUCTURED_NAME = 40

LOCAL_ACCOUNT = 1
GOOGLE_ACCOUNT = 2

# Milliseconds since the epoch of the generated phone's "now": fixed, so output
# never depends on the clock.
NOW_MS = 1_733_900_000_000
DAY_MS = 86_400_000


class DataRow:
    __slots__ = ("data_id", "raw_contact_id", "mimetype", "is_primary", "values")

    def __init__(self, data_id, raw_contact_id, mimetype, values, is_primary=0):
        self.data_id = data_id
        self.raw_contact_id = raw_contact_id
        self.mimetype = mimetype
        self.is_primary = is_primary
        # data1..data15; missing tail entries are NULL.
        self.values = list(values) + [None] * (15 - len(values))

    def data(self, n):
        return self.values[n - 1]


class RawContact:
    __slots__ = ("raw_contact_id", "contact_id", "account_id", "sourceid", "display_name", "display_name_alt",
                 "source", "rows", "starred", "times_contacted", "fate", "deleted_at_ms")

    def __init__(self, raw_contact_id, contact_id):
        self.raw_contact_id = raw_contact_id
        self.contact_id = contact_id
        self.account_id = LOCAL_ACCOUNT
        self.sourceid = None
        self.rows = []
        self.display_name = self.display_name_alt = None
        self.source = SOURCE_STRUCTURED_NAME
        self.starred = 0
        self.times_contacted = 0
        # "live", "deleted" (rows removed by the provider) or "flagged" (deleted=1, rows kept).
        self.fate = "live"
        self.deleted_at_ms = None

    def has_phone(self):
        return any(r.mimetype == schema.PHONE for r in self.rows)


class IdSequence:
    """AUTOINCREMENT ids with the gaps earlier edits and deletes leave."""

    def __init__(self, rng, start):
        self.rng = rng
        self.next_id = start

    def take(self):
        value = self.next_id
        self.next_id += 1
        if self.rng.random() < 0.06:
            self.next_id += self.rng.randrange(1, 40)
        return value


def _source_of(rng):
    roll = rng.random()
    if roll < 0.03:
        return SOURCE_PHONE
    if roll < 0.05:
        return SOURCE_EMAIL
    if roll < 0.06:
        return SOURCE_ORGANIZATION
    return SOURCE_STRUCTURED_NAME


def _phone_count(rng):
    roll = rng.random()
    return 1 if roll < 0.6 else 2 if roll < 0.9 else 3


def _build_raw_contact(rng, raw, data_ids, serial):
    script, plans = people.pick_culture(rng)
    raw.source = _source_of(rng)
    rid = raw.raw_contact_id

    def add(mimetype, values, is_primary=0):
        raw.rows.append(DataRow(data_ids.take(), rid, mimetype, values, is_primary))

    given = family = None
    if raw.source == SOURCE_STRUCTURED_NAME:
        display, given, family, style = people.make_name(rng, script)
        raw.display_name = display
        raw.display_name_alt = family + ", " + given if family and style == people.STYLE_WESTERN else display
        # data1 DISPLAY_NAME, data2 GIVEN, data3 FAMILY, data10 FULL_NAME_STYLE, data11 PHONETIC_NAME_STYLE.
        add(schema.NAME, [display, given, family, None, None, None, None, None, None, style, "0"])

    phones = {SOURCE_STRUCTURED_NAME: _phone_count(rng), SOURCE_PHONE: 1, SOURCE_EMAIL: 0,
              SOURCE_ORGANIZATION: rng.randrange(2)}[raw.source]
    primary = rng.randrange(phones) if phones > 1 and rng.random() < 0.2 else -1
    for i in range(phones):
        typed, ptype, label, e164 = people.make_phone(rng, plans)
        # data1 NUMBER, data2 TYPE, data3 LABEL, data4 NORMALIZED_NUMBER.
        add(schema.PHONE, [typed, ptype, label, e164], 1 if i == primary else 0)
        if raw.source == SOURCE_PHONE:
            raw.display_name = raw.display_name_alt = typed

    emails = 1 if raw.source == SOURCE_EMAIL else 0
    if raw.source == SOURCE_STRUCTURED_NAME:
        roll = rng.random()
        emails = 2 if roll < 0.05 else 1 if roll < 0.32 else 0
    for i in range(emails):
        if raw.source == SOURCE_EMAIL:
            _, given, family, _ = people.make_name(rng, "latin")
        address, etype, label = people.make_email(rng, given, family, serial + i)
        # data1 ADDRESS, data2 TYPE, data3 LABEL, data4 DISPLAY_NAME.
        add(schema.EMAIL, [address, etype, label, None])
        if raw.source == SOURCE_EMAIL:
            raw.display_name = raw.display_name_alt = address

    if raw.source == SOURCE_ORGANIZATION or (raw.source == SOURCE_STRUCTURED_NAME and rng.random() < 0.15):
        company, otype, label, title = people.make_organization(rng)
        # data1 COMPANY, data2 TYPE, data3 LABEL, data4 TITLE.
        add(schema.ORGANIZATION, [company, otype, label, title])
        if raw.source == SOURCE_ORGANIZATION:
            raw.display_name = raw.display_name_alt = company

    if raw.source == SOURCE_STRUCTURED_NAME and rng.random() < 0.03:
        add(schema.NICKNAME, [people.make_nickname(rng), "1"])
    note_roll = rng.random()
    if note_roll < 0.04:
        # A rare long note spills into overflow pages, in the table and in data_mimetype_data1_index.
        add(schema.NOTE, [people.make_note(rng, long_text=note_roll < 0.002)])

    raw.starred = 1 if rng.random() < 0.04 else 0
    raw.times_contacted = rng.randrange(40) if rng.random() < 0.3 else 0


def build(rng, count, deleted_share, all_deleted, flagged, removed_numbers):
    """Returns (raw contacts in id order, single data rows the user later removes
    from contacts that stay live; those rows are also in their contact's rows)."""
    raw_ids = IdSequence(rng, rng.randrange(700, 2600))
    contact_ids = IdSequence(rng, rng.randrange(400, 2000))
    data_ids = IdSequence(rng, rng.randrange(4000, 12000))
    book = []
    for serial in range(count):
        raw = RawContact(raw_ids.take(), contact_ids.take())
        _build_raw_contact(rng, raw, data_ids, serial)
        book.append(raw)

    order = list(range(count))
    rng.shuffle(order)
    removed_count = count if all_deleted else min(count, int(round(count * deleted_share)))
    for position, index in enumerate(order[:removed_count]):
        book[index].fate = "deleted"
        book[index].deleted_at_ms = NOW_MS - (removed_count - position) * 60_000 - rng.randrange(30) * DAY_MS
    survivors = order[removed_count:]
    flagged_count = 0 if all_deleted else min(flagged, len(survivors))
    for index in survivors[:flagged_count]:
        raw = book[index]
        raw.fate = "flagged"
        raw.deleted_at_ms = NOW_MS - rng.randrange(1, 5) * DAY_MS
    # Contacts that stay live: some synced from a Google account. Deleted ones are
    # local, since only the local account's rows are removed at once.
    for raw in book:
        if raw.fate == "flagged" or (raw.fate == "live" and rng.random() < 0.12):
            raw.account_id = GOOGLE_ACCOUNT
            raw.sourceid = "%x" % rng.getrandbits(60)

    removed_rows = []
    candidates = [book[i] for i in survivors[flagged_count:] if sum(r.mimetype == schema.PHONE for r in book[i].rows) > 1]
    for raw in candidates[:removed_numbers]:
        # The user removes one number; the row is written first, then deleted.
        removed_rows.append([r for r in raw.rows if r.mimetype == schema.PHONE][-1])
    return book, removed_rows
