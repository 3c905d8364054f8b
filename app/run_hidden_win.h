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
//
// `growingFile` (the pull's copy, in the narrow code page) may be given: while
// that file keeps growing the program is not cut off, so a large copy still
// arriving is not truncated. Each wait then lasts `timeoutMs` from the last
// growth, and all of them together at most kLongestGrowingWaitMs.
int RunHidden(const std::string& commandLine, DWORD timeoutMs = 3000, HANDLE cancel = nullptr,
              const std::string& growingFile = std::string());

constexpr DWORD kLongestGrowingWaitMs = 10 * 60 * 1000;

}  // namespace cdv
