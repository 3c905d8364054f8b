"""The contacts provider's tables as Android creates them, in two generations:
the Android 13-15 fresh install ("modern") and Android 4.4 ("kitkat"), plus the
ALTER TABLE steps that carry a 4.4 database forward to the modern columns."""

MIMETYPES = [
    # Order of COMMON_MIME_TYPES: on databases created by Android 8.0+ these are ids 1..16.
    "vnd.android.cursor.item/email_v2",
    "vnd.android.cursor.item/im",
    "vnd.android.cursor.item/nickname",
    "vnd.android.cursor.item/organization",
    "vnd.android.cursor.item/phone_v2",
    "vnd.android.cursor.item/sip_address",
    "vnd.android.cursor.item/name",
    "vnd.android.cursor.item/postal-address_v2",
    "vnd.android.cursor.item/identity",
    "vnd.android.cursor.item/photo",
    "vnd.android.cursor.item/group_membership",
    "vnd.android.cursor.item/note",
    "vnd.android.cursor.item/contact_event",
    "vnd.android.cursor.item/website",
    "vnd.android.cursor.item/relation",
    "vnd.com.google.cursor.item/contact_misc",
]
NAME = "vnd.android.cursor.item/name"
PHONE = "vnd.android.cursor.item/phone_v2"
EMAIL = "vnd.android.cursor.item/email_v2"
ORGANIZATION = "vnd.android.cursor.item/organization"
NICKNAME = "vnd.android.cursor.item/nickname"
NOTE = "vnd.android.cursor.item/note"

_DATA_PAYLOAD = "".join("data%d TEXT," % i for i in range(1, 16))

DATA_MODERN = (
    "CREATE TABLE data (_id INTEGER PRIMARY KEY AUTOINCREMENT,package_id INTEGER REFERENCES package(_id),"
    "mimetype_id INTEGER REFERENCES mimetype(_id) NOT NULL,raw_contact_id INTEGER REFERENCES raw_contacts(_id) NOT NULL,"
    "hash_id TEXT,is_read_only INTEGER NOT NULL DEFAULT 0,is_primary INTEGER NOT NULL DEFAULT 0,"
    "is_super_primary INTEGER NOT NULL DEFAULT 0,data_version INTEGER NOT NULL DEFAULT 0,"
    + _DATA_PAYLOAD +
    "data_sync1 TEXT, data_sync2 TEXT, data_sync3 TEXT, data_sync4 TEXT, "
    "carrier_presence INTEGER NOT NULL DEFAULT 0, is_preferred_phone_account_migration_pending INTEGER NOT NULL DEFAULT 0, "
    "preferred_phone_account_component_name TEXT, preferred_phone_account_id TEXT )"
)

DATA_KITKAT = (
    "CREATE TABLE data (_id INTEGER PRIMARY KEY AUTOINCREMENT,package_id INTEGER REFERENCES package(_id),"
    "mimetype_id INTEGER REFERENCES mimetype(_id) NOT NULL,raw_contact_id INTEGER REFERENCES raw_contacts(_id) NOT NULL,"
    "is_read_only INTEGER NOT NULL DEFAULT 0,is_primary INTEGER NOT NULL DEFAULT 0,"
    "is_super_primary INTEGER NOT NULL DEFAULT 0,data_version INTEGER NOT NULL DEFAULT 0,"
    + _DATA_PAYLOAD +
    "data_sync1 TEXT, data_sync2 TEXT, data_sync3 TEXT, data_sync4 TEXT )"
)

RAW_CONTACTS_MODERN = (
    "CREATE TABLE raw_contacts (_id INTEGER PRIMARY KEY AUTOINCREMENT,account_id INTEGER REFERENCES accounts(_id),"
    "sourceid TEXT,backup_id TEXT,raw_contact_is_read_only INTEGER NOT NULL DEFAULT 0,version INTEGER NOT NULL DEFAULT 1,"
    "dirty INTEGER NOT NULL DEFAULT 0,deleted INTEGER NOT NULL DEFAULT 0,metadata_dirty INTEGER NOT NULL DEFAULT 0,"
    "contact_id INTEGER REFERENCES contacts(_id),aggregation_mode INTEGER NOT NULL DEFAULT 0,"
    "aggregation_needed INTEGER NOT NULL DEFAULT 1,custom_ringtone TEXT,send_to_voicemail INTEGER NOT NULL DEFAULT 0,"
    "x_times_contacted INTEGER NOT NULL DEFAULT 0,x_last_time_contacted INTEGER,"
    "times_contacted INTEGER NOT NULL DEFAULT 0,last_time_contacted INTEGER,starred INTEGER NOT NULL DEFAULT 0,"
    "pinned INTEGER NOT NULL DEFAULT 0,display_name TEXT,display_name_alt TEXT,"
    "display_name_source INTEGER NOT NULL DEFAULT 0,phonetic_name TEXT,phonetic_name_style TEXT,"
    "sort_key TEXT COLLATE PHONEBOOK,phonebook_label TEXT,phonebook_bucket INTEGER,"
    "sort_key_alt TEXT COLLATE PHONEBOOK,phonebook_label_alt TEXT,phonebook_bucket_alt INTEGER,"
    "name_verified INTEGER NOT NULL DEFAULT 0,sync1 TEXT, sync2 TEXT, sync3 TEXT, sync4 TEXT )"
)

CONTACTS_MODERN = (
    "CREATE TABLE contacts (_id INTEGER PRIMARY KEY AUTOINCREMENT,name_raw_contact_id INTEGER REFERENCES raw_contacts(_id),"
    "photo_id INTEGER REFERENCES data(_id),photo_file_id INTEGER REFERENCES photo_files(_id),custom_ringtone TEXT,"
    "send_to_voicemail INTEGER NOT NULL DEFAULT 0,x_times_contacted INTEGER NOT NULL DEFAULT 0,"
    "x_last_time_contacted INTEGER,times_contacted INTEGER NOT NULL DEFAULT 0,last_time_contacted INTEGER,"
    "starred INTEGER NOT NULL DEFAULT 0,pinned INTEGER NOT NULL DEFAULT 0,has_phone_number INTEGER NOT NULL DEFAULT 0,"
    "lookup TEXT,status_update_id INTEGER REFERENCES data(_id),contact_last_updated_timestamp INTEGER)"
)

ACCOUNTS_MODERN = (
    "CREATE TABLE accounts (_id INTEGER PRIMARY KEY AUTOINCREMENT,account_name TEXT, account_type TEXT, data_set TEXT, "
    "sim_slot_index INTEGER, sim_ef_type INTEGER, ungrouped_visible INTEGER NOT NULL DEFAULT 0,"
    "should_sync INTEGER NOT NULL DEFAULT 1,x_is_default INTEGER NOT NULL DEFAULT 0)"
)
ACCOUNTS_KITKAT = "CREATE TABLE accounts (_id INTEGER PRIMARY KEY AUTOINCREMENT,account_name TEXT, account_type TEXT, data_set TEXT)"


def _without(statement, *fragments):
    for fragment in fragments:
        if fragment not in statement:
            raise AssertionError("schema fragment missing: " + fragment)
        statement = statement.replace(fragment, "", 1)
    return statement


RAW_CONTACTS_KITKAT = _without(
    RAW_CONTACTS_MODERN, "backup_id TEXT,", "metadata_dirty INTEGER NOT NULL DEFAULT 0,",
    "x_times_contacted INTEGER NOT NULL DEFAULT 0,", "x_last_time_contacted INTEGER,")
CONTACTS_KITKAT = _without(
    CONTACTS_MODERN, "x_times_contacted INTEGER NOT NULL DEFAULT 0,", "x_last_time_contacted INTEGER,")

COMMON_TABLES = [
    "CREATE TABLE android_metadata (locale TEXT)",
    "CREATE TABLE properties (property_key TEXT PRIMARY KEY, property_value TEXT )",
    "CREATE TABLE packages (_id INTEGER PRIMARY KEY AUTOINCREMENT,package TEXT NOT NULL)",
    "CREATE TABLE mimetypes (_id INTEGER PRIMARY KEY AUTOINCREMENT,mimetype TEXT NOT NULL)",
    "CREATE TABLE photo_files (_id INTEGER PRIMARY KEY AUTOINCREMENT,height INTEGER NOT NULL,width INTEGER NOT NULL,"
    "filesize INTEGER NOT NULL)",
    "CREATE TABLE phone_lookup (data_id INTEGER REFERENCES data(_id) NOT NULL,raw_contact_id INTEGER REFERENCES "
    "raw_contacts(_id) NOT NULL,normalized_number TEXT NOT NULL,min_match TEXT NOT NULL)",
    "CREATE TABLE name_lookup (data_id INTEGER REFERENCES data(_id) NOT NULL,raw_contact_id INTEGER REFERENCES "
    "raw_contacts(_id) NOT NULL,normalized_name TEXT NOT NULL,name_type INTEGER NOT NULL,"
    "PRIMARY KEY (data_id, normalized_name, name_type))",
    "CREATE TABLE agg_exceptions (_id INTEGER PRIMARY KEY AUTOINCREMENT,type INTEGER NOT NULL, raw_contact_id1 INTEGER "
    "REFERENCES raw_contacts(_id), raw_contact_id2 INTEGER REFERENCES raw_contacts(_id))",
    "CREATE TABLE visible_contacts (_id INTEGER PRIMARY KEY)",
    "CREATE TABLE default_directory (_id INTEGER PRIMARY KEY)",
    "CREATE TABLE status_updates (status_update_data_id INTEGER PRIMARY KEY REFERENCES data(_id),status TEXT,"
    "status_ts INTEGER,status_res_package TEXT, status_label INTEGER, status_icon INTEGER)",
    "CREATE TABLE deleted_contacts (contact_id INTEGER PRIMARY KEY,contact_deleted_timestamp INTEGER NOT NULL default 0)",
]

INDEXES = [
    "CREATE UNIQUE INDEX mime_type ON mimetypes (mimetype)",
    "CREATE INDEX contacts_has_phone_index ON contacts (has_phone_number)",
    "CREATE INDEX contacts_name_raw_contact_id_index ON contacts (name_raw_contact_id)",
    "CREATE INDEX contacts_contact_last_updated_timestamp_index ON contacts(contact_last_updated_timestamp)",
    "CREATE INDEX raw_contacts_contact_id_index ON raw_contacts (contact_id)",
    "CREATE INDEX raw_contacts_source_id_account_id_index ON raw_contacts (sourceid, account_id)",
    "CREATE INDEX raw_contact_sort_key1_index ON raw_contacts (sort_key)",
    "CREATE INDEX raw_contact_sort_key2_index ON raw_contacts (sort_key_alt)",
    "CREATE INDEX data_raw_contact_id ON data (raw_contact_id)",
    "CREATE INDEX data_mimetype_data1_index ON data (mimetype_id,data1)",
    "CREATE INDEX phone_lookup_index ON phone_lookup (normalized_number,raw_contact_id,data_id)",
    "CREATE INDEX phone_lookup_min_match_index ON phone_lookup (min_match,raw_contact_id,data_id)",
    "CREATE INDEX phone_lookup_data_id_min_match_index ON phone_lookup (data_id, min_match)",
    "CREATE INDEX name_lookup_raw_contact_id_index ON name_lookup (raw_contact_id)",
    "CREATE INDEX name_lookup_index ON name_lookup (normalized_name,name_type, raw_contact_id, data_id)",
    "CREATE UNIQUE INDEX aggregation_exception_index ON agg_exceptions (raw_contact_id1, raw_contact_id2)",
    "CREATE INDEX deleted_contacts_contact_deleted_timestamp_index ON deleted_contacts(contact_deleted_timestamp)",
]
HASH_ID_INDEX = "CREATE INDEX data_hash_id_index ON data (hash_id)"


# The provider's triggers, spaced as its string concatenations leave them.
def _only_contact_of(table):
    return ("   DELETE FROM " + table + "     WHERE _id=OLD.contact_id"
            "       AND (SELECT COUNT(*) FROM raw_contacts            WHERE contact_id"
            "               =OLD.contact_id           )=1;")


TRIGGERS = [
    "CREATE TRIGGER raw_contacts_deleted    BEFORE DELETE ON raw_contacts BEGIN "
    "   DELETE FROM data     WHERE raw_contact_id=OLD._id;"
    "   DELETE FROM agg_exceptions     WHERE raw_contact_id1=OLD._id        OR raw_contact_id2=OLD._id;"
    + _only_contact_of("visible_contacts") + _only_contact_of("default_directory") + _only_contact_of("contacts")
    + " END",
    "CREATE TRIGGER raw_contacts_marked_deleted    AFTER UPDATE ON raw_contacts BEGIN "
    "   UPDATE raw_contacts     SET version=OLD.version+1      WHERE _id=OLD._id       AND NEW.deleted!= OLD.deleted; END",
    "CREATE TRIGGER data_updated AFTER UPDATE ON data BEGIN "
    "   UPDATE data     SET data_version=OLD.data_version+1      WHERE _id=OLD._id;"
    "   UPDATE raw_contacts     SET version=version+1      WHERE _id=OLD.raw_contact_id; END",
    "CREATE TRIGGER data_deleted BEFORE DELETE ON data BEGIN "
    "   UPDATE raw_contacts     SET version=version+1      WHERE _id=OLD.raw_contact_id;"
    "   DELETE FROM phone_lookup     WHERE data_id=OLD._id;"
    "   DELETE FROM status_updates     WHERE status_update_data_id=OLD._id;"
    "   DELETE FROM name_lookup     WHERE data_id=OLD._id; END",
]

# Columns the 4.4 -> 15 upgrades append, in the order the upgrade steps run
# (hash_id lands at index 27 of data, after data_sync4).
UPGRADE_STEPS = [
    "ALTER TABLE data ADD hash_id TEXT",
    "ALTER TABLE data ADD carrier_presence INTEGER NOT NULL DEFAULT 0",
    HASH_ID_INDEX,
    "ALTER TABLE data ADD preferred_phone_account_component_name TEXT",
    "ALTER TABLE data ADD preferred_phone_account_id TEXT",
    "ALTER TABLE data ADD is_preferred_phone_account_migration_pending INTEGER NOT NULL DEFAULT 0",
    "ALTER TABLE raw_contacts ADD backup_id TEXT",
    "ALTER TABLE raw_contacts ADD metadata_dirty INTEGER NOT NULL DEFAULT 0",
    "ALTER TABLE raw_contacts ADD x_times_contacted INTEGER NOT NULL DEFAULT 0",
    "ALTER TABLE raw_contacts ADD x_last_time_contacted INTEGER",
    "ALTER TABLE contacts ADD x_times_contacted INTEGER NOT NULL DEFAULT 0",
    "ALTER TABLE contacts ADD x_last_time_contacted INTEGER",
    "ALTER TABLE accounts ADD sim_slot_index INTEGER",
    "ALTER TABLE accounts ADD sim_ef_type INTEGER",
    "ALTER TABLE accounts ADD ungrouped_visible INTEGER NOT NULL DEFAULT 0",
    "ALTER TABLE accounts ADD should_sync INTEGER NOT NULL DEFAULT 1",
    "ALTER TABLE accounts ADD x_is_default INTEGER NOT NULL DEFAULT 0",
]


def create_statements(modern):
    """Tables, indexes and triggers of a freshly created database."""
    if modern:
        tables = [ACCOUNTS_MODERN, CONTACTS_MODERN, RAW_CONTACTS_MODERN, DATA_MODERN]
        indexes = INDEXES + [HASH_ID_INDEX]
    else:
        tables = [ACCOUNTS_KITKAT, CONTACTS_KITKAT, RAW_CONTACTS_KITKAT, DATA_KITKAT]
        indexes = INDEXES
    return COMMON_TABLES[:4] + tables + COMMON_TABLES[4:] + indexes + TRIGGERS
