#pragma once
// What a load or recovery worker needs from the window around it: the pause
// event, the stop flag, the progress bar and (for a load) the Contacts item.
// The program answers with a Windows event and synchronous messages; tests
// and the command line with portable equivalents.
#include <string>

namespace cdv {

class WorkerControl {
 public:
  virtual ~WorkerControl() = default;
  virtual void WaitWhilePaused() = 0;  // returns once the work may run
  virtual bool StopRequested() = 0;
  virtual void SetProgress(int percent) = 0;
};

class LoadControl : public WorkerControl {
 public:
  // After the counting pass: the worker shows its pause and stop buttons.
  virtual void OnCounted() {}
  // The Contacts item takes this label ("Contacts (N)") and has data from now on.
  virtual void LabelContacts(const std::u16string& label) = 0;
};

// processed x 100 / total, kept within 0-100 whatever the counts.
int ProgressPercent(long long processed, long long total);

}  // namespace cdv
