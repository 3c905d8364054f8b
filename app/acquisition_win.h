#pragma once
// The acquisition: after a pause that lets a freshly plugged phone settle,
// the relay makes the contacts and message databases readable on the phone
// and pulls the contacts database to the local copy. The outcome is judged
// afterwards by whether a copy exists.
#include <windows.h>

#include <string>

namespace cdv {

struct AcquisitionTiming {
  DWORD startDelayMs = 5000;
  DWORD commandTimeoutMs = 3000;
};

struct AcquisitionJob {
  std::string programFolder;  // holds droidgate.exe; no trailing backslash
  std::string contactsCopy;
  AcquisitionTiming timing;
  // Signalled when the window closes: the pause ends and a running relay is
  // terminated at once.
  HANDLE cancel = nullptr;
};

// The whole sequence; returns once the three commands have run (or were
// cancelled). Commands that do not fit their buffer are skipped.
void RunAcquisition(const AcquisitionJob& job);

// The folder of the running program file in the active code page, without a
// trailing backslash.
std::string ProgramFolderAnsi();

}  // namespace cdv
