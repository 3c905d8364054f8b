// Recover to disk against failing file systems: a disk that fills during the
// export, a read-only folder, a path longer than MAX_PATH. The export must say
// it failed, and whatever it wrote before must stay, byte for byte.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "contacts/contacts_export.h"
#include "contacts/pause_gate.h"
#include "tests/contacts/record_lists_fixture.h"
#include "tests/contacts/temp_folder.h"
#include "tests/faults/scratch_mount.h"

namespace cdv {
namespace {

namespace fs = std::filesystem;

// Enough contacts and carved lines for a file of about 300 KB.
struct ManyContacts {
  test::RecordLists records;
  LoadedContacts loaded;
  std::deque<std::string> names;

  explicit ManyContacts(int count) {
    records.WithAndroidMimeTypes();
    for (int id = 1; id <= count; ++id) {
      names.push_back("Contact number " + std::to_string(id));
      records.Contact(id, names.back().c_str(), 40).ticked = 1;
      names.push_back("+1 555 01" + std::to_string(100000 + id));
      records.Data(id, test::kPhone, names.back().c_str(), "2");
    }
    for (int i = 0; i < count; ++i) {
      const std::string line = "Deleted " + std::to_string(i) + "\t555" + std::to_string(i) + "\r\n";
      loaded.carvedText += line;
      loaded.carved.Append(std::string_view(line).substr(0, line.size() - 2));
    }
    loaded.lists = records.Lists();
  }

  ExportResult ExportTo(const fs::path& folder) {
    PortableLoadControl control;
    loaded.processedCount = 0;
    ExportRequest request{folder.u16string(), u"Contacts (4000)", true, CountTickedForRecover(loaded)};
    return ExportContacts(request, loaded, control);
  }
};

fs::path FileIn(const fs::path& folder) { return folder / "Contacts (4000)" / "contacts.txt"; }

TEST(ExportFaults, DiskFillingDuringTheExportKeepsWhatWasWritten) {
  test::TempFolder reference;
  ManyContacts phone(2000);
  ASSERT_EQ(phone.ExportTo(reference.path()).status, ExportStatus::Written);
  const std::string whole = test::ReadBytes(FileIn(reference.path()));
  ASSERT_GT(whole.size(), 128u * 1024);

  test::TempFolder mountPoint;
  ScratchMount disk(mountPoint.path(), "size=64k");
  if (!disk.mounted()) GTEST_SKIP() << "cannot mount a small file system here; /dev/full covers the write path";

  const ExportResult result = phone.ExportTo(mountPoint.path());
  EXPECT_EQ(result.status, ExportStatus::WriteFailed);
  EXPECT_EQ(result.result, -2);
  EXPECT_LT(phone.loaded.processedCount, 4000);
  const std::string kept = test::ReadBytes(FileIn(mountPoint.path()));
  EXPECT_GT(kept.size(), 32u * 1024) << "lines before the disk filled are kept";
  EXPECT_EQ(kept, whole.substr(0, kept.size())) << "what is on disk is the start of the full file";
}

TEST(ExportFaults, ReadOnlyFolderFailsWithoutTouchingIt) {
  test::TempFolder mountPoint;
  ScratchMount disk(mountPoint.path(), "size=64k");
  if (!disk.mounted()) GTEST_SKIP() << "cannot mount a file system here";
  fs::create_directories(mountPoint.path() / "earlier");
  std::ofstream(mountPoint.path() / "earlier" / "contacts.txt") << "kept";
  ASSERT_TRUE(disk.MakeReadOnly());

  ManyContacts phone(3);
  const ExportResult result = phone.ExportTo(mountPoint.path());
  EXPECT_EQ(result.status, ExportStatus::WriteFailed);
  EXPECT_EQ(phone.loaded.processedCount, 0);
  EXPECT_FALSE(fs::exists(mountPoint.path() / "Contacts (4000)"));
  EXPECT_EQ(test::ReadBytes(mountPoint.path() / "earlier" / "contacts.txt"), "kept");
}

}  // namespace
}  // namespace cdv
