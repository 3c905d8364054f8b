// The reader against the generator's ground truth: every live data row of
// every layout, with names and values in many scripts, byte for byte.
#include <gtest/gtest.h>

#include <algorithm>
#include <unordered_map>

#include "contacts/list_walk.h"
#include "contacts/mime_types.h"
#include "generated_truth.h"
#include "platform/siftdb/siftdb_reader.h"
#include "../contacts/temp_folder.h"

namespace cdv {
namespace {

std::string Field(const char* text) { return text ? text : ""; }

class ReaderTruth : public ::testing::TestWithParam<const char*> {};

TEST_P(ReaderTruth, EveryLiveRowAsTheGeneratorWroteIt) {
  test::TempFolder folder;
  const auto db = folder.path() / "contacts2.db";
  ASSERT_TRUE(test::GenerateContactsDb(db, 150, GetParam(), 7, "--flagged 4 --removed-numbers 5"));

  const SiftDbResult read = ReadContactsDatabase(db.string());
  ASSERT_TRUE(read.opened);
  std::unordered_map<int, ContactRecord*> contacts;
  ForEachRecord(read.lists.contacts, [&](ContactRecord& c) { contacts[c.id] = &c; });

  std::vector<std::vector<std::string>> actual;
  ForEachRecord(read.lists.data, [&](DataRecord& d) {
    const auto owner = contacts.find(d.rawContactId);
    ASSERT_NE(owner, contacts.end()) << "data row " << d.dataId << " without its raw contact";
    const ContactRecord& c = *owner->second;
    actual.push_back({std::to_string(c.id), Field(c.name), std::to_string(c.nameSource),
                      std::to_string(c.flaggedDeleted), Field(FindMimeType(d, read.lists.mimeTypes)),
                      Field(d.data1), Field(d.data2), Field(d.data3), Field(d.data4)});
  });
  auto expected = test::ReadTruth(db.string() + ".live.tsv");
  ASSERT_GT(expected.size(), 150u);
  std::sort(actual.begin(), actual.end());
  std::sort(expected.begin(), expected.end());
  EXPECT_EQ(actual, expected);
}

INSTANTIATE_TEST_SUITE_P(Layouts, ReaderTruth, ::testing::Values("modern", "kitkat", "upgraded"));

TEST(ReaderTruth, EveryContactDeleted) {
  test::TempFolder folder;
  const auto db = folder.path() / "contacts2.db";
  ASSERT_TRUE(test::GenerateContactsDb(db, 40, "modern", 3, "--all-deleted --flagged 0"));
  const SiftDbResult read = ReadContactsDatabase(db.string());
  EXPECT_TRUE(read.opened);
  EXPECT_EQ(read.contactCount, 0);
  EXPECT_EQ(read.lists.contacts, nullptr);
  EXPECT_NE(read.lists.mimeTypes, nullptr);
}

}  // namespace
}  // namespace cdv
