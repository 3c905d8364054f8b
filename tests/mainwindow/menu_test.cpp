// The menu, the web-page buttons, Enter and Escape, the updater's command
// line and the update check one second after start.
#include <winsock2.h>
#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/main_dlg.h"
#include "app/startup.h"
#include "app/web_links.h"
#include "tests/mainwindow/main_window_driver.h"
#include "tests/mainwindow/program_folder.h"
#include "tests/update/local_http_server.h"
#include "ui/controls/product_info.h"
#include "ui/controls/shell_open.h"
#include "ui/controls/skin.h"

namespace {

using namespace mwtest;

struct MenuItemSeen {
  UINT id;
  std::wstring text;
};

std::vector<std::wstring> UpdaterStarts(const ProgramFolder& program) {
  std::vector<std::wstring> starts;
  const std::wstring prefix = program.Folder() + L"\\Uprovia.exe|";
  for (const std::wstring& line : program.LogLines()) {
    if (line.compare(0, prefix.size(), prefix) == 0) starts.push_back(line.substr(prefix.size()));
  }
  return starts;
}

bool EndsWith(const std::wstring& text, const std::wstring& tail) {
  return text.size() >= tail.size() && text.compare(text.size() - tail.size(), tail.size(), tail) == 0;
}

std::wstring UpdaterArguments(const std::wstring& version) {
  return L"Cardivane " + version + L" \"Marlowen Cardivane\" #32770 " + kInstanceMutexName + L" " + kInstanceMutexName;
}

class MenuTest : public ::testing::Test {
protected:
  void SetUp() override {
    SetImageFolder(TestProgramFolder() + L"image\\");
    savedVersion = ProductVersion();
  }
  void TearDown() override { SetProductVersion(savedVersion); }
  std::wstring savedVersion;
};

TEST_F(MenuTest, ItemsActionsAndTheUpdater) {
  ProgramFolder program;
  SetProductVersion(L"1.0.0.7");
  MainWindowSettings settings;
  settings.programFolder = program.Folder();
  settings.acquisition.startDelayMs = 60000;  // stays on the device page

  std::vector<MenuItemSeen> items;
  POINT shownAt{};
  std::vector<UINT> choices;
  settings.trackMenu = [&](HMENU menu, POINT at, HWND) -> UINT {
    items.clear();
    for (int i = 0; i < ::GetMenuItemCount(menu); ++i) {
      wchar_t text[64] = {};
      ::GetMenuStringW(menu, static_cast<UINT>(i), text, 64, MF_BYPOSITION);
      items.push_back(MenuItemSeen{::GetMenuItemID(menu, i), text});
    }
    shownAt = at;
    if (choices.empty()) return 0;
    const UINT next = choices.front();
    choices.erase(choices.begin());
    return next;
  };
  std::vector<std::wstring> opened;
  cdv::ScopedShellOpener opener([&](const wchar_t* address) {
    opened.push_back(address);
    return true;
  });

  CMainDlg dlg(settings);
  POINT expectedAt{884, 32};
  bool aboutShown = false;
  bool openAfterKeys = false;
  auto menuStep = [&](std::string name, UINT command) {
    return Do(std::move(name), [&choices, command](CMainDlg& d) {
      choices.push_back(command);
      ClickControl(d.m_btnMenu);
    });
  };
  const RunResult run = RunMainWindow(
      dlg, {
               WaitFor("open", [&](CMainDlg& d) {
                 ::ClientToScreen(d.m_hWnd, &expectedAt);
                 return d.m_hWorker != nullptr;
               }),
               menuStep("Home", 32771),
               menuStep("Help", 32775),
               menuStep("nothing chosen", 0),
               WaitFor("three menus", [&](CMainDlg&) { return choices.empty() && opened.size() == 2; }),
               menuStep("About", 104),
               WaitFor("about box",
                       [&](CMainDlg& d) {
                         HWND box = OwnedPopup(d.m_hWnd);
                         if (box == nullptr || ::GetDlgItem(box, 1027) == nullptr) return false;
                         aboutShown = true;
                         return ClickControl(::GetDlgItem(box, 1024));
                       }),
               WaitFor("about box closed", [](CMainDlg& d) { return OwnedPopup(d.m_hWnd) == nullptr; }),
               menuStep("Check Update", 32777),
               WaitFor("updater started", [&](CMainDlg&) { return UpdaterStarts(program).size() == 1; }),
               Do("no version", [](CMainDlg&) { SetProductVersion(L""); }),
               menuStep("Check Update without a version", 32777),
               WaitFor("updater started again", [&](CMainDlg&) { return UpdaterStarts(program).size() == 2; }),
               Do("home and support buttons",
                  [](CMainDlg& d) {
                    ClickControl(d.m_btnHome);
                    ClickControl(d.m_btnHelp);
                  }),
               Do("Enter and Escape",
                  [](CMainDlg& d) {
                    PostKey(d.m_hWnd, VK_ESCAPE);
                    PostKey(d.m_hWnd, VK_RETURN);
                    ::PostMessageW(d.m_hWnd, WM_COMMAND, IDCANCEL, 0);
                    ::PostMessageW(d.m_hWnd, WM_COMMAND, IDOK, 0);
                  }),
               Pause(300),
               Do("still open", [&](CMainDlg& d) { openAfterKeys = ::IsWindowVisible(d.m_hWnd) != FALSE; }),
               menuStep("Exit", 105),
           });
  EXPECT_EQ(run.failedStep, "");
  EXPECT_EQ(run.code, 0) << "Exit";
  ASSERT_EQ(items.size(), 5u);
  const MenuItemSeen wanted[] = {{32771, L"Home"}, {104, L"About"}, {32775, L"Help"}, {32777, L"Check Update"}, {105, L"Exit"}};
  for (size_t i = 0; i < 5; ++i) {
    EXPECT_EQ(items[i].id, wanted[i].id);
    EXPECT_EQ(items[i].text, wanted[i].text);
  }
  EXPECT_EQ(shownAt.x, expectedAt.x);
  EXPECT_EQ(shownAt.y, expectedAt.y);
  EXPECT_TRUE(aboutShown);
  EXPECT_TRUE(openAfterKeys);
  const std::vector<std::wstring> pages = {cdv::web::kHomePage, cdv::web::kGuidePage, cdv::web::kHomePage,
                                           cdv::web::kSupportPage};
  EXPECT_EQ(opened, pages);
  const auto starts = UpdaterStarts(program);
  ASSERT_EQ(starts.size(), 2u);
  EXPECT_TRUE(EndsWith(starts[0], L" " + UpdaterArguments(L"1.0.0.7"))) << std::string(starts[0].begin(), starts[0].end());
  EXPECT_TRUE(EndsWith(starts[1], L" " + UpdaterArguments(L""))) << "two blanks for an empty version";
}

TEST_F(MenuTest, AnUpdateFoundAfterOneSecondStartsTheUpdater) {
  ProgramFolder program;
  SetProductVersion(L"1.0.0.9");
  updtest::LocalHttpServer newer(updtest::Behaviour::Answer, 200, "Cardivane=1.0.0.10\n");
  MainWindowSettings settings;
  settings.programFolder = program.Folder();
  settings.acquisition.startDelayMs = 60000;
  settings.updateManifest = newer.Url(L"/download/update/marlowen_update.txt");

  CMainDlg dlg(settings);
  DWORD opened = 0;
  DWORD started = 0;
  const RunResult run = RunMainWindow(
      dlg, {
               WaitFor("open", [&](CMainDlg& d) {
                 opened = ::GetTickCount();
                 return d.m_hWnd != nullptr;
               }),
               WaitFor("the updater starts on its own", [&](CMainDlg&) {
                 started = ::GetTickCount();
                 return !UpdaterStarts(program).empty();
               }),
               Do("exit", [](CMainDlg& d) { d.CloseWindow(0); }),
           });
  EXPECT_EQ(run.failedStep, "");
  EXPECT_GE(started - opened, 900u);
  const auto starts = UpdaterStarts(program);
  ASSERT_EQ(starts.size(), 1u);
  EXPECT_TRUE(EndsWith(starts[0], L" " + UpdaterArguments(L"1.0.0.9")));
  EXPECT_EQ(newer.Paths(), std::vector<std::string>{"/download/update/marlowen_update.txt"});
}

TEST_F(MenuTest, NoUpdateStartsNothing) {
  ProgramFolder program;
  SetProductVersion(L"1.0.0.10");
  updtest::LocalHttpServer same(updtest::Behaviour::Answer, 200, "Cardivane=1.0.0.10\n");
  MainWindowSettings settings;
  settings.programFolder = program.Folder();
  settings.acquisition.startDelayMs = 60000;
  settings.updateManifest = same.Url(L"/download/update/marlowen_update.txt");
  CMainDlg dlg(settings);
  const RunResult run = RunMainWindow(
      dlg, {
               WaitFor("the manifest was read", [&](CMainDlg&) { return !same.Paths().empty(); }),
               Pause(1000),
               Do("exit", [](CMainDlg& d) { d.CloseWindow(0); }),
           });
  EXPECT_EQ(run.failedStep, "");
  EXPECT_TRUE(UpdaterStarts(program).empty());
}

}  // namespace
