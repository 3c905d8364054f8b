// The load and export workers on a real contacts database while another
// thread plays the window: pause, continue, stop, ticks and progress reads in
// a tight loop. Built with ThreadSanitizer (run_tsan.sh); any race report or a
// wrong outcome fails the run.
//
//   race_hammer DATABASE SCRATCH_FOLDER [ROUNDS]
#include <atomic>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <random>
#include <string>
#include <thread>

#include "contacts/contacts_export.h"
#include "contacts/list_walk.h"
#include "contacts/loading.h"
#include "contacts/pause_gate.h"
#include "platform/siftdb/siftdb_reader.h"
#include "recovery/sqlite_parse.h"

namespace {

int failures = 0;

void Check(bool ok, const char* what, int round) {
  if (ok) return;
  std::fprintf(stderr, "race_hammer: round %d: %s\n", round, what);
  ++failures;
}

// The window's side: runs until `done`, pausing and continuing the worker,
// flipping ticks as the tree's check box does, reading progress and label;
// stops the worker at `stopAfter` operations (never when negative).
void PlayWindow(cdv::PortableLoadControl& control, cdv::LoadedContacts& loaded, const std::atomic<bool>& done,
                std::mt19937& random, int stopAfter, bool flipTicks) {
  for (int op = 0; !done.load(); ++op) {
    if (op == stopAfter) control.Stop();
    switch (random() % 4) {
      case 0: control.Pause(); break;
      case 1: control.Continue(); break;
      case 2:
        (void)control.progress();
        (void)control.label();
        break;
      case 3:
        if (flipTicks) {
          const bool on = random() % 2 == 0;
          cdv::ForEachRecord(loaded.lists.aux, [&](cdv::AuxRecord& r) { cdv::SetTicked(r, on); });
          cdv::ForEachRecord(loaded.lists.contacts, [&](cdv::ContactRecord& r) { cdv::SetTicked(r, on); });
          loaded.carved.ForEach([&](cdv::ContactRecord& r) { cdv::SetTicked(r, on); });
        }
        break;
    }
    std::this_thread::sleep_for(std::chrono::microseconds(random() % 200));
  }
  control.Continue();
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 3) {
    std::fprintf(stderr, "usage: race_hammer DATABASE SCRATCH_FOLDER [ROUNDS]\n");
    return 2;
  }
  const std::string db = argv[1];
  const std::filesystem::path scratch = argv[2];
  const int rounds = argc > 3 ? std::atoi(argv[3]) : 12;

  std::string carved;
  {
    SqliteParse engine(db, std::string());
    engine.startParse(ePaserContacts);
    carved = engine.get_contacts_mem();
  }
  const size_t carvedLines = cdv::CountCarvedLines(carved);
  std::printf("race_hammer: %zu carved lines\n", carvedLines);
  Check(carvedLines > 0, "the database has deleted contacts to carve", -1);

  std::mt19937 random(20240611);
  for (int round = 0; round < rounds; ++round) {
    // One round in three stops the load part-way, another the export.
    const int stopLoadAfter = round % 3 == 1 ? static_cast<int>(random() % 400) : -1;
    const int stopExportAfter = round % 3 == 2 ? static_cast<int>(random() % 40) : -1;

    cdv::LinkedContactsReader reader;
    cdv::PortableLoadControl loadControl;
    cdv::LoadedContacts loaded;
    loaded.carvedText = carved;
    std::atomic<bool> loadDone{false};
    int loadResult = 0;
    std::thread loader([&] {
      loadResult = cdv::LoadContacts(db, reader, loaded, loadControl);
      loadDone.store(true);
    });
    PlayWindow(loadControl, loaded, loadDone, random, stopLoadAfter, false);
    loader.join();
    if (stopLoadAfter < 0) {
      Check(loadResult > 0, "an unstopped load handles records", round);
      Check(loaded.carved.size() == carvedLines, "every carved line becomes a record", round);
      Check(loadControl.hasData(), "the Contacts item is labelled", round);
    } else {
      Check(loadResult == -1 || loadResult > 0, "a stopped load ends stopped or complete", round);
    }
    if (loadResult <= 0) continue;

    // The export, with the window ticking and unticking everything meanwhile.
    const std::filesystem::path folder = scratch / ("round" + std::to_string(round));
    std::filesystem::create_directories(folder);
    cdv::PortableLoadControl exportControl;
    cdv::ExportRequest request{folder.u16string(), loadControl.label(), true, cdv::CountTickedForRecover(loaded)};
    loaded.processedCount = 0;
    std::atomic<bool> exportDone{false};
    cdv::ExportResult result;
    std::thread exporter([&] {
      result = cdv::ExportContacts(request, loaded, exportControl);
      exportDone.store(true);
    });
    PlayWindow(exportControl, loaded, exportDone, random, stopExportAfter, true);
    exporter.join();
    Check(result.status != cdv::ExportStatus::WriteFailed, "the export writes its file", round);
    if (stopExportAfter < 0) Check(result.status != cdv::ExportStatus::Stopped, "an unstopped export finishes", round);
    std::printf("race_hammer: round %d: load %d, export %d\n", round, loadResult, result.result);
  }
  if (failures == 0) std::printf("race_hammer: %d rounds, no wrong outcome\n", rounds);
  return failures == 0 ? 0 : 1;
}
