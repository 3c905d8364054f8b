#pragma once
// Small contacts databases built with SQLite from the statements Android's
// contacts provider uses, for the reader tests.
#include <sqlite3.h>

#include <filesystem>
#include <string>

namespace cdv::test {

enum class Layout { Modern, KitKat };

class ContactsDb {
 public:
  ContactsDb(const std::filesystem::path& path, Layout layout);
  ~ContactsDb();
  ContactsDb(const ContactsDb&) = delete;
  ContactsDb& operator=(const ContactsDb&) = delete;

  void Exec(const std::string& sql);
  sqlite3* get() const { return db_; }
  void Close();

 private:
  sqlite3* db_ = nullptr;
};

// The mimetype ids Android 8+ gives on first open.
enum : int { kEmailId = 1, kOrganizationId = 4, kPhoneId = 5, kNameId = 7, kPhotoId = 10 };

}  // namespace cdv::test
