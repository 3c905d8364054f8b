// Label tables, type-code reading, mimetype lookup, carved-line split and the
// display-name rules.
#include <gtest/gtest.h>

#include <climits>

#include "contacts/carved_records.h"
#include "contacts/display_names.h"
#include "contacts/list_walk.h"
#include "contacts/mime_types.h"
#include "contacts/type_labels.h"
#include "record_lists_fixture.h"

namespace cdv {
namespace {

TEST(TypeCode, ReadsLikeAndroidStoresIt) {
  struct Case {
    const char* text;
    int code;
  } cases[] = {
      {nullptr, 0}, {"", 0},     {"2", 2},     {" \t\n2", 2},   {"+17", 17},        {"-3", -3},
      {"12abc", 12}, {"abc", 0}, {"-", 0},     {"2 3", 2},      {"99999999999", INT_MAX},
      {"-99999999999", INT_MIN}, {"0020", 20},
  };
  for (const Case& c : cases) EXPECT_EQ(ReadTypeCode(c.text), c.code) << (c.text ? c.text : "(null)");
}

TEST(TypeLabels, PhoneAndEmailTables) {
  EXPECT_EQ(std::u16string(PhoneTypeLabel(1)), u"Home");
  EXPECT_EQ(std::u16string(PhoneTypeLabel(2)), u"Mobile");
  EXPECT_EQ(std::u16string(PhoneTypeLabel(10)), u"CompanyMain");
  EXPECT_EQ(std::u16string(PhoneTypeLabel(16)), u"TTY_TTD");
  EXPECT_EQ(std::u16string(PhoneTypeLabel(20)), u"MMS");
  for (int code : {0, 8, 9, 12, 21, -1, INT_MAX, INT_MIN}) {
    EXPECT_EQ(std::u16string(PhoneTypeLabel(code)), u"") << code;
  }
  EXPECT_EQ(std::u16string(EmailTypeLabel(1)), u"Home Email");
  EXPECT_EQ(std::u16string(EmailTypeLabel(4)), u"Mobile Email");
  for (int code : {0, 5, 7, -1}) EXPECT_EQ(std::u16string(EmailTypeLabel(code)), u"") << code;
}

TEST(MimeTypes, FirstMatchForListAndExportLastForCard) {
  test::RecordLists lists;
  lists.MimeType(3, kPhoneMimeType);
  lists.MimeType(3, kEmailMimeType);
  lists.MimeType(4, "vnd.android.cursor.item/Phone_v2");  // case matters
  DataRecord& phone = lists.Data(1, 3, "555");
  DataRecord& unknown = lists.Data(1, 9, "x");
  DataRecord& cased = lists.Data(1, 4, "y");
  const ReaderLists l = lists.Lists();

  EXPECT_STREQ(FindMimeType(phone, l.mimeTypes), kPhoneMimeType);
  EXPECT_STREQ(FindLastMimeType(phone, l.mimeTypes), kEmailMimeType);
  EXPECT_EQ(FindMimeType(unknown, l.mimeTypes), nullptr);
  EXPECT_EQ(KindOfMimeType(FindMimeType(cased, l.mimeTypes)), RowKind::Other);

  const MimeTypeIndex index(l.mimeTypes);
  EXPECT_EQ(index.KindOf(phone), RowKind::Phone);
  EXPECT_EQ(index.KindOf(unknown), RowKind::Other);
  EXPECT_EQ(index.KindOf(cased), RowKind::Other);
}

TEST(CarvedLine, SplitsAtTheFirstTab) {
  struct Case {
    const char* line;
    bool split;
    const char* name;
    const char* number;
  } cases[] = {
      {"N/A\t5550123", true, "N/A", "5550123"},
      {"Ann\tN/A", true, "Ann", "N/A"},
      {"Ann\t555\t777", true, "Ann", "555\t777"},
      {"\t", true, "", ""},
      {"Ann only", false, "", ""},
      {"", false, "", ""},
      {nullptr, false, "", ""},
  };
  for (const Case& c : cases) {
    const auto parts = SplitCarvedLine(c.line);
    ASSERT_EQ(parts.has_value(), c.split) << (c.line ? c.line : "(null)");
    if (!parts) continue;
    EXPECT_EQ(parts->name, c.name);
    EXPECT_EQ(parts->number, c.number);
  }
}

TEST(CarvedLine, LinesEndWithCrLfOnly) {
  EXPECT_EQ(CountCarvedLines(""), 0u);
  EXPECT_EQ(CountCarvedLines("a\tb\r\nc\td\r\n"), 2u);
  EXPECT_EQ(CountCarvedLines("a\tb\r\nc\td"), 1u);        // trailing piece
  EXPECT_EQ(CountCarvedLines("a\nb\rc\r\r\n\r\n"), 2u);  // lone CR and LF do not end lines
  std::vector<std::string> lines;
  ForEachCarvedLine("x\ty\r\n\r\nz\r\nrest", [&](std::string_view l) { lines.emplace_back(l); });
  EXPECT_EQ(lines, (std::vector<std::string>{"x\ty", "", "z"}));
}

TEST(CarvedRecords, OneTickedDeletedRecordPerLineNumberedFromZero) {
  CarvedRecords carved;
  carved.Append("Ann\t555");
  ContactRecord* second = carved.Append(std::string_view("Bob\t777xx", 7));
  ASSERT_EQ(carved.size(), 2u);
  EXPECT_EQ(carved[0]->id, 0);
  EXPECT_EQ(second->id, 1);
  EXPECT_STREQ(second->name, "Bob\t777");
  EXPECT_EQ(second->ticked, 1);
  EXPECT_EQ(second->deleted, 1);
  EXPECT_EQ(second->next, nullptr);
}

TEST(DisplayNames, EachConsumerHasItsRule) {
  test::RecordLists lists;
  ContactRecord& structured = lists.Contact(1, "Ann Lee", 40);
  ContactRecord& byPhone = lists.Contact(2, "+1 555 0100", 20);
  ContactRecord& byMail = lists.Contact(3, "a@b.c", 10);
  ContactRecord& nameless = lists.Contact(4, nullptr, 0);

  EXPECT_EQ(ListName(byPhone), u"+1 555 0100");
  EXPECT_EQ(ListName(nameless), u"");
  EXPECT_EQ(CardName(structured), u"Ann Lee");
  EXPECT_EQ(CardName(byPhone), u"No Name");

  ExportNamer namer;
  EXPECT_EQ(namer.NameOf(byPhone), u"No Name0");
  EXPECT_EQ(namer.NameOf(structured), u"Ann Lee");
  EXPECT_EQ(namer.NameOf(byMail), u"No Name1");
  EXPECT_EQ(namer.NameOf(nameless), u"No Name2");
  EXPECT_EQ(ExportNamer().NameOf(byMail), u"No Name0");  // each export counts from 0
}

TEST(ListWalk, EndsOnALoopedList) {
  MimeTypeRecord r[4] = {};
  for (int i = 0; i < 4; ++i) {
    r[i].id = i;
    r[i].next = &r[(i + 1) % 4];  // 0 -> 1 -> 2 -> 3 -> 0
  }
  r[3].next = &r[1];  // 0 -> 1 -> 2 -> 3 -> 1
  size_t visits = CountRecords(&r[0]);
  EXPECT_GE(visits, 4u);
  EXPECT_LE(visits, 16u);

  DataRecord row{};
  row.mimeTypeId = 42;  // absent: the lookup must still end
  EXPECT_EQ(FindMimeType(row, &r[0]), nullptr);

  MimeTypeRecord self{};
  self.next = &self;
  EXPECT_EQ(CountRecords(&self), 1u);
  EXPECT_EQ(CountRecords<MimeTypeRecord>(nullptr), 0u);
}

}  // namespace
}  // namespace cdv
