// Recover to a folder whose path passes MAX_PATH: either the whole file is
// written, or the export says it failed; it never claims a file it did not
// write and never crashes.
#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <string>

#include "contacts/contacts_export.h"
#include "contacts/pause_gate.h"
#include "tests/contacts/record_lists_fixture.h"
#include "tests/contacts/temp_folder.h"

namespace cdv {
namespace {

namespace fs = std::filesystem;

// Windows reaches past MAX_PATH only through the "\\?\" form.
fs::path Reachable(const fs::path& p) {
#if defined(_WIN32)
  return fs::path(L"\\\\?\\" + p.wstring());
#else
  return p;
#endif
}

TEST(LongPath, ExportBeyondMaxPathIsWholeOrReportedFailed) {
  test::TempFolder temp;
  fs::path deep = temp.path();
  while (deep.native().size() < 300) deep /= std::string(40, 'd');
  fs::create_directories(Reachable(deep));

  test::RecordLists records;
  records.WithAndroidMimeTypes();
  records.Contact(1, "Ann", 40).ticked = 1;
  records.Data(1, test::kPhone, "555", "2");
  LoadedContacts loaded;
  loaded.lists = records.Lists();
  PortableLoadControl control;
  ExportRequest request{deep.u16string(), u"Contacts (1)", true, 1};
  const ExportResult result = ExportContacts(request, loaded, control);

  const fs::path file = Reachable(deep / "Contacts (1)" / "contacts.txt");
  std::printf("export past MAX_PATH: %s\n", result.status == ExportStatus::Written ? "written" : "reported failed");
  if (result.status == ExportStatus::Written) {
    EXPECT_EQ(result.result, 1);
    static const char kFile[] =
        "\xFF\xFE"
        "C\0o\0n\0t\0a\0c\0t\0s\0:\0\r\0\n\0"
        "A\0n\0n\0(\0M\0o\0b\0i\0l\0e\0)\0 \0:\0 \0005\0005\0005\0\r\0\n\0";
    EXPECT_EQ(test::ReadBytes(file), std::string(kFile, sizeof kFile - 1));
  } else {
    EXPECT_EQ(result.status, ExportStatus::WriteFailed);
    EXPECT_EQ(result.result, -2);
    EXPECT_EQ(result.filePath, (deep / "Contacts (1)" / "contacts.txt").u16string());
  }
  std::error_code ignored;
  fs::remove_all(Reachable(temp.path()), ignored);
}

}  // namespace
}  // namespace cdv
