// The counting and loading passes: totals, progress, the Contacts label,
// pause, stop, and carved lines kept when the reader finds no contact.
#include <gtest/gtest.h>

#include <chrono>
#include <future>
#include <thread>
#include <vector>

#include "contacts/loading.h"
#include "contacts/pause_gate.h"
#include "platform/codepage/codepage.h"
#include "record_lists_fixture.h"
#include "temp_folder.h"

namespace cdv {
namespace {

using namespace std::chrono_literals;

// Records each progress step; `onStep` lets a test act like the user at a
// given moment, from the worker's own thread.
class RecordingControl : public PortableLoadControl {
 public:
  void SetProgress(int percent) override {
    PortableLoadControl::SetProgress(percent);
    steps.push_back(percent);
    if (onStep) onStep(static_cast<int>(steps.size()));
  }
  std::vector<int> steps;
  std::function<void(int)> onStep;
};

class Loading : public ::testing::Test {
 protected:
  void SetUp() override { dbPath = Utf16ToAnsi(folder.Touch("contacts2.db").u16string()); }

  void AddLive(int n) {
    for (int i = 0; i < n; ++i) records.Contact(100 + i, "Live", 40);
  }

  test::TempFolder folder;
  std::string dbPath;
  test::RecordLists records;
  test::FakeReader reader{records};
  LoadedContacts loaded;
  RecordingControl control;
};

TEST_F(Loading, CountsAndLoadsLiveThenCarved) {
  AddLive(3);
  loaded.carvedText = "Ann\t555\r\nN/A\t777\r\n";

  EXPECT_EQ(LoadContacts(dbPath, reader, loaded, control), 5);
  EXPECT_EQ(loaded.totalCount, 5);
  EXPECT_EQ(loaded.processedCount, 5);
  EXPECT_EQ(control.steps, (std::vector<int>{20, 40, 60, 80, 100}));
  EXPECT_EQ(control.label(), u"Contacts (5)");
  EXPECT_TRUE(control.hasData());
  EXPECT_EQ(reader.calls, 2);
  ASSERT_EQ(loaded.carved.size(), 2u);
  EXPECT_STREQ(loaded.carved[1]->name, "N/A\t777");
  EXPECT_EQ(loaded.carved[1]->id, 1);
  for (ContactRecord* c = loaded.lists.contacts; c; c = c->next) EXPECT_EQ(c->ticked, 1);
}

TEST_F(Loading, LastLineWithoutCrLfIsNeitherCountedNorLoaded) {
  AddLive(1);
  loaded.carvedText = "Ann\t555\r\nBob\t777";
  EXPECT_EQ(LoadContacts(dbPath, reader, loaded, control), 2);
  EXPECT_EQ(loaded.totalCount, 2);
  EXPECT_EQ(loaded.carved.size(), 1u);
  EXPECT_EQ(control.label(), u"Contacts (2)");
}

TEST_F(Loading, StopAfterTwoOfTenLiveRecords) {
  AddLive(10);
  loaded.carvedText = "Ann\t555\r\n";
  control.onStep = [&](int step) {
    if (step == 2) control.Stop();
  };
  EXPECT_EQ(LoadContacts(dbPath, reader, loaded, control), -1);
  EXPECT_EQ(loaded.processedCount, 2);
  EXPECT_EQ(control.label(), u"Contacts (2)");
  EXPECT_TRUE(loaded.carved.empty());
}

TEST_F(Loading, StopBeforeAnyRecordKeepsTheBareLabel) {
  AddLive(3);
  control.Stop();
  EXPECT_EQ(LoadContacts(dbPath, reader, loaded, control), -1);
  EXPECT_EQ(control.label(), u"Contacts");
  EXPECT_FALSE(control.hasData());
}

TEST_F(Loading, PauseAndStopDoNotHoldTheCarvedPhase) {
  AddLive(1);
  loaded.carvedText = "a\t1\r\nb\t2\r\nc\t3\r\n";
  control.onStep = [&](int step) {
    if (step == 2) {  // the first carved record: pause, then stop without releasing
      control.Pause();
      control.Stop();
      control.Pause();
    }
  };
  auto done = std::async(std::launch::async, [&] { return LoadContacts(dbPath, reader, loaded, control); });
  if (done.wait_for(10s) != std::future_status::ready) {
    control.Continue();
    FAIL() << "the carved phase waited on the pause";
  }
  EXPECT_EQ(done.get(), 4);
  EXPECT_EQ(control.label(), u"Contacts (4)");
}

TEST_F(Loading, PauseBlocksTheWorkerUntilContinue) {
  AddLive(5);
  control.onStep = [&](int step) {
    if (step == 2) control.Pause();
  };
  auto done = std::async(std::launch::async, [&] { return LoadContacts(dbPath, reader, loaded, control); });
  EXPECT_EQ(done.wait_for(300ms), std::future_status::timeout);
  EXPECT_EQ(control.progress(), 40);
  control.Continue();
  ASSERT_EQ(done.wait_for(10s), std::future_status::ready);
  EXPECT_EQ(done.get(), 5);
  EXPECT_EQ(control.progress(), 100);
}

// The phone whose every contact was deleted: the reader finds none, yet the
// carved lines are what the user came for.
TEST_F(Loading, CarvedLinesLoadWhenTheReaderFindsNoContact) {
  loaded.carvedText = "Ann\t555\r\nBob\t777\r\n";
  EXPECT_EQ(LoadContacts(dbPath, reader, loaded, control), 2);
  EXPECT_EQ(loaded.totalCount, 2);
  EXPECT_EQ(loaded.carved.size(), 2u);
  EXPECT_EQ(control.label(), u"Contacts (2)");
  EXPECT_EQ(control.steps, (std::vector<int>{50, 100}));
}

TEST_F(Loading, MissingDatabaseSkipsTheReaderOnly) {
  AddLive(3);
  loaded.carvedText = "Ann\t555\r\n";
  EXPECT_EQ(LoadContacts(dbPath + ".absent", reader, loaded, control), 1);
  EXPECT_EQ(reader.calls, 0);
  EXPECT_EQ(loaded.lists.contacts, nullptr);
}

TEST_F(Loading, NothingFoundLoadsNothing) {
  EXPECT_EQ(LoadContacts(dbPath, reader, loaded, control), 0);
  EXPECT_EQ(reader.calls, 1);  // counted, not loaded
  EXPECT_EQ(control.label(), u"Contacts");
  EXPECT_FALSE(control.hasData());
}

TEST_F(Loading, TotalGrowsWithEachCountingPass) {
  AddLive(2);
  RunLoadPass(LoadPass::Count, dbPath, reader, loaded, control);
  RunLoadPass(LoadPass::Count, dbPath, reader, loaded, control);
  EXPECT_EQ(loaded.totalCount, 4);
  EXPECT_EQ(RunLoadPass(LoadPass::Load, dbPath, reader, loaded, control), 2);
  EXPECT_EQ(control.steps, (std::vector<int>{25, 50}));
}

TEST(ProgressPercent, StaysWithinTheBar) {
  EXPECT_EQ(ProgressPercent(0, 0), 0);
  EXPECT_EQ(ProgressPercent(1, 3), 33);
  EXPECT_EQ(ProgressPercent(5, 3), 100);
  EXPECT_EQ(ProgressPercent(2000000000, 2000000001), 99);
}

}  // namespace
}  // namespace cdv
