#pragma once
// The record lists that the contacts-database reader hands back and the carved
// record built for each line of recovered text. These cross the reader
// library's boundary, so they stay plain: no constructors, no virtuals, no
// members whose layout the compiler may choose. The 32-bit library lays them
// out exactly as the offsets asserted below; 64-bit builds use the natural
// layout of the same field order.
#include <cstddef>

namespace cdv {

// List 1: one record per account of the database. The views never show these;
// only `ticked` follows the contacts' ticks.
struct AuxRecord {
  int id;                   // accounts._id
  unsigned char ticked;     // 8-bit boolean
  unsigned char pad[3];
  int rawContactCount;      // raw contacts of this account in list 2
  char* accountName;        // accounts.account_name, null for the local account
  char* accountType;        // accounts.account_type
  char* dataSet;            // accounts.data_set
  int reserved;
  AuxRecord* next;
};

// List 2: one record per contact; carved records use the same shape.
struct ContactRecord {
  int id;                   // raw_contacts._id, or the carved line's number
  int ticked;               // non-zero when ticked for recovery
  int linkId;               // raw_contacts.contact_id (the aggregate), 0 when none
  int deleted;              // non-zero only for a carved record
  char* name;               // display name, or the carved line
  int nameSource;           // raw_contacts.display_name_source; 40 = structured name
  int flaggedDeleted;       // raw_contacts.deleted: removed on the phone, waiting for its sync
  ContactRecord* next;
};

// List 3: one record per data row.
struct DataRecord {
  int mimeTypeId;           // data.mimetype_id
  int rawContactId;         // data.raw_contact_id
  int dataId;               // data._id
  int isPrimary;            // data.is_primary
  int isSuperPrimary;       // data.is_super_primary
  char* data1;
  char* data2;
  char* data3;
  char* data4;
  char* data5;
  char* data6;
  char* data7;
  char* data8;
  char* data9;
  char* data10;
  char* data11;
  char* data12;
  char* data13;
  char* data14;
  char* data15;
  DataRecord* next;
};

// List 4: the mimetypes table.
struct MimeTypeRecord {
  int id;
  char* mimeType;
  MimeTypeRecord* next;
};

constexpr int kDataColumnCount = 15;

// data1 ... data15 by number (1-based); the reader fills them in column order.
inline char*& DataColumn(DataRecord& row, int number) {
  static char* DataRecord::*const kColumns[kDataColumnCount] = {
      &DataRecord::data1,  &DataRecord::data2,  &DataRecord::data3,  &DataRecord::data4,
      &DataRecord::data5,  &DataRecord::data6,  &DataRecord::data7,  &DataRecord::data8,
      &DataRecord::data9,  &DataRecord::data10, &DataRecord::data11, &DataRecord::data12,
      &DataRecord::data13, &DataRecord::data14, &DataRecord::data15};
  return row.*kColumns[number - 1];
}

// The heads of the four lists of one reader call.
struct ReaderLists {
  AuxRecord* aux = nullptr;
  ContactRecord* contacts = nullptr;
  DataRecord* data = nullptr;
  MimeTypeRecord* mimeTypes = nullptr;
};

// `ticked` is flipped on the UI thread while a worker reads it; relaxed atomic
// access keeps those reads and writes whole without a lock.
inline bool IsTicked(const ContactRecord& r) { return __atomic_load_n(&r.ticked, __ATOMIC_RELAXED) != 0; }
inline void SetTicked(ContactRecord& r, bool on) { __atomic_store_n(&r.ticked, on ? 1 : 0, __ATOMIC_RELAXED); }
inline void SetTicked(AuxRecord& r, bool on) {
  __atomic_store_n(&r.ticked, static_cast<unsigned char>(on ? 1 : 0), __ATOMIC_RELAXED);
}

#if defined(_WIN32) && !defined(_WIN64)
// The layout a replacement reader library has to keep in the 32-bit program.
static_assert(offsetof(AuxRecord, ticked) == 4, "AuxRecord.ticked");
static_assert(offsetof(AuxRecord, next) == 28, "AuxRecord.next");
static_assert(sizeof(AuxRecord) == 32, "AuxRecord size");

static_assert(offsetof(ContactRecord, id) == 0, "ContactRecord.id");
static_assert(offsetof(ContactRecord, ticked) == 4, "ContactRecord.ticked");
static_assert(offsetof(ContactRecord, linkId) == 8, "ContactRecord.linkId");
static_assert(offsetof(ContactRecord, deleted) == 12, "ContactRecord.deleted");
static_assert(offsetof(ContactRecord, name) == 16, "ContactRecord.name");
static_assert(offsetof(ContactRecord, nameSource) == 20, "ContactRecord.nameSource");
static_assert(offsetof(ContactRecord, flaggedDeleted) == 24, "ContactRecord reserved field");
static_assert(offsetof(ContactRecord, next) == 28, "ContactRecord.next");
static_assert(sizeof(ContactRecord) == 32, "ContactRecord size");

static_assert(offsetof(DataRecord, mimeTypeId) == 0, "DataRecord.mimeTypeId");
static_assert(offsetof(DataRecord, rawContactId) == 4, "DataRecord.rawContactId");
static_assert(offsetof(DataRecord, data1) == 20, "DataRecord.data1");
static_assert(offsetof(DataRecord, data2) == 24, "DataRecord.data2");
static_assert(offsetof(DataRecord, data5) == 36, "DataRecord.data5");
static_assert(offsetof(DataRecord, data6) == 40, "DataRecord.data6");
static_assert(offsetof(DataRecord, data15) == 76, "DataRecord.data15");
static_assert(offsetof(DataRecord, next) == 80, "DataRecord.next");
static_assert(sizeof(DataRecord) == 84, "DataRecord size");

static_assert(offsetof(MimeTypeRecord, id) == 0, "MimeTypeRecord.id");
static_assert(offsetof(MimeTypeRecord, mimeType) == 4, "MimeTypeRecord.mimeType");
static_assert(offsetof(MimeTypeRecord, next) == 8, "MimeTypeRecord.next");
static_assert(sizeof(MimeTypeRecord) == 12, "MimeTypeRecord size");
#else
// Natural layout: the same order, pointers at their own alignment.
static_assert(offsetof(ContactRecord, name) % alignof(char*) == 0, "ContactRecord.name");
static_assert(offsetof(ContactRecord, ticked) == 4 && offsetof(ContactRecord, deleted) == 12,
              "ContactRecord integers keep their offsets");
static_assert(offsetof(DataRecord, rawContactId) == 4, "DataRecord.rawContactId");
static_assert(offsetof(AuxRecord, ticked) == 4, "AuxRecord.ticked");
#endif

}  // namespace cdv
