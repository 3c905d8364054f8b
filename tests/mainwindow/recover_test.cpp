// Recover through the real window: the picked folder, the time-stamped
// folder, the exported file byte for byte against the generator's ground
// truth, the finish message, the state after it, and a stop mid-way.
#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include <cstdio>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "app/main_dlg.h"
#include "contacts/carved_records.h"
#include "contacts/type_labels.h"
#include "tests/mainwindow/expected_load.h"
#include "tests/mainwindow/main_window_driver.h"
#include "tests/mainwindow/program_folder.h"
#include "ui/controls/skin.h"

namespace {

using namespace mwtest;

std::wstring FromUtf8(const std::string& text) {
  const int n = MultiByteToWideChar(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), nullptr, 0);
  std::wstring out(static_cast<size_t>(n), L'\0');
  if (n > 0) MultiByteToWideChar(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), &out[0], n);
  return out;
}

std::vector<std::string> SplitTabs(const std::string& line) {
  std::vector<std::string> fields;
  size_t start = 0;
  for (;;) {
    const size_t tab = line.find('\t', start);
    fields.push_back(line.substr(start, tab == std::string::npos ? std::string::npos : tab - start));
    if (tab == std::string::npos) return fields;
    start = tab + 1;
  }
}

// One live data row of the generator's truth file.
struct TruthRow {
  int rawContactId;
  std::wstring name;
  int nameSource;
  std::string mimetype;
  std::wstring data1;
  std::string data2;
};

std::vector<TruthRow> ReadLiveTruth(const std::wstring& database) {
  std::istringstream text(ReadFileBytes(database + L".live.tsv"));
  std::vector<TruthRow> rows;
  std::string line;
  std::getline(text, line);  // header
  while (std::getline(text, line)) {
    const auto f = SplitTabs(line);
    if (f.size() < 9) continue;
    rows.push_back(TruthRow{std::stoi(f[0]), FromUtf8(f[1]), std::stoi(f[2]), f[4], FromUtf8(f[5]), f[6]});
  }
  return rows;
}

const wchar_t* LabelOf(const TruthRow& row) {
  static std::wstring label;
  const char16_t* text = nullptr;
  if (row.mimetype == "vnd.android.cursor.item/organization") return L"Company";
  if (row.mimetype == "vnd.android.cursor.item/phone_v2") text = cdv::PhoneTypeLabel(cdv::ReadTypeCode(row.data2.c_str()));
  if (row.mimetype == "vnd.android.cursor.item/email_v2") text = cdv::EmailTypeLabel(cdv::ReadTypeCode(row.data2.c_str()));
  if (text == nullptr) return nullptr;
  label.assign(text, text + std::char_traits<char16_t>::length(text));
  return label.c_str();
}

// The export file for the truth, without the live contacts in `unticked`
// and the carved lines whose numbers are in `untickedLines`; live contacts
// stop after `liveLimit` ticked ones (a stopped recover).
std::string ExpectedExport(const std::vector<TruthRow>& truth, const std::set<int>& unticked,
                           const std::string& carvedText, const std::set<int>& untickedLines,
                           size_t liveLimit = SIZE_MAX) {
  std::wstring text = L"Contacts:\n";
  int noName = 0;
  int lastContact = -1;
  size_t written = 0;
  std::wstring name;
  for (const TruthRow& row : truth) {
    if (unticked.count(row.rawContactId) != 0) continue;
    if (row.rawContactId != lastContact) {
      if (written == liveLimit) break;
      ++written;
      lastContact = row.rawContactId;
      name = row.nameSource == 40 ? row.name : L"No Name" + std::to_wstring(noName++);
    }
    if (const wchar_t* label = LabelOf(row)) text += name + L"(" + label + L") : " + row.data1 + L"\n";
  }
  if (liveLimit == SIZE_MAX && !carvedText.empty()) {
    text += std::wstring(66, L'-') + L"\nDeleted:\n";
    int number = 0;
    cdv::ForEachCarvedLine(carvedText, [&](std::string_view line) {
      const int n = number++;
      if (untickedLines.count(n) != 0) return;
      const size_t tab = line.find('\t');
      if (tab == std::string_view::npos) return;
      text += FromUtf8(std::string(line.substr(0, tab))) + L" : " + FromUtf8(std::string(line.substr(tab + 1))) + L"\n";
    });
  }
  std::string bytes = "\xFF\xFE";
  for (wchar_t c : text) {
    if (c == L'\n') bytes.append("\r\0", 2);
    bytes.push_back(static_cast<char>(c & 0xFF));
    bytes.push_back(static_cast<char>((c >> 8) & 0xFF));
  }
  return bytes;
}

// The one time-stamped folder a recover made under `picked`.
std::wstring RecoverFolderIn(const std::wstring& picked) {
  WIN32_FIND_DATAW found{};
  HANDLE search = FindFirstFileW((picked + L"\\Cardivane*").c_str(), &found);
  std::wstring name;
  int count = 0;
  if (search != INVALID_HANDLE_VALUE) {
    do {
      ++count;
      name = found.cFileName;
    } while (FindNextFileW(search, &found));
    FindClose(search);
  }
  return count == 1 ? picked + L"\\" + name : std::wstring();
}

bool IsTimeStamp(const std::wstring& folderName) {
  if (folderName.size() != 9 + 14 || folderName.compare(0, 9, L"Cardivane") != 0) return false;
  for (size_t i = 9; i < folderName.size(); ++i) {
    if (folderName[i] < L'0' || folderName[i] > L'9') return false;
  }
  return true;
}

// Watches the progress reports of a running worker (sent from its thread)
// and stops it at the N-th, or notes the window's state at the first.
struct RecoverWatch {
  HWND window = nullptr;
  int reports = 0;
  int stopAt = 0;
  bool recovering = false;
  CMainDlg* dlg = nullptr;

  static LRESULT CALLBACK Hook(HWND h, UINT msg, WPARAM w, LPARAM l, UINT_PTR, DWORD_PTR data) {
    auto* self = reinterpret_cast<RecoverWatch*>(data);
    if (msg == PBM_SETPOS && InSendMessage()) {
      if (++self->reports == 1) {
        CMainDlg& d = *self->dlg;
        self->recovering = Visible(d.m_progress) && Visible(d.m_btnPause) && Visible(d.m_btnStop) &&
                           !Visible(d.m_btnRecover) && !Visible(d.m_btnBack) && d.m_animation->IsRunning();
      }
      if (self->reports == self->stopAt) ::SendMessageW(self->window, WM_COMMAND, MAKEWPARAM(1007, BN_CLICKED), 0);
    }
    return ::DefSubclassProc(h, msg, w, l);
  }
  void Arm(CMainDlg& d, int stop) {
    dlg = &d;
    window = d.m_hWnd;
    reports = 0;
    stopAt = stop;
    ::SetWindowSubclass(d.m_progress, &RecoverWatch::Hook, 2, reinterpret_cast<DWORD_PTR>(this));
  }
  void Disarm(CMainDlg& d) { ::RemoveWindowSubclass(d.m_progress, &RecoverWatch::Hook, 2); }
};

Step ClickStep(std::string name, CImgButton CMainDlg::*button) {
  return WaitFor(std::move(name), [button](CMainDlg& d) { return ClickControl((d.*button).m_hWnd); });
}

Step AnswerBox(std::string name, int buttonId, std::wstring* text) {
  return WaitFor(std::move(name), [buttonId, text](CMainDlg& d) {
    HWND box = OwnedPopup(d.m_hWnd);
    if (box == nullptr) return false;
    *text = MessageBoxText(box);
    return ClickControl(::GetDlgItem(box, buttonId));
  });
}

bool InResults(CMainDlg& d) { return d.m_page == 2 && d.m_hWorker == nullptr && Visible(d.m_btnRecover); }

TEST(RecoverTest, WritesTheTickedRecordsAndReportsTheCount) {
  SetImageFolder(TestProgramFolder() + L"image\\");
  ProgramFolder program;
  const std::wstring database = TestDatabase(L"small");
  program.SetPullSource(database);
  const ExpectedLoad expected = ExpectLoadOf(database);
  ASSERT_GT(expected.carvedRows, 0);

  const std::wstring firstOut = program.OutputFolder() + L"\\first";
  const std::wstring secondOut = program.OutputFolder() + L"\\second";
  CreateDirectoryW(firstOut.c_str(), nullptr);
  CreateDirectoryW(secondOut.c_str(), nullptr);
  std::vector<std::wstring> answers = {firstOut, secondOut};
  MainWindowSettings settings;
  settings.programFolder = program.Folder();
  settings.acquisition.startDelayMs = 200;
  settings.pickFolder = [&](HWND) {
    std::optional<std::wstring> next;
    if (!answers.empty()) {
      next = answers.front();
      answers.erase(answers.begin());
    }
    return next;
  };
  CMainDlg dlg(settings);

  RecoverWatch watch;
  int untickedCarvedLine = -1;
  int untickedLive = -1;
  std::wstring finished;
  std::wstring stoppedMessage;
  bool afterRecovery = false;
  bool recovering = false;
  int total = 0;
  const RunResult run = RunMainWindow(
      dlg, {
               WaitFor("results", InResults),
               Do("untick one deleted row",
                  [&](CMainDlg& d) {
                    total = d.m_totalCount;
                    untickedCarvedLine = RowRecord(d, 0)->id;
                    untickedLive = RowRecord(d, expected.carvedRows)->id;
                    ClickRowCheck(d, 0);
                  }),
               WaitFor("unticked", [&](CMainDlg& d) { return RowState(d, 0) == 1; }),
               Do("and the first live row", [&](CMainDlg& d) { ClickRowCheck(d, expected.carvedRows); }),
               WaitFor("unticked too", [&](CMainDlg& d) { return RowState(d, expected.carvedRows) == 1; }),
               Do("watch", [&](CMainDlg& d) { watch.Arm(d, 0); }),
               ClickStep("recover", &CMainDlg::m_btnRecover),
               AnswerBox("finished", 1011, &finished),
               Do("results after recovery",
                  [&](CMainDlg& d) {
                    afterRecovery = Visible(d.m_btnRecover) && !Visible(d.m_btnBack) && !Visible(d.m_progress) &&
                                    !Visible(d.m_btnPause) && !Visible(d.m_btnStop) && !d.m_animation->IsRunning();
                    recovering = watch.recovering;
                    watch.Disarm(d);
                    watch.Arm(d, 3);
                  }),
               ClickStep("recover again, to be stopped", &CMainDlg::m_btnRecover),
               AnswerBox("finished after the stop", 1011, &stoppedMessage),
               Do("exit", [&](CMainDlg& d) {
                 watch.Disarm(d);
                 d.CloseWindow(0);
               }),
           });
  EXPECT_EQ(run.failedStep, "");
  EXPECT_TRUE(recovering) << "progress, pause, stop and the animation while the worker writes";
  EXPECT_TRUE(afterRecovery) << "Recover comes back, Back stays hidden";

  const int ticked = total - 2;
  EXPECT_EQ(finished, L"Recovering finished, " + std::to_wstring(ticked) + L" files have been recovered.");

  const std::wstring folder = RecoverFolderIn(firstOut);
  ASSERT_FALSE(folder.empty());
  EXPECT_TRUE(IsTimeStamp(folder.substr(folder.find_last_of(L'\\') + 1)));
  const std::wstring file = folder + L"\\Contacts (" + std::to_wstring(ticked) + L")\\contacts.txt";
  const std::vector<TruthRow> truth = ReadLiveTruth(database);
  ASSERT_FALSE(truth.empty());
  const std::string wanted = ExpectedExport(truth, {untickedLive}, expected.carvedText, {untickedCarvedLine});
  const std::string got = ReadFileBytes(file);
  EXPECT_EQ(got.size(), wanted.size());
  EXPECT_TRUE(got == wanted) << "the exported file differs from the expected bytes";

  // Stopped after the third ticked live record: the lines of those three stay, no
  // deleted part, and the message counts what was handled.
  EXPECT_EQ(stoppedMessage, L"Recovering finished, 3 files have been recovered.");
  const std::wstring stoppedFolder = RecoverFolderIn(secondOut);
  ASSERT_FALSE(stoppedFolder.empty());
  const std::string stopped = ReadFileBytes(stoppedFolder + L"\\Contacts (" + std::to_wstring(ticked) + L")\\contacts.txt");
  EXPECT_TRUE(stopped == ExpectedExport(truth, {untickedLive}, expected.carvedText, {untickedCarvedLine}, 3));
}

}  // namespace
