// cardivane-cli list and export on generated phones, against the generator's
// ground truth: names and values in many scripts come out intact.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <map>

#include "../siftdb/generated_truth.h"
#include "temp_folder.h"

namespace cdv {
namespace {

std::string Run(const std::string& command) {
  std::string out;
  if (FILE* pipe = popen(command.c_str(), "r")) {
    char buffer[4096];
    size_t n;
    while ((n = fread(buffer, 1, sizeof buffer, pipe)) > 0) out.append(buffer, n);
    pclose(pipe);
  }
  return out;
}

std::string Cli(const std::string& args) { return Run("'" CARDIVANE_CLI "' " + args); }

std::vector<std::string> CarvedLines(const std::string& text) {
  std::vector<std::string> lines;
  for (size_t start = 0, end; (end = text.find("\r\n", start)) != std::string::npos; start = end + 2) {
    lines.push_back(text.substr(start, end - start));
  }
  return lines;
}

struct TruthContact {
  int id = 0;
  std::string name;
  int source = 0;
  std::vector<std::vector<std::string>> rows;  // mimetype, data1, data2
};

std::vector<TruthContact> LiveContacts(const std::filesystem::path& db) {
  std::map<int, TruthContact> byId;
  for (const auto& f : test::ReadTruth(db.string() + ".live.tsv")) {
    TruthContact& c = byId[std::stoi(f.at(0))];
    c.id = std::stoi(f.at(0));
    c.name = f.at(1);
    c.source = std::stoi(f.at(2));
    c.rows.push_back({f.at(4), f.at(5), f.at(6)});
  }
  std::vector<TruthContact> out;
  for (auto& entry : byId) out.push_back(entry.second);
  return out;
}

const char kPhone[] = "vnd.android.cursor.item/phone_v2";
const char kEmail[] = "vnd.android.cursor.item/email_v2";
const char kOrganization[] = "vnd.android.cursor.item/organization";

std::string ExpectedList(const std::vector<std::string>& carved, const std::vector<TruthContact>& live) {
  std::string out;
  for (const std::string& line : carved) {
    const size_t tab = line.find('\t');
    if (tab != std::string::npos) out += line.substr(0, tab) + "\t" + line.substr(tab + 1) + "\t\t\n";
  }
  for (const TruthContact& c : live) {
    auto first = [&](const char* mimetype) {
      for (const auto& r : c.rows) {
        if (r[0] == mimetype && !r[1].empty()) return r[1];
      }
      return std::string();
    };
    out += c.name + "\t" + first(kPhone) + "\t" + first(kOrganization) + "\t" + first(kEmail) + "\n";
  }
  return out;
}

// The export file as UTF-8 text (converted from UTF-16 below).
std::string ExpectedExport(const std::vector<std::string>& carved, const std::vector<TruthContact>& live) {
  static const std::map<int, std::string> kPhoneLabels = {
      {1, "Home"},        {2, "Mobile"},      {3, "Work"},        {4, "WorkFax"},   {5, "HomeFax"},
      {6, "Pager"},       {7, "Other"},       {10, "CompanyMain"}, {11, "ISDN"},    {13, "OtherFax"},
      {14, "Radio"},      {15, "Telex"},      {16, "TTY_TTD"},    {17, "WorkMobile"}, {18, "WorkPager"},
      {19, "Assistant"},  {20, "MMS"}};
  static const std::map<int, std::string> kEmailLabels = {
      {1, "Home Email"}, {2, "Work Email"}, {3, "Other Email"}, {4, "Mobile Email"}};
  auto label = [](const std::map<int, std::string>& table, const std::string& code) {
    const auto it = table.find(code.empty() ? 0 : std::atoi(code.c_str()));
    return it == table.end() ? std::string() : it->second;
  };
  std::string out = "Contacts:\r\n";
  int noName = 0;
  for (const TruthContact& c : live) {
    const std::string name = c.source == 40 ? c.name : "No Name" + std::to_string(noName++);
    for (const auto& r : c.rows) {
      std::string l;
      if (r[0] == kPhone) l = label(kPhoneLabels, r[2]);
      else if (r[0] == kEmail) l = label(kEmailLabels, r[2]);
      else if (r[0] == kOrganization) l = "Company";
      else continue;
      out += name + "(" + l + ") : " + r[1] + "\r\n";
    }
  }
  if (!carved.empty()) {
    out += std::string(66, '-') + "\r\nDeleted:\r\n";
    for (const std::string& line : carved) {
      const size_t tab = line.find('\t');
      if (tab != std::string::npos) out += line.substr(0, tab) + " : " + line.substr(tab + 1) + "\r\n";
    }
  }
  return out;
}

// UTF-16 LE with its byte-order mark to UTF-8; anything else gives "(bad)".
std::string DecodeExport(const std::string& bytes) {
  if (bytes.size() < 2 || bytes.size() % 2 != 0 || bytes.compare(0, 2, "\xFF\xFE") != 0) return "(bad)";
  std::string out;
  for (size_t i = 2; i < bytes.size(); i += 2) {
    char32_t cp = static_cast<unsigned char>(bytes[i]) | static_cast<unsigned char>(bytes[i + 1]) << 8;
    if (cp == 0xFEFF) return "(second byte-order mark)";
    if (cp >= 0xD800 && cp <= 0xDBFF && i + 3 < bytes.size()) {
      const char32_t low = static_cast<unsigned char>(bytes[i + 2]) | static_cast<unsigned char>(bytes[i + 3]) << 8;
      cp = 0x10000 + ((cp - 0xD800) << 10) + (low - 0xDC00);
      i += 2;
    }
    if (cp < 0x80) {
      out += static_cast<char>(cp);
    } else if (cp < 0x800) {
      out += static_cast<char>(0xC0 | cp >> 6);
      out += static_cast<char>(0x80 | (cp & 0x3F));
    } else if (cp < 0x10000) {
      out += static_cast<char>(0xE0 | cp >> 12);
      out += static_cast<char>(0x80 | (cp >> 6 & 0x3F));
      out += static_cast<char>(0x80 | (cp & 0x3F));
    } else {
      out += static_cast<char>(0xF0 | cp >> 18);
      out += static_cast<char>(0x80 | (cp >> 12 & 0x3F));
      out += static_cast<char>(0x80 | (cp >> 6 & 0x3F));
      out += static_cast<char>(0x80 | (cp & 0x3F));
    }
  }
  return out;
}

struct Phone {
  const char* layout;
  int contacts;
  const char* options;
};

class CliOnGeneratedPhones : public ::testing::TestWithParam<Phone> {};

TEST_P(CliOnGeneratedPhones, ListAndExportMatchTheGroundTruth) {
  const Phone& phone = GetParam();
  test::TempFolder folder;
  const auto db = folder.path() / "contacts2.db";
  ASSERT_TRUE(test::GenerateContactsDb(db, phone.contacts, phone.layout, 11, phone.options));
  const std::vector<std::string> carved = CarvedLines(Cli("carve '" + db.string() + "'"));
  const std::vector<TruthContact> live = LiveContacts(db);

  EXPECT_EQ(Cli("list '" + db.string() + "'"), ExpectedList(carved, live));

  std::string printed = Cli("export '" + db.string() + "' '" + folder.path().string() + "'");
  ASSERT_FALSE(printed.empty());
  printed.pop_back();  // its line feed
  const std::filesystem::path file(printed);
  EXPECT_EQ(file.parent_path().filename().string(),
            "Contacts (" + std::to_string(carved.size() + live.size()) + ")");
  EXPECT_EQ(file.parent_path().parent_path().parent_path(), folder.path());
  EXPECT_EQ(DecodeExport(test::ReadBytes(file)), ExpectedExport(carved, live));
}

INSTANTIATE_TEST_SUITE_P(
    Layouts, CliOnGeneratedPhones,
    ::testing::Values(Phone{"modern", 120, "--deleted-share 0.3 --journal wal"},
                      Phone{"kitkat", 120, "--deleted-share 0.3 --auto-vacuum none"},
                      Phone{"upgraded", 120, "--deleted-share 0.3 --flagged 3 --removed-numbers 4"}));

// Every contact deleted: the reader finds none, the carved rows are all there is.
TEST(CliOnGeneratedPhones, EveryContactDeleted) {
  test::TempFolder folder;
  const auto db = folder.path() / "contacts2.db";
  ASSERT_TRUE(test::GenerateContactsDb(db, 3, "modern", 5, "--all-deleted --flagged 0 --auto-vacuum none"));
  const std::vector<std::string> carved = CarvedLines(Cli("carve '" + db.string() + "'"));
  ASSERT_FALSE(carved.empty());
  EXPECT_EQ(Cli("list '" + db.string() + "'"), ExpectedList(carved, {}));
  std::string printed = Cli("export '" + db.string() + "' '" + folder.path().string() + "'");
  ASSERT_FALSE(printed.empty());
  printed.pop_back();
  EXPECT_EQ(DecodeExport(test::ReadBytes(printed)), ExpectedExport(carved, {}));
}

TEST(CliArguments, BadInputsGetAClearAnswer) {
  test::TempFolder folder;
  EXPECT_EQ(Cli("list '" + (folder.path() / "absent.db").string() + "' 2>&1"),
            "cardivane-cli: " + (folder.path() / "absent.db").string() + ": no such file\n");
  EXPECT_EQ(Cli("export x '" + (folder.path() / "absent").string() + "' 2>&1"),
            "cardivane-cli: " + (folder.path() / "absent").string() + ": no such folder\n");
  const auto empty = folder.Touch("empty.db");
  EXPECT_EQ(Cli("list '" + empty.string() + "'"), "");
  EXPECT_EQ(Cli("export '" + empty.string() + "' '" + folder.path().string() + "' 2>&1"),
            "cardivane-cli: " + empty.string() + ": no contacts to recover\n");
  EXPECT_NE(system(("'" CARDIVANE_CLI "' list >/dev/null 2>&1")), 0);
}

}  // namespace
}  // namespace cdv
