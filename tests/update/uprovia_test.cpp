// The updater: its window in this process against a local manifest, and the
// real Uprovia.exe started the way the program starts it.
#include <winsock2.h>
#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "app/web_links.h"
#include "platform/uprovia/updater_window.h"
#include "tests/ui/harness/ui_harness.h"
#include "tests/update/local_http_server.h"
#include "ui/controls/shell_open.h"

namespace {

using updtest::Behaviour;
using updtest::LocalHttpServer;

const wchar_t kId[] = L"6F1D2B9C-4E7A-4C53-9B0E-8A2F61D7C4E5";

TEST(Uprovia, NamesTheProductTheVersionAndWhatTheManifestOffers) {
  LocalHttpServer server(Behaviour::Answer, 200, "Cardivane=1.0.0.12\n");
  uprovia::UpdaterRequest request{L"Cardivane", L"1.0.0.9", L"Marlowen Cardivane", L"#32770", kId};
  uprovia::CUpdaterWindow window;
  ASSERT_NE(window.Open(request, server.Url(L"/download/update/marlowen_update.txt")), nullptr);
  EXPECT_TRUE(uitest::PumpUntil([&] { return window.CheckDone(); }, 10000));
  EXPECT_EQ(window.ProductLine(), L"Marlowen Cardivane");
  EXPECT_EQ(window.VersionLine(), L"Installed version: 1.0.0.9");
  EXPECT_EQ(window.StatusLine(), L"Version 1.0.0.12 is available on the download page.");
  EXPECT_EQ(window.DownloadLink().GetHyperLink(), cdv::web::kDownloadPage);

  // The link opens the download page.
  std::wstring opened;
  cdv::ScopedShellOpener opener([&](const wchar_t* address) {
    opened = address;
    return true;
  });
  RECT label = window.DownloadLink().GetLabelRect();
  uitest::Click(window.DownloadLink().m_hWnd, (label.left + label.right) / 2, (label.top + label.bottom) / 2);
  EXPECT_TRUE(uitest::PumpUntil([&] { return !opened.empty(); }, 2000));
  EXPECT_EQ(opened, cdv::web::kDownloadPage);

  // Its button closes it.
  uitest::Click(::GetDlgItem(window.m_hWnd, uprovia::CUpdaterWindow::kCloseId), 10, 10);
  EXPECT_TRUE(uitest::PumpUntil([&] { return !window.IsWindow(); }, 2000));
  MSG quit;
  ::PeekMessageW(&quit, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE);
}

TEST(Uprovia, AnUnknownVersionAndAnUnreachableServer) {
  std::wstring url;
  {
    LocalHttpServer gone(Behaviour::Answer);
    url = gone.Url(L"/download/update/marlowen_update.txt");
  }
  uprovia::UpdaterRequest request{L"Cardivane", L"", L"Marlowen Cardivane", L"#32770", kId};
  uprovia::CUpdaterWindow window;
  ASSERT_NE(window.Open(request, url), nullptr);
  EXPECT_TRUE(uitest::PumpUntil([&] { return window.CheckDone(); }, 10000));
  EXPECT_EQ(window.VersionLine(), L"Installed version: unknown");
  EXPECT_EQ(window.StatusLine(), L"The update server could not be reached. Please try again later.");
  window.DestroyWindow();
  MSG quit;
  ::PeekMessageW(&quit, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE);
}

HWND FindUpdater(DWORD processId) {
  for (HWND h = ::FindWindowW(L"MarlowenUprovia", nullptr); h != nullptr;
       h = ::FindWindowExW(nullptr, h, L"MarlowenUprovia", nullptr)) {
    DWORD owner = 0;
    ::GetWindowThreadProcessId(h, &owner);
    if (owner == processId) return h;
  }
  return nullptr;
}

TEST(Uprovia, TheProgramShowsOneWindowPerInstanceAndEndsWithIt) {
  wchar_t self[MAX_PATH] = {};
  ::GetModuleFileNameW(nullptr, self, MAX_PATH);
  std::wstring exe(self);
  exe = exe.substr(0, exe.find_last_of(L'\\') + 1) + L"Uprovia.exe";
  const std::wstring instance = uitest::UniqueName(L"updater");
  std::wstring line = L"\"" + exe + L"\" Cardivane 1.0.0.1 \"Marlowen Cardivane\" #32770 " + instance + L" " + instance;

  auto start = [&](PROCESS_INFORMATION& process) {
    STARTUPINFOW startup{};
    startup.cb = sizeof(startup);
    std::wstring copy = line;
    return ::CreateProcessW(nullptr, &copy[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &process) != 0;
  };
  PROCESS_INFORMATION first{};
  ASSERT_TRUE(start(first));
  HWND window = nullptr;
  EXPECT_TRUE(uitest::PumpUntil([&] { return (window = FindUpdater(first.dwProcessId)) != nullptr; }, 10000));
  wchar_t title[128] = {};
  ::GetWindowTextW(window, title, 128);
  EXPECT_STREQ(title, L"Marlowen Cardivane Update");

  // A second start for the same instance only brings the first forward.
  PROCESS_INFORMATION second{};
  ASSERT_TRUE(start(second));
  EXPECT_EQ(::WaitForSingleObject(second.hProcess, 10000), WAIT_OBJECT_0);
  DWORD code = 1;
  ::GetExitCodeProcess(second.hProcess, &code);
  EXPECT_EQ(code, 0u);
  EXPECT_EQ(FindUpdater(second.dwProcessId), nullptr);

  ::PostMessageW(window, WM_CLOSE, 0, 0);
  EXPECT_EQ(::WaitForSingleObject(first.hProcess, 10000), WAIT_OBJECT_0);
  for (PROCESS_INFORMATION* p : {&first, &second}) {
    ::CloseHandle(p->hThread);
    ::CloseHandle(p->hProcess);
  }
}

}  // namespace
