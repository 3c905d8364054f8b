#include "ui/controls/shell_open.h"

#include <windows.h>
#include <shellapi.h>

#include <utility>

namespace cdv {

namespace {

bool ShellExecuteOpen(const wchar_t* address) {
    const auto code = reinterpret_cast<INT_PTR>(
        ::ShellExecuteW(nullptr, L"open", address, nullptr, nullptr, SW_SHOWNORMAL));
    return code > 32;  // smaller values are error codes
}

ShellOpener& CurrentOpener() {
    static ShellOpener opener = ShellExecuteOpen;
    return opener;
}

}  // namespace

bool OpenInShell(const wchar_t* address) {
    if (address == nullptr || *address == L'\0') return false;
    const ShellOpener& opener = CurrentOpener();
    return opener ? opener(address) : false;
}

ScopedShellOpener::ScopedShellOpener(ShellOpener opener)
    : m_previous(std::exchange(CurrentOpener(), std::move(opener))) {}

ScopedShellOpener::~ScopedShellOpener() { CurrentOpener() = std::move(m_previous); }

}  // namespace cdv
