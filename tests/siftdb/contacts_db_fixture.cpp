#include "contacts_db_fixture.h"

#include <gtest/gtest.h>

#include <cstring>

namespace cdv::test {
namespace {

const char kModernData[] =
    "CREATE TABLE data (_id INTEGER PRIMARY KEY AUTOINCREMENT,package_id INTEGER REFERENCES package(_id),"
    "mimetype_id INTEGER REFERENCES mimetype(_id) NOT NULL,raw_contact_id INTEGER REFERENCES raw_contacts(_id) "
    "NOT NULL,hash_id TEXT,is_read_only INTEGER NOT NULL DEFAULT 0,is_primary INTEGER NOT NULL DEFAULT 0,"
    "is_super_primary INTEGER NOT NULL DEFAULT 0,data_version INTEGER NOT NULL DEFAULT 0,data1 TEXT,data2 TEXT,"
    "data3 TEXT,data4 TEXT,data5 TEXT,data6 TEXT,data7 TEXT,data8 TEXT,data9 TEXT,data10 TEXT,data11 TEXT,"
    "data12 TEXT,data13 TEXT,data14 TEXT,data15 TEXT,data_sync1 TEXT, data_sync2 TEXT, data_sync3 TEXT, "
    "data_sync4 TEXT, carrier_presence INTEGER NOT NULL DEFAULT 0, is_preferred_phone_account_migration_pending "
    "INTEGER NOT NULL DEFAULT 0, preferred_phone_account_component_name TEXT, preferred_phone_account_id TEXT )";

const char kKitKatData[] =
    "CREATE TABLE data (_id INTEGER PRIMARY KEY AUTOINCREMENT,package_id INTEGER REFERENCES package(_id),"
    "mimetype_id INTEGER REFERENCES mimetype(_id) NOT NULL,raw_contact_id INTEGER REFERENCES raw_contacts(_id) "
    "NOT NULL,is_read_only INTEGER NOT NULL DEFAULT 0,is_primary INTEGER NOT NULL DEFAULT 0,"
    "is_super_primary INTEGER NOT NULL DEFAULT 0,data_version INTEGER NOT NULL DEFAULT 0,data1 TEXT,data2 TEXT,"
    "data3 TEXT,data4 TEXT,data5 TEXT,data6 TEXT,data7 TEXT,data8 TEXT,data9 TEXT,data10 TEXT,data11 TEXT,"
    "data12 TEXT,data13 TEXT,data14 TEXT,data15 TEXT,data_sync1 TEXT, data_sync2 TEXT, data_sync3 TEXT, "
    "data_sync4 TEXT )";

const char kModernRawContacts[] =
    "CREATE TABLE raw_contacts (_id INTEGER PRIMARY KEY AUTOINCREMENT,account_id INTEGER REFERENCES "
    "accounts(_id),sourceid TEXT,backup_id TEXT,raw_contact_is_read_only INTEGER NOT NULL DEFAULT 0,version "
    "INTEGER NOT NULL DEFAULT 1,dirty INTEGER NOT NULL DEFAULT 0,deleted INTEGER NOT NULL DEFAULT 0,"
    "metadata_dirty INTEGER NOT NULL DEFAULT 0,contact_id INTEGER REFERENCES contacts(_id),aggregation_mode "
    "INTEGER NOT NULL DEFAULT 0,aggregation_needed INTEGER NOT NULL DEFAULT 1,custom_ringtone TEXT,"
    "send_to_voicemail INTEGER NOT NULL DEFAULT 0,x_times_contacted INTEGER NOT NULL DEFAULT 0,"
    "x_last_time_contacted INTEGER,times_contacted INTEGER NOT NULL DEFAULT 0,last_time_contacted INTEGER,"
    "starred INTEGER NOT NULL DEFAULT 0,pinned INTEGER NOT NULL DEFAULT 0,display_name TEXT,display_name_alt "
    "TEXT,display_name_source INTEGER NOT NULL DEFAULT 0,phonetic_name TEXT,phonetic_name_style TEXT,sort_key "
    "TEXT COLLATE PHONEBOOK,phonebook_label TEXT,phonebook_bucket INTEGER,sort_key_alt TEXT COLLATE PHONEBOOK,"
    "phonebook_label_alt TEXT,phonebook_bucket_alt INTEGER,name_verified INTEGER NOT NULL DEFAULT 0,sync1 TEXT, "
    "sync2 TEXT, sync3 TEXT, sync4 TEXT )";

const char kKitKatRawContacts[] =
    "CREATE TABLE raw_contacts (_id INTEGER PRIMARY KEY AUTOINCREMENT,account_id INTEGER REFERENCES "
    "accounts(_id),sourceid TEXT,raw_contact_is_read_only INTEGER NOT NULL DEFAULT 0,version INTEGER NOT NULL "
    "DEFAULT 1,dirty INTEGER NOT NULL DEFAULT 0,deleted INTEGER NOT NULL DEFAULT 0,contact_id INTEGER "
    "REFERENCES contacts(_id),aggregation_mode INTEGER NOT NULL DEFAULT 0,aggregation_needed INTEGER NOT NULL "
    "DEFAULT 1,custom_ringtone TEXT,send_to_voicemail INTEGER NOT NULL DEFAULT 0,times_contacted INTEGER NOT "
    "NULL DEFAULT 0,last_time_contacted INTEGER,starred INTEGER NOT NULL DEFAULT 0,pinned INTEGER NOT NULL "
    "DEFAULT 0,display_name TEXT,display_name_alt TEXT,display_name_source INTEGER NOT NULL DEFAULT 0,"
    "phonetic_name TEXT,phonetic_name_style TEXT,sort_key TEXT COLLATE PHONEBOOK,phonebook_label TEXT,"
    "phonebook_bucket INTEGER,sort_key_alt TEXT COLLATE PHONEBOOK,phonebook_label_alt TEXT,phonebook_bucket_alt "
    "INTEGER,name_verified INTEGER NOT NULL DEFAULT 0,sync1 TEXT, sync2 TEXT, sync3 TEXT, sync4 TEXT )";

const char kModernAccounts[] =
    "CREATE TABLE accounts (_id INTEGER PRIMARY KEY AUTOINCREMENT,account_name TEXT, account_type TEXT, "
    "data_set TEXT, sim_slot_index INTEGER, sim_ef_type INTEGER, ungrouped_visible INTEGER NOT NULL DEFAULT 0,"
    "should_sync INTEGER NOT NULL DEFAULT 1,x_is_default INTEGER NOT NULL DEFAULT 0)";
const char kKitKatAccounts[] =
    "CREATE TABLE accounts (_id INTEGER PRIMARY KEY AUTOINCREMENT,account_name TEXT, account_type TEXT, "
    "data_set TEXT)";

const char* const kCommon[] = {
    "CREATE TABLE mimetypes (_id INTEGER PRIMARY KEY AUTOINCREMENT,mimetype TEXT NOT NULL)",
    "CREATE UNIQUE INDEX mime_type ON mimetypes (mimetype)",
    "CREATE INDEX data_raw_contact_id ON data (raw_contact_id)",
    "CREATE INDEX data_mimetype_data1_index ON data (mimetype_id,data1)",
    "CREATE INDEX raw_contact_sort_key1_index ON raw_contacts (sort_key)",
    "CREATE TABLE contacts (_id INTEGER PRIMARY KEY AUTOINCREMENT,name_raw_contact_id INTEGER REFERENCES "
    "raw_contacts(_id),photo_id INTEGER REFERENCES data(_id),photo_file_id INTEGER REFERENCES photo_files(_id),"
    "custom_ringtone TEXT,send_to_voicemail INTEGER NOT NULL DEFAULT 0,times_contacted INTEGER NOT NULL DEFAULT "
    "0,last_time_contacted INTEGER,starred INTEGER NOT NULL DEFAULT 0,pinned INTEGER NOT NULL DEFAULT 0,"
    "has_phone_number INTEGER NOT NULL DEFAULT 0,lookup TEXT,status_update_id INTEGER REFERENCES data(_id),"
    "contact_last_updated_timestamp INTEGER)",
    "INSERT INTO mimetypes (_id, mimetype) VALUES (1,'vnd.android.cursor.item/email_v2'),"
    "(2,'vnd.android.cursor.item/im'),(3,'vnd.android.cursor.item/nickname'),"
    "(4,'vnd.android.cursor.item/organization'),(5,'vnd.android.cursor.item/phone_v2'),"
    "(6,'vnd.android.cursor.item/sip_address'),(7,'vnd.android.cursor.item/name'),"
    "(8,'vnd.android.cursor.item/postal-address_v2'),(9,'vnd.android.cursor.item/identity'),"
    "(10,'vnd.android.cursor.item/photo'),(11,'vnd.android.cursor.item/group_membership')",
};

// Android's sort-key collation exists only on the phone; creating the index
// on sort_key needs some collation of that name.
int Binary(void*, int n1, const void* a, int n2, const void* b) {
  const int c = std::memcmp(a, b, static_cast<size_t>(n1 < n2 ? n1 : n2));
  return c != 0 ? c : n1 - n2;
}

}  // namespace

ContactsDb::ContactsDb(const std::filesystem::path& path, Layout layout) {
  const std::string utf8 = reinterpret_cast<const char*>(path.u8string().c_str());
  if (sqlite3_open(utf8.c_str(), &db_) != SQLITE_OK) {
    ADD_FAILURE() << "cannot create " << utf8;
    return;
  }
  sqlite3_create_collation(db_, "PHONEBOOK", SQLITE_UTF8, nullptr, Binary);
  Exec("PRAGMA synchronous=OFF");
  const bool modern = layout == Layout::Modern;
  Exec(modern ? kModernData : kKitKatData);
  Exec(modern ? kModernRawContacts : kKitKatRawContacts);
  Exec(modern ? kModernAccounts : kKitKatAccounts);
  for (const char* sql : kCommon) Exec(sql);
}

ContactsDb::~ContactsDb() { Close(); }

void ContactsDb::Close() {
  if (db_ != nullptr) sqlite3_close(db_);
  db_ = nullptr;
}

void ContactsDb::Exec(const std::string& sql) {
  char* error = nullptr;
  if (sqlite3_exec(db_, sql.c_str(), nullptr, nullptr, &error) != SQLITE_OK) {
    ADD_FAILURE() << (error ? error : "?") << "\n  in: " << sql;
  }
  sqlite3_free(error);
}

}  // namespace cdv::test
