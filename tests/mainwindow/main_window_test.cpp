// The main window's workflow under Wine: the real window and its real
// messages, a stand-in relay that copies a generated database, and the
// state the user sees (pages, buttons, tree, list, card, pixels).
#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <string>

#include "app/main_dlg.h"
#include "tests/mainwindow/expected_load.h"
#include "tests/mainwindow/main_window_driver.h"
#include "tests/mainwindow/program_folder.h"
#include "ui/controls/skin.h"

namespace {

using namespace mwtest;

constexpr int kUnticked = 1;
constexpr int kTicked = 2;

MainWindowSettings SettingsFor(const ProgramFolder& program) {
  MainWindowSettings settings;
  settings.programFolder = program.Folder();
  settings.acquisition.startDelayMs = 200;
  settings.pickFolder = [](HWND) { return std::optional<std::wstring>(); };
  return settings;
}

std::wstring ContactsLabel(int n) { return L"Contacts (" + std::to_wstring(n) + L")"; }

bool Acquiring(CMainDlg& d) { return d.m_page == 1 && d.m_loadState == -1 && d.m_hWorker != nullptr; }

bool InResults(CMainDlg& d) {
  return d.m_page == 2 && d.m_hWorker == nullptr && Visible(d.m_btnRecover) && Visible(d.m_tree) &&
         !Visible(d.m_progress);
}

Step ClickStep(std::string name, CImgButton CMainDlg::*button) {
  return WaitFor(std::move(name), [button](CMainDlg& d) { return ClickControl((d.*button).m_hWnd); });
}

// Answers the message box that is open over the window with one of its buttons.
Step AnswerBox(std::string name, int buttonId, std::wstring* text = nullptr) {
  return WaitFor(std::move(name), [buttonId, text](CMainDlg& d) {
    HWND box = OwnedPopup(d.m_hWnd);
    if (box == nullptr) return false;
    if (text != nullptr) *text = MessageBoxText(box);
    return ClickControl(::GetDlgItem(box, buttonId));
  });
}

int RedPixels(const uitest::Capture& c, int top, int bottom) {
  int n = 0;
  for (int y = top; y < bottom && y < c.height; ++y) {
    for (int x = 0; x < c.width; ++x) n += uitest::Near(c.At(x, y), uitest::Rgb(255, 0, 0), 30) ? 1 : 0;
  }
  return n;
}

class MainWindowTest : public ::testing::Test {
protected:
  void SetUp() override { SetImageFolder(TestProgramFolder() + L"image\\"); }
};

TEST_F(MainWindowTest, TheWholeRoadFromAcquiringToResults) {
  ProgramFolder program;
  program.SetPullSource(TestDatabase(L"small"));
  const ExpectedLoad expected = ExpectLoadOf(TestDatabase(L"small"));
  ASSERT_GT(expected.live, 0);
  ASSERT_GT(expected.carvedRows, 0) << "the test database should have carved rows";

  CMainDlg dlg(SettingsFor(program));
  int firstFrame = -1;
  std::wstring label;
  int rows = 0;
  int deletedFirst = 0;
  bool deletedOnlyFirst = true;
  std::wstring cardName;
  std::wstring row0Name;
  int redInFirstRow = 0;
  int redInLastRow = 0;
  bool copyWhileShown = false;
  bool idleCommandsIgnored = false;
  const RunResult run = RunMainWindow(
      dlg, {
               WaitFor("acquiring with the loading picture",
                       [&](CMainDlg& d) {
                         firstFrame = d.m_frameIndex;
                         return Acquiring(d) && d.m_frameTimerOn == 1 && !Visible(d.m_tree) &&
                                !Visible(d.m_btnRefresh);
                       }),
               WaitFor("the loading picture steps", [&](CMainDlg& d) { return d.m_frameIndex != firstFrame; }),
               WaitFor("results", InResults),
               Do("read the results",
                  [&](CMainDlg& d) {
                    label = TreeText(d, d.m_contactsItem);
                    rows = RowCount(d);
                    for (int r = 0; r < rows; ++r) {
                      const bool deleted = RowRecord(d, r) != nullptr && RowRecord(d, r)->deleted != 0;
                      if (deleted && r == deletedFirst) ++deletedFirst;
                      if (deleted && r > deletedFirst) deletedOnlyFirst = false;
                    }
                    cardName = d.m_contactCard ? std::wstring(d.m_contactCard->Name().begin(),
                                                              d.m_contactCard->Name().end())
                                               : L"(no card)";
                    row0Name = RowText(d, 0, 0);
                    uitest::Repaint(d.m_list->m_hWnd);
                    const uitest::Capture list = uitest::CaptureClient(d.m_list->m_hWnd);
                    RECT first{};
                    RECT last{};
                    d.m_list->GetItemRect(0, &first, LVIR_BOUNDS);
                    const int visibleLast = std::min(rows, 15) - 1;
                    d.m_list->GetItemRect(visibleLast, &last, LVIR_BOUNDS);
                    redInFirstRow = RedPixels(list, first.top, first.bottom);
                    redInLastRow = visibleLast >= expected.carvedRows ? RedPixels(list, last.top, last.bottom) : -1;
                    copyWhileShown = ::GetFileAttributesW(WorkingCopyFor(program.Folder()).c_str()) !=
                                     INVALID_FILE_ATTRIBUTES;
                  }),
               Do("pause and continue without a worker",
                  [](CMainDlg& d) {
                    ::PostMessageW(d.m_hWnd, WM_COMMAND, MAKEWPARAM(1006, BN_CLICKED), 0);
                    ::PostMessageW(d.m_hWnd, WM_COMMAND, MAKEWPARAM(1008, BN_CLICKED), 0);
                  }),
               Pause(200),
               Do("change nothing",
                  [&](CMainDlg& d) {
                    idleCommandsIgnored = InResults(d) && !Visible(d.m_btnPause) && !Visible(d.m_btnContinue) &&
                                          !Visible(d.m_animation->m_hWnd);
                  }),
               ClickStep("close button", &CMainDlg::m_btnClose),
           });
  EXPECT_EQ(run.failedStep, "");
  EXPECT_EQ(run.code, 1000);
  EXPECT_TRUE(idleCommandsIgnored);

  EXPECT_EQ(label, ContactsLabel(expected.Total()));
  EXPECT_EQ(rows, expected.live + expected.carvedRows);
  EXPECT_EQ(deletedFirst, expected.carvedRows);
  EXPECT_TRUE(deletedOnlyFirst) << "deleted rows come before every live row";
  EXPECT_EQ(cardName, row0Name) << "the card shows row 0";
  EXPECT_GT(redInFirstRow, 20) << "a deleted row is painted red";
  if (redInLastRow >= 0) {
    EXPECT_EQ(redInLastRow, 0) << "a live row is not";
  }
  EXPECT_TRUE(copyWhileShown);
  EXPECT_EQ(::GetFileAttributesW(WorkingCopyFor(program.Folder()).c_str()), INVALID_FILE_ATTRIBUTES)
      << "closing deletes the copy";

  // The relay ran by its quoted path; the program one blank earlier never did.
  const auto relay = program.RelayCommandLines();
  ASSERT_EQ(relay.size(), 3u);
  const std::wstring quoted = L"\"" + program.Folder() + L"\\droidgate.exe\" ";
  EXPECT_EQ(relay[0], quoted + L"shell su root chmod 777 /data/data/com.android.providers.contacts/databases/contacts2.db");
  EXPECT_EQ(relay[1], quoted + L"shell su root chmod 777 /data/data/com.android.providers.telephony/databases/mmssms.db");
  EXPECT_EQ(relay[2], quoted + L"pull /data/data/com.android.providers.contacts/databases/contacts2.db " +
                          WorkingCopyFor(program.Folder()));
  for (const std::wstring& line : program.LogLines()) {
    EXPECT_NE(line.compare(0, program.Bait().size(), program.Bait()), 0) << "started: " << std::string(line.begin(), line.end());
  }
}

// Pauses and stops the load from inside the worker's own progress reports,
// so that exactly N records have been loaded when the command arrives.
struct LoadInterrupter {
  HWND window = nullptr;
  int positions = 0;
  int pauseAt = 0;  // 0: never
  int stopAt = 0;
  bool active = false;

  static LRESULT CALLBACK Hook(HWND h, UINT msg, WPARAM w, LPARAM l, UINT_PTR, DWORD_PTR data) {
    auto* self = reinterpret_cast<LoadInterrupter*>(data);
    if (msg == PBM_SETPOS && self->active) {
      ++self->positions;
      if (self->positions == self->pauseAt) ::SendMessageW(self->window, WM_COMMAND, MAKEWPARAM(1006, BN_CLICKED), 0);
      if (self->positions == self->stopAt) ::SendMessageW(self->window, WM_COMMAND, MAKEWPARAM(1007, BN_CLICKED), 0);
    }
    return ::DefSubclassProc(h, msg, w, l);
  }
  void Arm(CMainDlg& d, int pause, int stop) {
    window = d.m_hWnd;
    positions = 0;
    pauseAt = pause;
    stopAt = stop;
    active = true;
    ::SetWindowSubclass(d.m_progress, &LoadInterrupter::Hook, 1, reinterpret_cast<DWORD_PTR>(this));
  }
  void Disarm(CMainDlg& d) {
    active = false;
    ::RemoveWindowSubclass(d.m_progress, &LoadInterrupter::Hook, 1);
  }
};

TEST_F(MainWindowTest, PauseContinueStopBackAndANewLoad) {
  ProgramFolder program;
  program.SetPullSource(TestDatabase(L"small"));
  const ExpectedLoad expected = ExpectLoadOf(TestDatabase(L"small"));
  ASSERT_GT(expected.live, 6);

  CMainDlg dlg(SettingsFor(program));
  LoadInterrupter interrupter;
  bool heldWhilePaused = false;
  std::wstring stoppedLabel;
  std::wstring labelBeforeNo;
  int rowsBeforeNo = 0;
  bool unchangedAfterNo = false;
  std::wstring backQuestion;
  std::wstring fullLabel;
  std::wstring pausedThenStoppedLabel;
  const RunResult run = RunMainWindow(
      dlg, {
               WaitFor("acquiring", [&](CMainDlg& d) {
                 if (!Acquiring(d)) return false;
                 interrupter.Arm(d, 2, 0);
                 return true;
               }),
               WaitFor("paused after two records",
                       [&](CMainDlg& d) {
                         return interrupter.positions == 2 && Visible(d.m_btnContinue) && !Visible(d.m_btnPause) &&
                                !d.m_animation->IsRunning() && Visible(d.m_animation->m_hWnd);
                       }),
               Pause(400),
               Do("still held", [&](CMainDlg& d) { heldWhilePaused = interrupter.positions == 2 && d.m_hWorker; }),
               Do("stop after five", [&](CMainDlg&) { interrupter.stopAt = 5; }),
               ClickStep("continue", &CMainDlg::m_btnContinue),
               WaitFor("results after the stop", InResults),
               Do("read", [&](CMainDlg& d) {
                 interrupter.Disarm(d);
                 stoppedLabel = TreeText(d, d.m_contactsItem);
                 labelBeforeNo = stoppedLabel;
                 rowsBeforeNo = RowCount(d);
               }),
               ClickStep("back", &CMainDlg::m_btnBack),
               AnswerBox("answer No", 1014, &backQuestion),
               Pause(300),
               Do("nothing changed", [&](CMainDlg& d) {
                 unchangedAfterNo = InResults(d) && Visible(d.m_btnBack) && Visible(d.m_list->m_hWnd) &&
                                    TreeText(d, d.m_contactsItem) == labelBeforeNo && RowCount(d) == rowsBeforeNo &&
                                    OwnedPopup(d.m_hWnd) == nullptr;
               }),
               ClickStep("back again", &CMainDlg::m_btnBack),
               AnswerBox("answer Yes", 1012),
               WaitFor("acquiring again, the loading picture painted again", [](CMainDlg& d) {
                 return Acquiring(d) && d.m_frameTimerOn == 1 && !Visible(d.m_tree) && !Visible(d.m_list->m_hWnd) &&
                        !Visible(d.m_btnBack) && d.m_totalCount == 0;
               }),
               WaitFor("the new load runs to its end", InResults),
               Do("read the full load", [&](CMainDlg& d) { fullLabel = TreeText(d, d.m_contactsItem); }),
               ClickStep("back for a third load", &CMainDlg::m_btnBack),
               AnswerBox("yes", 1012),
               WaitFor("acquiring a third time", [&](CMainDlg& d) {
                 if (!Acquiring(d)) return false;
                 interrupter.Arm(d, 3, 0);
                 return true;
               }),
               WaitFor("paused", [&](CMainDlg& d) { return interrupter.positions == 3 && Visible(d.m_btnContinue); }),
               ClickStep("stop while paused", &CMainDlg::m_btnStop),
               WaitFor("results", InResults),
               Do("read", [&](CMainDlg& d) {
                 interrupter.Disarm(d);
                 pausedThenStoppedLabel = TreeText(d, d.m_contactsItem);
               }),
               Do("close request", [](CMainDlg& d) { ::PostMessageW(d.m_hWnd, WM_CLOSE, 0, 0); }),
           });
  EXPECT_EQ(run.failedStep, "");
  EXPECT_EQ(run.code, 0);
  EXPECT_TRUE(heldWhilePaused);
  EXPECT_EQ(stoppedLabel, ContactsLabel(5));
  EXPECT_EQ(backQuestion, L"Are you sure to go back to reload the data from Android phone?");
  EXPECT_TRUE(unchangedAfterNo);
  EXPECT_EQ(fullLabel, ContactsLabel(expected.Total()));
  EXPECT_EQ(pausedThenStoppedLabel, ContactsLabel(3));
  EXPECT_EQ(program.RelayCommandLines().size(), 9u);
}

// A handle of the running worker of its own, to see when that thread ends.
HANDLE WorkerHandle(CMainDlg& d) {
  HANDLE copy = nullptr;
  ::DuplicateHandle(::GetCurrentProcess(), d.m_hWorker, ::GetCurrentProcess(), &copy, SYNCHRONIZE, FALSE, 0);
  return copy;
}

TEST_F(MainWindowTest, ClosingWaitsForTheRunningWorkerFirst) {
  ProgramFolder program;
  program.SetPullSource(TestDatabase(L"small"));

  // During the acquisition's first pause: the window ends at once and the
  // relay is never started.
  {
    MainWindowSettings settings = SettingsFor(program);
    settings.acquisition.startDelayMs = 3000;
    CMainDlg dlg(settings);
    HANDLE worker = nullptr;
    DWORD closedAt = 0;
    const RunResult run = RunMainWindow(dlg, {WaitFor("acquiring", Acquiring), Do("close", [&](CMainDlg& d) {
                                                worker = WorkerHandle(d);
                                                closedAt = ::GetTickCount();
                                                ::PostMessageW(d.m_hWnd, WM_CLOSE, 0, 0);
                                              })});
    EXPECT_EQ(run.failedStep, "");
    EXPECT_LT(::GetTickCount() - closedAt, 1500u);
    ASSERT_NE(worker, nullptr);
    EXPECT_EQ(::WaitForSingleObject(worker, 0), WAIT_OBJECT_0) << "the acquisition ended with the window";
    ::CloseHandle(worker);
    ::Sleep(3500);
    EXPECT_TRUE(program.LogLines().empty());
  }

  // A load paused after two records, and a recovery paused at its first
  // record: each worker has ended when the window has.
  for (const bool duringRecover : {false, true}) {
    MainWindowSettings settings = SettingsFor(program);
    settings.pickFolder = [&](HWND) { return std::optional<std::wstring>(program.OutputFolder()); };
    CMainDlg dlg(settings);
    LoadInterrupter interrupter;
    HANDLE worker = nullptr;
    std::vector<Step> steps;
    if (duringRecover) {
      steps = {WaitFor("results", InResults), Do("arm", [&](CMainDlg& d) { interrupter.Arm(d, 2, 0); }),
               ClickStep("recover", &CMainDlg::m_btnRecover)};
    } else {
      steps = {WaitFor("acquiring", [&](CMainDlg& d) {
        if (!Acquiring(d)) return false;
        interrupter.Arm(d, 2, 0);
        return true;
      })};
    }
    steps.push_back(WaitFor("paused", [&](CMainDlg& d) { return interrupter.positions == 2 && Visible(d.m_btnContinue); }));
    steps.push_back(Do("close", [&](CMainDlg& d) {
      worker = WorkerHandle(d);
      ::PostMessageW(d.m_hWnd, WM_CLOSE, 0, 0);
    }));
    const RunResult run = RunMainWindow(dlg, steps);
    EXPECT_EQ(run.failedStep, "") << (duringRecover ? "recover" : "load");
    EXPECT_EQ(run.code, 0);
    ASSERT_NE(worker, nullptr);
    EXPECT_EQ(::WaitForSingleObject(worker, 0), WAIT_OBJECT_0) << (duringRecover ? "recover" : "load");
    ::CloseHandle(worker);
    EXPECT_EQ(dlg.m_hWorker, nullptr);
    EXPECT_EQ(dlg.m_loaded.lists.contacts, nullptr) << "released after the worker ended";
  }
}

TEST_F(MainWindowTest, FailurePageAndRefresh) {
  ProgramFolder program;  // the pull copies nothing
  CMainDlg dlg(SettingsFor(program));
  int headingPixels = 0;
  int hintPixels = 0;
  bool refreshShowsLoading = false;
  const RunResult run = RunMainWindow(
      dlg, {
               WaitFor("failure page",
                       [](CMainDlg& d) {
                         return d.m_page == 1 && d.m_loadState == 0 && d.m_hWorker == nullptr &&
                                Visible(d.m_btnRefresh) && Visible(d.m_helpLink.m_hWnd);
                       }),
               Do("look at it",
                  [&](CMainDlg& d) {
                    uitest::Repaint(d.m_hWnd);
                    const uitest::Capture c = uitest::CaptureClient(d.m_hWnd);
                    for (int y = 570; y < 588; ++y) {
                      for (int x = 100; x < 420; ++x) {
                        headingPixels += uitest::Near(c.At(x, y), uitest::Rgb(189, 58, 6), 40) ? 1 : 0;
                      }
                    }
                    for (int y = 630; y < 646; ++y) {
                      for (int x = 120; x < 460; ++x) hintPixels += uitest::Near(c.At(x, y), uitest::Rgb(10, 0, 0), 40);
                    }
                  }),
               Do("the phone is there now", [&](CMainDlg&) { program.SetPullSource(TestDatabase(L"small")); }),
               ClickStep("refresh", &CMainDlg::m_btnRefresh),
               WaitFor("acquiring again with the loading picture",
                       [&](CMainDlg& d) {
                         refreshShowsLoading = Acquiring(d) && !Visible(d.m_btnRefresh) && !Visible(d.m_helpLink.m_hWnd);
                         return refreshShowsLoading && d.m_frameTimerOn == 1;
                       }),
               WaitFor("results", InResults),
               Do("exit", [](CMainDlg& d) { d.CloseWindow(0); }),
           });
  EXPECT_EQ(run.failedStep, "");
  EXPECT_GT(headingPixels, 30) << "the red heading of the hints";
  EXPECT_GT(hintPixels, 30) << "the third hint";
  EXPECT_TRUE(refreshShowsLoading);
  EXPECT_EQ(program.RelayCommandLines().size(), 6u) << "Refresh repeats the whole acquisition";
}

TEST_F(MainWindowTest, TicksAcrossTreeHeaderRowsAndRecords) {
  ProgramFolder program;
  program.SetPullSource(TestDatabase(L"small"));
  MainWindowSettings settings = SettingsFor(program);
  bool pickerAsked = false;
  settings.pickFolder = [&](HWND) {
    pickerAsked = true;
    return std::optional<std::wstring>();
  };
  CMainDlg dlg(settings);

  auto allRows = [](CMainDlg& d, int state) {
    for (int r = 0; r < RowCount(d); ++r) {
      if (RowState(d, r) != state) return false;
    }
    return RowCount(d) > 0;
  };
  // The accounts of list 1 follow the tree's Contacts item only.
  auto allRecords = [](CMainDlg& d, bool ticked, bool accountsToo = true) {
    bool all = true;
    for (cdv::ContactRecord* c = d.m_loaded.lists.contacts; c != nullptr; c = c->next) all = all && (c->ticked != 0) == ticked;
    d.m_loaded.carved.ForEach([&](cdv::ContactRecord& c) { all = all && (c.ticked != 0) == ticked; });
    for (cdv::AuxRecord* a = d.m_loaded.lists.aux; a != nullptr && accountsToo; a = a->next) {
      all = all && (a->ticked != 0) == ticked;
    }
    return all;
  };
  auto treeIs = [](CMainDlg& d, int state) {
    return TreeState(d, d.m_contactsItem) == state && TreeState(d, d.m_rootItem) == state;
  };
  // A row well inside the visible part of the list.
  const int last = 1 << 30;
  auto row = [last](CMainDlg& d, int r) { return r == last ? std::min(RowCount(d) - 1, 10) : r; };

  std::vector<std::string> failures;
  auto check = [&](const char* what, bool ok) {
    if (!ok) failures.push_back(what);
  };
  std::wstring nothingTicked;
  const RunResult run = RunMainWindow(
      dlg, {
               WaitFor("results", InResults),
               Do("all ticked after a load",
                  [&](CMainDlg& d) {
                    check("rows ticked", allRows(d, kTicked));
                    check("records ticked", allRecords(d, true, false));
                    check("header ticked", d.m_list->Header().IsCheckAllTicked());
                    check("tree ticked", treeIs(d, kTicked));
                  }),
               Do("untick a row", [&](CMainDlg& d) { ClickRowCheck(d, row(d, last)); }),
               WaitFor("one row unticked", [&](CMainDlg& d) { return RowState(d, row(d, last)) == kUnticked; }),
               Do("its record, the header and the tree follow",
                  [&](CMainDlg& d) {
                    check("record unticked", RowRecord(d, row(d, last))->ticked == 0);
                    check("others ticked", RowRecord(d, 0)->ticked != 0);
                    check("header unticked", !d.m_list->Header().IsCheckAllTicked());
                    check("tree unticked", treeIs(d, kUnticked));
                  }),
               Do("tick it again", [&](CMainDlg& d) { ClickRowCheck(d, row(d, last)); }),
               WaitFor("ticked", [&](CMainDlg& d) { return RowState(d, row(d, last)) == kTicked; }),
               Do("header and tree ticked again",
                  [&](CMainDlg& d) {
                    check("record ticked", RowRecord(d, row(d, last))->ticked != 0);
                    check("header ticked again", d.m_list->Header().IsCheckAllTicked());
                    check("tree ticked again", treeIs(d, kTicked));
                  }),
               Do("untick Contacts in the tree", [&](CMainDlg& d) { PostKey(d.m_tree, VK_SPACE); }),
               WaitFor("every row unticked", [&](CMainDlg& d) { return allRows(d, kUnticked); }),
               Do("records and header follow the tree",
                  [&](CMainDlg& d) {
                    check("records unticked", allRecords(d, false));
                    check("header unticked by the tree", !d.m_list->Header().IsCheckAllTicked());
                    check("root unticked", TreeState(d, d.m_rootItem) == kUnticked);
                  }),
               Do("tick the header's box", [&](CMainDlg& d) { ClickControl(d.m_list->Header().CheckAllBox()); }),
               WaitFor("every row ticked", [&](CMainDlg& d) { return allRows(d, kTicked); }),
               Do("records and tree follow the header",
                  [&](CMainDlg& d) {
                    check("records ticked by the header", allRecords(d, true, false));
                    check("tree ticked by the header", treeIs(d, kTicked));
                  }),
               Do("untick everything", [&](CMainDlg& d) { PostKey(d.m_tree, VK_SPACE); }),
               WaitFor("unticked", [&](CMainDlg& d) { return allRows(d, kUnticked) && allRecords(d, false); }),
               ClickStep("recover", &CMainDlg::m_btnRecover),
               AnswerBox("nothing selected", 1011, &nothingTicked),
               Do("exit", [](CMainDlg& d) { d.CloseWindow(0); }),
           });
  EXPECT_EQ(run.failedStep, "");
  EXPECT_TRUE(failures.empty()) << failures.front();
  EXPECT_EQ(nothingTicked, L"Please select the file(s) you want to recover.");
  EXPECT_FALSE(pickerAsked);
}

TEST_F(MainWindowTest, ACommandLineThatWouldNotFitIsNotRun) {
  ProgramFolder program;
  program.SetPullSource(TestDatabase(L"small"));
  // A program folder whose pull line needs 260 characters: the two permission
  // changes still fit, the pull does not.
  std::wstring folder = program.Folder() + L"\\";
  const size_t pullFixed = 16 + 6 + 64 + 1 + WorkingCopyFor(program.Folder()).size();
  folder += std::wstring(260 - pullFixed - folder.size(), L'x');
  ASSERT_TRUE(CreateDirectoryW(folder.c_str(), nullptr));
  CopyFileW((program.Folder() + L"\\droidgate.exe").c_str(), (folder + L"\\droidgate.exe").c_str(), FALSE);

  MainWindowSettings settings = SettingsFor(program);
  settings.programFolder = folder;
  CMainDlg dlg(settings);
  const RunResult run = RunMainWindow(
      dlg, {
               WaitFor("failure page", [](CMainDlg& d) { return d.m_loadState == 0 && Visible(d.m_btnRefresh); }),
               Do("exit", [](CMainDlg& d) { d.CloseWindow(0); }),
           });
  EXPECT_EQ(run.failedStep, "");
  std::vector<std::wstring> started;
  for (const std::wstring& line : program.LogLines()) started.push_back(line.substr(line.find(L'|') + 1));
  ASSERT_EQ(started.size(), 2u);
  EXPECT_NE(started[0].find(L"chmod 777 /data/data/com.android.providers.contacts"), std::wstring::npos);
  EXPECT_NE(started[1].find(L"chmod 777 /data/data/com.android.providers.telephony"), std::wstring::npos);
  DeleteFileW((folder + L"\\droidgate.exe").c_str());
  RemoveDirectoryW(folder.c_str());
}

}  // namespace
