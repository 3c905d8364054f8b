// Acquisition faults through the real window: a relay that crashes, hangs or
// leaves a half or foreign copy, and a copy replaced after the engine has
// carved it but before the reader opens it. Every run ends, in the failure
// page or in the results page showing what the copy held, and the results
// can still be recovered to disk.
#include <windows.h>

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <optional>
#include <string>

#include "app/main_dlg.h"
#include "contacts/contacts_reader.h"
#include "platform/codepage/codepage.h"
#include "platform/siftdb/siftdb_library_win.h"
#include "tests/mainwindow/expected_load.h"
#include "tests/mainwindow/main_window_driver.h"
#include "tests/mainwindow/program_folder.h"
#include "ui/controls/skin.h"

namespace {

using namespace mwtest;

constexpr DWORD kCommandTimeoutMs = 1500;
constexpr int kRelayCommands = 3;
constexpr int kMsgBoxOkButton = 1011;

// What Recover answers: it writes when anything is ticked, else it asks for a tick.
void ExpectRecovered(const std::wstring& finishText, unsigned long long exportBytes, int records) {
  if (records > 0) {
    EXPECT_EQ(finishText.rfind(L"Recovering finished", 0), 0u) << finishText;
    EXPECT_GT(exportBytes, 0u);
  } else {
    EXPECT_EQ(finishText, L"Please select the file(s) you want to recover.");
    EXPECT_EQ(exportBytes, 0u);
  }
}

// The Contacts item keeps its bare name when nothing was loaded.
std::wstring ContactsLabel(int n) { return n > 0 ? L"Contacts (" + std::to_wstring(n) + L")" : L"Contacts"; }

DWORD FileSize(const std::wstring& path) {
  WIN32_FILE_ATTRIBUTE_DATA data{};
  return GetFileAttributesExW(path.c_str(), GetFileExInfoStandard, &data) ? data.nFileSizeLow : 0;
}

void CutFileInHalf(const std::wstring& path) {
  HANDLE file = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, 0, nullptr);
  if (file == INVALID_HANDLE_VALUE) return;
  SetFilePointer(file, static_cast<LONG>(GetFileSize(file, nullptr) / 2 + 77), nullptr, FILE_BEGIN);
  SetEndOfFile(file);
  CloseHandle(file);
}

void WriteNoise(const std::wstring& path) {
  HANDLE file = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
  if (file == INVALID_HANDLE_VALUE) return;
  std::string noise = "SQLite format 3";
  noise.push_back('\0');
  for (unsigned i = 0; noise.size() < 40000; ++i) noise.push_back(static_cast<char>(i * 2654435761u >> 24));
  DWORD written = 0;
  WriteFile(file, noise.data(), static_cast<DWORD>(noise.size()), &written, nullptr);
  CloseHandle(file);
}

// Where a run of the window ended.
struct Outcome {
  bool failurePage = false;
  bool resultsPage = false;
  DWORD tookMs = 0;
  std::wstring label;
  int rows = -1;
  std::wstring finishText;  // the message box after Recover, when recovered
  unsigned long long exportBytes = 0;
  std::string failedStep;
};

bool InResults(CMainDlg& d) {
  return d.m_page == 2 && d.m_hWorker == nullptr && Visible(d.m_btnRecover) && Visible(d.m_tree) &&
         !Visible(d.m_progress);
}

bool OnFailurePage(CMainDlg& d) {
  return d.m_page == 1 && d.m_loadState == 0 && d.m_hWorker == nullptr && Visible(d.m_btnRefresh);
}

// Runs the window until it shows either end page; on the results page it
// keeps a copy of what the relay left and recovers every ticked record.
Outcome RunToAnEnd(ProgramFolder& program, const std::wstring& keepCopyAs,
                   std::function<std::unique_ptr<cdv::ContactsReader>()> makeReader = {}) {
  MainWindowSettings settings;
  settings.programFolder = program.Folder();
  settings.acquisition.startDelayMs = 0;
  settings.acquisition.commandTimeoutMs = kCommandTimeoutMs;
  const std::wstring outputFolder = program.OutputFolder();
  settings.pickFolder = [outputFolder](HWND) { return std::optional<std::wstring>(outputFolder); };
  settings.makeReader = std::move(makeReader);
  CMainDlg dlg(settings);

  Outcome outcome;
  const DWORD start = GetTickCount();
  const RunResult run = RunMainWindow(
      dlg, {
               WaitFor("an end page",
                       [&](CMainDlg& d) {
                         outcome.failurePage = OnFailurePage(d);
                         outcome.resultsPage = InResults(d);
                         return outcome.failurePage || outcome.resultsPage;
                       },
                       60000),
               Do("read it",
                  [&](CMainDlg& d) {
                    outcome.tookMs = GetTickCount() - start;
                    if (!outcome.resultsPage) return;
                    outcome.label = TreeText(d, d.m_contactsItem);
                    outcome.rows = RowCount(d);
                    CopyFileW(WorkingCopyFor(program.Folder()).c_str(), keepCopyAs.c_str(), FALSE);
                  }),
               WaitFor("recover",
                       [&](CMainDlg& d) { return !outcome.resultsPage || ClickControl(d.m_btnRecover.m_hWnd); }),
               WaitFor("recovered",
                       [&](CMainDlg& d) {
                         if (!outcome.resultsPage) return true;
                         HWND box = OwnedPopup(d.m_hWnd);
                         if (box == nullptr) return false;
                         outcome.finishText = MessageBoxText(box);
                         return ClickControl(::GetDlgItem(box, kMsgBoxOkButton));
                       }),
               WaitFor("box closed", [](CMainDlg& d) { return OwnedPopup(d.m_hWnd) == nullptr; }),
               Do("exit", [](CMainDlg& d) { d.CloseWindow(0); }),
           });
  outcome.failedStep = run.failedStep;
  if (outcome.resultsPage) outcome.exportBytes = BytesUnder(outputFolder, L"contacts.txt");
  return outcome;
}

class AcquisitionFaultsTest : public ::testing::Test {
 protected:
  void SetUp() override { SetImageFolder(TestProgramFolder() + L"image\\"); }
};

struct RelayFault {
  const char* name;
  const wchar_t* crash;       // stand-in modes, see stand_in_tool.cpp
  const wchar_t* hang;
  const wchar_t* pullWrites;
  bool endsInResults;
  bool wholeCopy = false;  // the copy must be the phone's whole database
};

TEST_F(AcquisitionFaultsTest, ARelayThatCrashesHangsOrLeavesAPartialCopy) {
  const RelayFault faults[] = {
      {"crashes at every command", L"all", L"", L"", false},
      {"hangs at every command", L"", L"all", L"", false},
      {"crashes after a whole copy", L"pull", L"", L"", true, true},
      {"writes slowly for longer than its time", L"", L"", L"slow", true, true},
      {"crashes after half a copy", L"pull", L"", L"half", true},
      {"hangs after half a copy", L"", L"pull", L"half", true},
      {"writes half a copy", L"", L"", L"half", true},
      {"writes noise", L"", L"", L"garbage", true},
      {"writes an empty file", L"", L"", L"empty", true},
  };
  for (const RelayFault& fault : faults) {
    SCOPED_TRACE(fault.name);
    ProgramFolder program;
    program.SetPullSource(TestDatabase(L"small"));
    program.SetCrash(fault.crash);
    program.SetHang(fault.hang);
    program.SetPullWrites(fault.pullWrites);
    uitest::ScratchFolder kept(L"faults");
    const std::wstring keptCopy = kept.File(L"contacts2.db");

    const Outcome outcome = RunToAnEnd(program, keptCopy);
    ASSERT_EQ(outcome.failedStep, "");
    EXPECT_EQ(outcome.resultsPage, fault.endsInResults);
    EXPECT_EQ(outcome.failurePage, !fault.endsInResults);
    EXPECT_EQ(program.RelayCommandLines().size(), static_cast<size_t>(kRelayCommands));
    // Every command may use its whole time, the slow pull a few seconds more.
    EXPECT_LT(outcome.tookMs, kRelayCommands * kCommandTimeoutMs + 10000);
    if (!fault.endsInResults) continue;

    if (fault.wholeCopy) {
      EXPECT_EQ(FileSize(keptCopy), FileSize(TestDatabase(L"small")));
    }
    const ExpectedLoad expected = ExpectLoadOf(keptCopy);
    EXPECT_EQ(outcome.label, ContactsLabel(expected.Total()));
    EXPECT_EQ(outcome.rows, expected.live + expected.carvedRows);
    ExpectRecovered(outcome.finishText, outcome.exportBytes, expected.Total());
  }
}

// A reader that finds the copy changed under it: `change` runs on the copy
// just before the real reader opens it.
class ChangingReader : public cdv::ContactsReader {
 public:
  explicit ChangingReader(std::function<void(const std::wstring&)> change) : m_change(std::move(change)) {}
  cdv::ReaderResult Read(const std::string& ansiPath) override {
    const std::u16string wide = cdv::AnsiToUtf16(ansiPath);
    m_change(std::wstring(wide.begin(), wide.end()));
    return m_real.Read(ansiPath);
  }

 private:
  std::function<void(const std::wstring&)> m_change;
  cdv::SiftDbLibraryReader m_real;
};

struct CopyChange {
  const char* name;
  std::function<void(const std::wstring&)> change;
  const wchar_t* readerSees;  // a test database, or empty for nothing readable
};

TEST_F(AcquisitionFaultsTest, ACopyReplacedBetweenTheEngineAndTheReader) {
  const std::wstring other = TestDatabase(L"other");
  const CopyChange changes[] = {
      {"removed", [](const std::wstring& copy) { DeleteFileW(copy.c_str()); }, L""},
      {"replaced by another phone's",
       [other](const std::wstring& copy) { CopyFileW(other.c_str(), copy.c_str(), FALSE); }, L"other"},
      {"cut in half", CutFileInHalf, nullptr},
      {"overwritten with noise", WriteNoise, L""},
  };
  const ExpectedLoad carved = ExpectLoadOf(TestDatabase(L"small"));
  ASSERT_GT(carved.carvedLines, 0);
  for (const CopyChange& change : changes) {
    SCOPED_TRACE(change.name);
    ProgramFolder program;
    program.SetPullSource(TestDatabase(L"small"));
    uitest::ScratchFolder kept(L"faults");
    const std::wstring keptCopy = kept.File(L"contacts2.db");
    bool changed = false;
    const Outcome outcome = RunToAnEnd(program, keptCopy, [&] {
      return std::make_unique<ChangingReader>([&](const std::wstring& copy) {
        change.change(copy);
        changed = true;
      });
    });
    ASSERT_EQ(outcome.failedStep, "");
    EXPECT_TRUE(changed);
    ASSERT_TRUE(outcome.resultsPage);

    // The carved lines are the first copy's; the live contacts are whatever
    // the reader found in the copy it opened.
    int live = 0;
    if (change.readerSees == nullptr) {
      live = ExpectLoadOf(keptCopy).live;
      EXPECT_GT(FileSize(keptCopy), 0u);
    } else if (*change.readerSees != L'\0') {
      live = ExpectLoadOf(TestDatabase(change.readerSees)).live;
      EXPECT_GT(live, 0);
    }
    EXPECT_EQ(outcome.label, ContactsLabel(live + carved.carvedLines));
    EXPECT_EQ(outcome.rows, live + carved.carvedRows);
    ExpectRecovered(outcome.finishText, outcome.exportBytes, live + carved.carvedLines);
  }
}

}  // namespace
