// What the list rows and the contact card show for the loaded records.
#include <gtest/gtest.h>

#include "contacts/card_content.h"
#include "contacts/list_rows.h"
#include "record_lists_fixture.h"

namespace cdv {
namespace {

using test::kEmail;
using test::kName;
using test::kOrganization;
using test::kPhone;

class ViewData : public ::testing::Test {
 protected:
  void SetUp() override { records.WithAndroidMimeTypes(); }
  void Finish() { loaded.lists = records.Lists(); }

  test::RecordLists records;
  LoadedContacts loaded;
};

TEST_F(ViewData, DeletedRowsFirstThenLiveRowsWithFirstValues) {
  ContactRecord& ann = records.Contact(7, "Ann Lee", 40);
  ContactRecord& byPhone = records.Contact(8, "+1 555 0100", 20);
  records.Data(7, kName, "Ann Lee");
  records.Data(7, kPhone, "", "2");          // empty: the next phone row fills the column
  records.Data(7, kPhone, "555-1", "2");
  records.Data(7, kPhone, "555-2", "1");
  records.Data(7, kOrganization, "Acme");
  records.Data(7, kEmail, "ann@acme.example", "2");
  records.Data(7, 99, "no mimetype record");
  records.Data(8, kPhone, "+1 555 0100", "2");
  SetTicked(byPhone, false);
  Finish();
  loaded.carvedText = "Bob\t777\r\nno tab\r\nN/A\t888\r\n";
  loaded.carved.Append("Bob\t777");
  loaded.carved.Append("no tab");
  SetTicked(*loaded.carved.Append("N/A\t888"), false);

  const std::vector<ListRow> rows = BuildListRows(loaded);
  ASSERT_EQ(rows.size(), 4u);
  EXPECT_EQ(rows[0].name, u"Bob");
  EXPECT_EQ(rows[0].phone, u"777");
  EXPECT_TRUE(rows[0].checked);
  EXPECT_EQ(rows[0].record, loaded.carved[0]);
  EXPECT_EQ(rows[1].name, u"N/A");
  EXPECT_FALSE(rows[1].checked);
  EXPECT_EQ(rows[2].name, u"Ann Lee");
  EXPECT_EQ(rows[2].phone, u"555-1");
  EXPECT_EQ(rows[2].company, u"Acme");
  EXPECT_EQ(rows[2].email, u"ann@acme.example");
  EXPECT_FALSE(rows[2].checked);  // the fixture's records start unticked
  EXPECT_EQ(rows[2].record, &ann);
  EXPECT_EQ(rows[3].name, u"+1 555 0100");  // the list ignores the name's source
  EXPECT_EQ(rows[3].record, &byPhone);
}

TEST_F(ViewData, CarvedRecordsNeedCarvedText) {
  records.Contact(1, "Ann");
  Finish();
  loaded.carved.Append("Bob\t777");  // stale records without text are not shown
  EXPECT_EQ(BuildListRows(loaded).size(), 1u);
}

TEST_F(ViewData, CardOfALiveContact) {
  ContactRecord& ann = records.Contact(7, "Ann Lee", 40);
  records.Data(7, kOrganization, "Acme", nullptr).data5 = records.Keep("Sales");
  DataRecord& second = records.Data(7, kOrganization, "Other Co");
  second.data5 = records.Keep("Ignored");
  second.data6 = records.Keep("Builds things");
  records.Data(7, kPhone, "555-1", "2");
  records.Data(7, kPhone, "555-9", "12");
  records.Data(7, kEmail, "ann@home.example", "1");
  records.Data(7, kEmail, "ann@x.example", "7");
  records.Data(8, kPhone, "not hers", "2");
  Finish();

  const CardContent card = BuildCardContent(ann, loaded.lists.data, loaded.lists.mimeTypes);
  EXPECT_EQ(card.name, u"Ann Lee");
  EXPECT_EQ(card.organization[0], u"Acme");
  EXPECT_EQ(card.organization[1], u"Sales");
  EXPECT_EQ(card.organization[2], u"Builds things");
  ASSERT_EQ(card.lines.size(), 4u);
  EXPECT_EQ(card.lines[0].label, u"Mobile");
  EXPECT_EQ(card.lines[0].value, u"555-1");
  EXPECT_EQ(card.lines[1].label, u"");
  EXPECT_EQ(card.lines[2].label, u"Home Email");
  EXPECT_EQ(card.lines[3].label, u"Email");
}

TEST_F(ViewData, CardUsesTheLastMimeTypeRecordAndNoNameRule) {
  ContactRecord& c = records.Contact(3, "+1 555", 20);
  records.MimeType(kPhone, kEmailMimeType);  // a second record for id 5: the card takes it
  records.Data(3, kPhone, "x@y.z", "2");
  Finish();
  const CardContent card = BuildCardContent(c, loaded.lists.data, loaded.lists.mimeTypes);
  EXPECT_EQ(card.name, u"No Name");
  ASSERT_EQ(card.lines.size(), 1u);
  EXPECT_EQ(card.lines[0].label, u"Work Email");
}

TEST_F(ViewData, CardOfACarvedRecord) {
  Finish();
  const CardContent card = BuildCardContent(*loaded.carved.Append("Bob\t777\t8"), nullptr, nullptr);
  EXPECT_EQ(card.name, u"Bob");
  ASSERT_EQ(card.lines.size(), 1u);
  EXPECT_EQ(card.lines[0].label, u"Mobile:");
  EXPECT_EQ(card.lines[0].value, u"777\t8");

  const CardContent empty = BuildCardContent(*loaded.carved.Append("no tab"), nullptr, nullptr);
  EXPECT_EQ(empty.name, u"");
  EXPECT_TRUE(empty.lines.empty());
}

}  // namespace
}  // namespace cdv
