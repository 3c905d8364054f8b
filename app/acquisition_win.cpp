#include "app/acquisition_win.h"

#include <vector>

#include "app/acquisition_plan.h"
#include "app/run_hidden_win.h"
#include "platform/codepage/codepage.h"

namespace cdv {

void RunAcquisition(const AcquisitionJob& job) {
  if (job.cancel != nullptr) {
    if (::WaitForSingleObject(job.cancel, job.timing.startDelayMs) == WAIT_OBJECT_0) return;
  } else {
    ::Sleep(job.timing.startDelayMs);
  }
  for (RelayStep step : kRelaySteps) {
    if (job.cancel != nullptr && ::WaitForSingleObject(job.cancel, 0) == WAIT_OBJECT_0) return;
    const std::optional<std::string> line = RelayCommandLine(step, job.programFolder, job.contactsCopy);
    if (!line) continue;
    const bool pull = step == RelayStep::PullContacts;
    RunHidden(*line, job.timing.commandTimeoutMs, job.cancel, pull ? job.contactsCopy : std::string());
  }
}

std::string ProgramFolderAnsi() {
  std::vector<wchar_t> buffer(MAX_PATH);
  DWORD got = 0;
  for (;;) {
    got = ::GetModuleFileNameW(nullptr, buffer.data(), static_cast<DWORD>(buffer.size()));
    if (got == 0) return std::string();
    if (got < buffer.size()) break;
    buffer.resize(buffer.size() * 2);
  }
  std::u16string path(buffer.begin(), buffer.begin() + got);
  const size_t slash = path.find_last_of(u"\\/");
  if (slash != std::u16string::npos) path.resize(slash);
  return Utf16ToAnsi(path);
}

}  // namespace cdv
