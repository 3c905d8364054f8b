// The real program: a second start exits at once with 0 while the first
// runs, and the first ends with 1000 from its close button.

#include <windows.h>

#include <gtest/gtest.h>

#include <string>

namespace {

std::wstring ProgramBeside(const wchar_t* name) {
    wchar_t self[MAX_PATH] = {};
    ::GetModuleFileNameW(nullptr, self, MAX_PATH);
    std::wstring dir(self);
    dir.resize(dir.find_last_of(L'\\') + 1);
    return dir + name;
}

PROCESS_INFORMATION Start(const std::wstring& exe) {
    STARTUPINFOW si{};
    si.cb = sizeof(si);
    PROCESS_INFORMATION pi{};
    std::wstring cmd = L"\"" + exe + L"\" --ignored argument";
    ::CreateProcessW(exe.c_str(), &cmd[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &pi);
    return pi;
}

struct Search {
    DWORD pid;
    HWND found;
};

BOOL CALLBACK FindMain(HWND hWnd, LPARAM param) {
    auto* s = reinterpret_cast<Search*>(param);
    DWORD pid = 0;
    ::GetWindowThreadProcessId(hWnd, &pid);
    wchar_t title[64] = {};
    ::GetWindowTextW(hWnd, title, 64);
    if (pid == s->pid && ::IsWindowVisible(hWnd) && std::wstring(title) == L"Marlowen Cardivane") {
        s->found = hWnd;
        return FALSE;
    }
    return TRUE;
}

HWND WaitForMainWindow(DWORD pid, DWORD timeoutMs) {
    const DWORD start = ::GetTickCount();
    while (::GetTickCount() - start < timeoutMs) {
        Search s{pid, nullptr};
        ::EnumWindows(&FindMain, reinterpret_cast<LPARAM>(&s));
        if (s.found != nullptr) return s.found;
        ::Sleep(50);
    }
    return nullptr;
}

DWORD ExitCodeAfter(HANDLE process, DWORD timeoutMs) {
    if (::WaitForSingleObject(process, timeoutMs) != WAIT_OBJECT_0) return STILL_ACTIVE;
    DWORD code = STILL_ACTIVE;
    ::GetExitCodeProcess(process, &code);
    return code;
}

TEST(Program, SecondInstanceExitsAtOnceAndTheFirstClosesWith1000) {
    const std::wstring exe = ProgramBeside(L"Cardivane.exe");
    ASSERT_NE(::GetFileAttributesW(exe.c_str()), INVALID_FILE_ATTRIBUTES) << "Cardivane.exe beside the test";

    PROCESS_INFORMATION first = Start(exe);
    ASSERT_NE(first.hProcess, nullptr);
    HWND main = WaitForMainWindow(first.dwProcessId, 20000);
    ASSERT_NE(main, nullptr);

    PROCESS_INFORMATION second = Start(exe);
    ASSERT_NE(second.hProcess, nullptr);
    EXPECT_EQ(ExitCodeAfter(second.hProcess, 10000), 0u);
    EXPECT_EQ(WaitForMainWindow(second.dwProcessId, 200), nullptr) << "the second start shows nothing";
    EXPECT_EQ(::WaitForSingleObject(first.hProcess, 0), static_cast<DWORD>(WAIT_TIMEOUT)) << "the first runs on";

    ::PostMessageW(main, WM_COMMAND, MAKEWPARAM(1000, BN_CLICKED), reinterpret_cast<LPARAM>(::GetDlgItem(main, 1000)));
    DWORD code = ExitCodeAfter(first.hProcess, 10000);
    if (code == STILL_ACTIVE) ::TerminateProcess(first.hProcess, 1);
    EXPECT_EQ(code, 1000u);

    for (PROCESS_INFORMATION* pi : {&first, &second}) {
        ::CloseHandle(pi->hThread);
        ::CloseHandle(pi->hProcess);
    }
}

}  // namespace
