#pragma once
// Starting a companion program with a hidden window and a bounded wait.
#include <windows.h>

#include <string>

namespace cdv {

// Starts `commandLine` (the line alone names the program), hidden, with the
// program's handles, environment and folder, and waits at most `timeoutMs`
// for it, or until `cancel` (may be null) is signalled. A process still
// running then is terminated with exit code 0. Returns 1 when the process
// was started, 0 when it could not be.
int RunHidden(const std::string& commandLine, DWORD timeoutMs = 3000, HANDLE cancel = nullptr);

}  // namespace cdv
