#pragma once
// Opening an address or a file with the shell's "open" verb. Everything the
// program opens in the user's browser goes through here, so a test can put an
// observer in place of the browser.

#include <functional>

namespace cdv {

// Returns true when the shell accepted the request.
using ShellOpener = std::function<bool(const wchar_t* address)>;

// ShellExecute(no owner, "open", address, no parameters, no folder,
// SW_SHOWNORMAL), or the opener a test installed.
bool OpenInShell(const wchar_t* address);

// Installs `opener` for the life of the object and puts the previous one back.
class ScopedShellOpener {
public:
    explicit ScopedShellOpener(ShellOpener opener);
    ~ScopedShellOpener();
    ScopedShellOpener(const ScopedShellOpener&) = delete;
    ScopedShellOpener& operator=(const ScopedShellOpener&) = delete;

private:
    ShellOpener m_previous;
};

}  // namespace cdv
