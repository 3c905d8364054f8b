#pragma once
// In-memory reader lists for the tests: records and their strings held in
// stable storage, linked in the order they were added.
#include <deque>
#include <string>

#include "contacts/contacts_reader.h"
#include "contacts/mime_types.h"
#include "contacts/records.h"

namespace cdv::test {

class RecordLists {
 public:
  ContactRecord& Contact(int id, const char* name, int nameSource = 40) {
    ContactRecord& c = contacts_.emplace_back();
    c.id = id;
    c.name = Keep(name);
    c.nameSource = nameSource;
    return c;
  }
  DataRecord& Data(int rawContactId, int mimeTypeId, const char* data1, const char* data2 = nullptr) {
    DataRecord& d = data_.emplace_back();
    d.rawContactId = rawContactId;
    d.mimeTypeId = mimeTypeId;
    d.data1 = Keep(data1);
    d.data2 = Keep(data2);
    return d;
  }
  MimeTypeRecord& MimeType(int id, const char* mimeType) {
    MimeTypeRecord& m = mimeTypes_.emplace_back();
    m.id = id;
    m.mimeType = Keep(mimeType);
    return m;
  }
  // The ids Android 8+ gives the three kinds that matter.
  RecordLists& WithAndroidMimeTypes() {
    MimeType(1, kEmailMimeType);
    MimeType(4, kOrganizationMimeType);
    MimeType(5, kPhoneMimeType);
    MimeType(7, "vnd.android.cursor.item/name");
    return *this;
  }
  char* Keep(const char* text) {
    if (text == nullptr) return nullptr;
    return &strings_.emplace_back(text)[0];
  }

  ReaderLists Lists() {
    Link(contacts_);
    Link(data_);
    Link(mimeTypes_);
    return {nullptr, contacts_.empty() ? nullptr : &contacts_.front(), data_.empty() ? nullptr : &data_.front(),
            mimeTypes_.empty() ? nullptr : &mimeTypes_.front()};
  }

 private:
  template <class R>
  static void Link(std::deque<R>& records) {
    for (size_t i = 0; i < records.size(); ++i) records[i].next = i + 1 < records.size() ? &records[i + 1] : nullptr;
  }

  std::deque<ContactRecord> contacts_;
  std::deque<DataRecord> data_;
  std::deque<MimeTypeRecord> mimeTypes_;
  std::deque<std::string> strings_;
};

enum : int { kEmail = 1, kOrganization = 4, kPhone = 5, kName = 7 };

// Hands the same lists out on every call, as a reader would re-read one file.
class FakeReader : public ContactsReader {
 public:
  explicit FakeReader(RecordLists& lists) : lists_(lists) {}
  ReaderResult Read(const std::string&) override {
    ++calls;
    return {lists_.Lists(), nullptr};
  }
  int calls = 0;

 private:
  RecordLists& lists_;
};

}  // namespace cdv::test
