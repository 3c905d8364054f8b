// Recover to disk, compared byte for byte. Natively the portable writer makes
// the bytes; under Wine the runtime library's UTF-16 text mode does.
#include <gtest/gtest.h>

#include <filesystem>
#include <vector>

#include "contacts/contacts_export.h"
#include "contacts/export_paths.h"
#include "contacts/pause_gate.h"
#include "record_lists_fixture.h"
#include "temp_folder.h"

namespace cdv {
namespace {

using test::kEmail;
using test::kName;
using test::kOrganization;
using test::kPhone;

// The file format, written out independently of the code under test.
std::string FileBytes(const std::vector<std::u16string>& lines) {
  std::string out = "\xFF\xFE";
  for (const std::u16string& line : lines) {
    for (char16_t u : line + u"\r\n") {
      out.push_back(static_cast<char>(u & 0xFF));
      out.push_back(static_cast<char>(u >> 8));
    }
  }
  return out;
}

const std::u16string kDashes(66, u'-');

class CountingControl : public PortableLoadControl {
 public:
  void SetProgress(int percent) override { steps.push_back(percent); }
  std::vector<int> steps;
};

class Export : public ::testing::Test {
 protected:
  void SetUp() override { records.WithAndroidMimeTypes(); }

  ContactRecord& Ticked(int id, const char* name, int source = 40) {
    ContactRecord& c = records.Contact(id, name, source);
    c.ticked = 1;
    return c;
  }

  ExportResult Run(const std::u16string& label = u"Contacts (2)", bool everyRecordTicked = true) {
    loaded.lists = records.Lists();
    loaded.processedCount = 0;
    ExportRequest request;
    request.exportFolder = folder.u16();
    request.contactsLabel = label;
    request.everyRecordTicked = everyRecordTicked;
    request.selectedCount = CountTickedForRecover(loaded);
    return ExportContacts(request, loaded, control);
  }

  std::filesystem::path File(const std::string& label = "Contacts (2)") const {
    return folder.path() / label / "contacts.txt";
  }

  test::TempFolder folder;
  test::RecordLists records;
  LoadedContacts loaded;
  CountingControl control;
};

TEST_F(Export, TwoContactsWithMobileNumbers) {
  Ticked(10, "Ann Lee", 40);
  Ticked(11, "+1 555 0100", 20);
  records.Data(10, kName, "Ann Lee");
  records.Data(10, kPhone, "555-0101", "2");
  records.Data(11, kPhone, "+1 555 0100", "2");

  const ExportResult result = Run();
  EXPECT_EQ(result.result, 2);
  EXPECT_EQ(result.status, ExportStatus::Written);
  EXPECT_EQ(result.filePath, File().u16string());
  EXPECT_EQ(test::ReadBytes(File()),
            FileBytes({u"Contacts:", u"Ann Lee(Mobile) : 555-0101", u"No Name0(Mobile) : +1 555 0100"}));
  EXPECT_EQ(control.steps, (std::vector<int>{50, 100}));
  EXPECT_EQ(loaded.processedCount, 2);
}

TEST_F(Export, TheFormatItself) {
  Ticked(1, "A");
  records.Data(1, kPhone, "1", "2");
  Run();
  const std::string expected(
      "\xFF\xFE"
      "C\0o\0n\0t\0a\0c\0t\0s\0:\0\r\0\n\0"
      "A\0(\0M\0o\0b\0i\0l\0e\0)\0 \0:\0 \0001\0\r\0\n\0",
      2 + 2 * 11 + 2 * 15);
  EXPECT_EQ(test::ReadBytes(File()), expected);
}

TEST_F(Export, LabelsOfEachKindOfRow) {
  Ticked(1, "Ann");
  records.Data(1, kPhone, "555-9", "12");       // MAIN: no label
  records.Data(1, kPhone, "555-8", " +20x");    // read as 20
  records.Data(1, kPhone, nullptr, nullptr);    // null value and code
  records.Data(1, kEmail, "a@home.example", "1");
  records.Data(1, kEmail, "a@x.example", "7");  // unknown code: "()"
  records.Data(1, kOrganization, "Acme", "1");
  records.Data(1, 42, "no mimetype record", "2");
  records.Data(1, kName, "Ann");
  Run(u"Contacts (1)");
  EXPECT_EQ(test::ReadBytes(File("Contacts (1)")),
            FileBytes({u"Contacts:", u"Ann() : 555-9", u"Ann(MMS) : 555-8", u"Ann() : ",
                       u"Ann(Home Email) : a@home.example", u"Ann() : a@x.example", u"Ann(Company) : Acme"}));
}

TEST_F(Export, NamesInManyScriptsAreWidenedFromTheNarrowCodePage) {
  Ticked(1, "\xE5\x91\xA8\xE8\x8A\xB3");            // 周芳
  records.Data(1, kPhone, "\xF0\x9F\xA7\x98 1", "2");  // an emoji outside the BMP
  Run(u"Contacts (1)");
  EXPECT_EQ(test::ReadBytes(File("Contacts (1)")),
            FileBytes({u"Contacts:", u"\u5468\u82B3(Mobile) : \U0001F9D8 1"}));
}

TEST_F(Export, ContactWithoutDataWritesNothingButCounts) {
  Ticked(1, "Ann");
  Ticked(2, "Empty");
  ContactRecord& skipped = records.Contact(3, "Unticked");
  skipped.ticked = 0;
  records.Data(1, kPhone, "555", "2");
  records.Data(3, kPhone, "777", "2");
  const ExportResult result = Run(u"Contacts (3)", false);
  EXPECT_EQ(result.result, 2);
  EXPECT_EQ(test::ReadBytes(File("Contacts (2)")), FileBytes({u"Contacts:", u"Ann(Mobile) : 555"}));
  EXPECT_EQ(control.steps, (std::vector<int>{50, 100}));
}

TEST_F(Export, CarvedRecordsFollowTheDashLine) {
  Ticked(1, "Ann");
  records.Data(1, kPhone, "555", "2");
  loaded.carvedText = "Bob\t777\r\nno tab\r\nN/A\t888\r\nunticked\t1\r\n";
  loaded.carved.Append("Bob\t777");
  loaded.carved.Append("no tab");
  loaded.carved.Append("N/A\t888");
  loaded.carved.Append("unticked\t1")->ticked = 0;
  const ExportResult result = Run(u"Contacts (5)", false);
  EXPECT_EQ(result.result, 4);
  EXPECT_EQ(test::ReadBytes(File("Contacts (4)")),
            FileBytes({u"Contacts:", u"Ann(Mobile) : 555", kDashes, u"Deleted:", u"Bob : 777", u"N/A : 888"}));
  EXPECT_EQ(loaded.processedCount, 4);  // the line without a TAB counts too
}

TEST_F(Export, CarvedButNoneTicked) {
  Ticked(1, "Ann");
  records.Data(1, kPhone, "555", "2");
  loaded.carvedText = "Bob\t777\r\n";
  loaded.carved.Append("Bob\t777")->ticked = 0;
  Run(u"Contacts (2)", false);
  EXPECT_EQ(test::ReadBytes(File("Contacts (1)")),
            FileBytes({u"Contacts:", u"Ann(Mobile) : 555", kDashes, u"Deleted:"}));
}

TEST_F(Export, OnlyCarvedRecords) {
  loaded.carvedText = "Bob\t777\r\n";
  loaded.carved.Append("Bob\t777");
  EXPECT_EQ(Run(u"Contacts (1)").result, 1);
  EXPECT_EQ(test::ReadBytes(File("Contacts (1)")), FileBytes({u"Contacts:", kDashes, u"Deleted:", u"Bob : 777"}));
}

TEST_F(Export, NothingTickedWritesNothing) {
  records.Contact(1, "Ann");
  records.Data(1, kPhone, "555", "2");
  const ExportResult result = Run(u"Contacts (1)");
  EXPECT_EQ(result.result, 0);
  EXPECT_EQ(result.status, ExportStatus::NothingTicked);
  EXPECT_TRUE(std::filesystem::is_empty(folder.path()));
}

TEST_F(Export, SecondRecoverInTheSameSecondAppendsWithoutASecondMark) {
  Ticked(1, "Ann");
  records.Data(1, kPhone, "555", "2");
  Run(u"Contacts (1)");
  Run(u"Contacts (1)");
  EXPECT_EQ(test::ReadBytes(File("Contacts (1)")),
            FileBytes({u"Contacts:", u"Ann(Mobile) : 555", u"Contacts:", u"Ann(Mobile) : 555"}));
}

TEST_F(Export, StopDuringLiveContactsKeepsWhatWasWritten) {
  Ticked(1, "Ann");
  Ticked(2, "Bob");
  records.Data(1, kPhone, "555", "2");
  records.Data(2, kPhone, "777", "2");
  loaded.carvedText = "C\t9\r\n";
  loaded.carved.Append("C\t9");
  struct StopAfterFirst : CountingControl {
    void SetProgress(int percent) override {
      CountingControl::SetProgress(percent);
      Stop();
    }
  } stopping;
  loaded.lists = records.Lists();
  ExportRequest request{folder.u16(), u"Contacts (3)", true, 3};
  const ExportResult result = ExportContacts(request, loaded, stopping);
  EXPECT_EQ(result.result, -1);
  EXPECT_EQ(result.status, ExportStatus::Stopped);
  EXPECT_EQ(test::ReadBytes(File("Contacts (3)")), FileBytes({u"Contacts:", u"Ann(Mobile) : 555"}));
}

TEST_F(Export, FolderThatCannotBeCreated) {
  Ticked(1, "Ann");
  records.Data(1, kPhone, "555", "2");
  loaded.lists = records.Lists();
  ExportRequest request{(folder.path() / "missing" / "deeper").u16string(), u"Contacts (1)", true, 1};
  const ExportResult result = ExportContacts(request, loaded, control);
  EXPECT_EQ(result.status, ExportStatus::WriteFailed);
  EXPECT_EQ(result.result, -2);
  EXPECT_EQ(loaded.processedCount, 0);
  EXPECT_FALSE(std::filesystem::exists(folder.path() / "missing"));
}

TEST_F(Export, FileThatCannotBeCreatedLeavesEarlierExportsAlone) {
  Ticked(1, "Ann");
  records.Data(1, kPhone, "555", "2");
  Run(u"Contacts (1)");
  const std::string before = test::ReadBytes(File("Contacts (1)"));
  std::filesystem::create_directories(folder.path() / "Contacts (1)" / "blocked");

  // A folder standing where the file should go.
  std::filesystem::create_directories(folder.path() / "Other (1)" / "contacts.txt");
  const ExportResult result = Run(u"Other (1)");
  EXPECT_EQ(result.status, ExportStatus::WriteFailed);
  EXPECT_EQ(test::ReadBytes(File("Contacts (1)")), before);
}

#if !defined(_WIN32)
TEST_F(Export, FullDiskIsReportedNotHidden) {
  Ticked(1, "Ann");
  records.Data(1, kPhone, "555", "2");
  std::filesystem::create_directories(folder.path() / "Contacts (1)");
  std::filesystem::create_symlink("/dev/full", File("Contacts (1)"));
  EXPECT_EQ(Run(u"Contacts (1)").status, ExportStatus::WriteFailed);
}
#endif

TEST(ExportPaths, FolderNamesAndLabels) {
  std::tm t{};
  t.tm_year = 2013 - 1900;
  t.tm_mon = 10;
  t.tm_mday = 18;
  t.tm_hour = 14;
  t.tm_min = 5;
  t.tm_sec = 9;
  EXPECT_EQ(RecoverFolderName(t), u"Cardivane20131118140509");

  EXPECT_EQ(ExportLabel(u"Contacts (120)", true, 7), u"Contacts (120)");
  EXPECT_EQ(ExportLabel(u"Contacts (120)", false, 119), u"Contacts (119)");
  EXPECT_EQ(ExportLabel(u"Contacts (120)", false, 7), u"Contacts (7)");
  EXPECT_EQ(ExportLabel(u"Contacts", false, 7), u"Contacts(7)");

  test::TempFolder folder;
  const std::u16string made = CreateRecoverFolder(folder.u16(), t);
  EXPECT_EQ(std::filesystem::path(made), folder.path() / "Cardivane20131118140509");
  EXPECT_TRUE(std::filesystem::is_directory(std::filesystem::path(made)));
}

}  // namespace
}  // namespace cdv
