// contacts-bench: time and peak heap of the reader, the two loading passes,
// the list rows and the export, on generated phones of growing size, with
// the growth from one size to the next. Run it from a Release tree:
//   contacts-bench [--sizes 1000,20000,200000] [--data DIR]
#include <sqlite3.h>
#include <time.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "contacts/contacts_export.h"
#include "contacts/list_rows.h"
#include "contacts/loading.h"
#include "contacts/pause_gate.h"
#include "platform/siftdb/siftdb_reader.h"
#include "recovery/sqlite_parse.h"
#include "tools/bench/heap_meter.h"

namespace {

namespace fs = std::filesystem;

// Wall time, and the process's processor time (user and system), which a
// busy shared machine disturbs far less.
struct Figure {
  double seconds = 0;
  double cpuSeconds = 0;
  double peakMiB = 0;
};

double CpuSeconds() {
  timespec t{};
  clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &t);
  return static_cast<double>(t.tv_sec) + static_cast<double>(t.tv_nsec) * 1e-9;
}

// Best time of `repeats` runs; the peak is the highest over them.
Figure Measure(int repeats, const std::function<void()>& setUp, const std::function<void()>& phase) {
  Figure f;
  f.seconds = 1e30;
  f.cpuSeconds = 1e30;
  for (int i = 0; i < repeats; ++i) {
    setUp();
    const size_t base = cdv::HeapBytesNow();
    cdv::ResetHeapPeak();
    sqlite3_memory_highwater(1);
    const auto start = std::chrono::steady_clock::now();
    const double cpuStart = CpuSeconds();
    phase();
    const double cpu = CpuSeconds() - cpuStart;
    const double s = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    if (cpu < f.cpuSeconds) f.cpuSeconds = cpu;
    // Heap through operator new (records, carved records, rows) plus SQLite's own.
    const double peak =
        static_cast<double>(cdv::HeapBytesPeak() - base + static_cast<size_t>(sqlite3_memory_highwater(0))) /
        1048576.0;
    if (s < f.seconds) f.seconds = s;
    if (peak > f.peakMiB) f.peakMiB = peak;
  }
  return f;
}

bool Generate(const fs::path& db, int contacts) {
  if (fs::exists(db) && fs::exists(db.string() + ".live.tsv")) return true;
  std::printf("generating %d contacts into %s ...\n", contacts, db.string().c_str());
  std::fflush(stdout);
  const std::string command = "python3 '" CARDIVANE_SOURCE_DIR "/tools/contactsgen/gen_contacts.py' --out '" +
                              db.string() + "' --contacts " + std::to_string(contacts) +
                              " --deleted-share 0.3 --seed 1 --layout modern >/dev/null";
  return std::system(command.c_str()) == 0;
}

struct Row {
  int contacts;
  double fileMiB;
  int live;
  int carved;
  Figure reader, load, rows, exportFile;
  double exportMiB;
};

void PrintGrowth(const char* phase, const Row& a, const Row& b, const Figure Row::*f) {
  // The carved lines need not grow with the contacts: records are what the
  // loading, the rows and the export handle.
  const double records = static_cast<double>(b.live + b.carved) / (a.live + a.carved);
  std::printf("  %-8s %6.1fx time  %6.1fx cpu  %6.1fx peak heap  (%dx contacts, %.1fx records)\n", phase,
              (b.*f).seconds / (a.*f).seconds, (b.*f).cpuSeconds / (a.*f).cpuSeconds,
              (b.*f).peakMiB / (a.*f).peakMiB, b.contacts / a.contacts, records);
}

}  // namespace

int main(int argc, char** argv) {
  std::vector<int> sizes = {1000, 20000, 200000};
  fs::path data = fs::temp_directory_path() / "cardivane-bench";
  for (int i = 1; i + 1 < argc; i += 2) {
    const std::string opt = argv[i];
    if (opt == "--data") {
      data = argv[i + 1];
    } else if (opt == "--sizes") {
      sizes.clear();
      for (std::string s = argv[i + 1]; !s.empty();) {
        const size_t comma = s.find(',');
        sizes.push_back(std::stoi(s.substr(0, comma)));
        s = comma == std::string::npos ? "" : s.substr(comma + 1);
      }
    }
  }

  std::vector<Row> rows;
  for (int n : sizes) {
    const fs::path db = data / std::to_string(n) / "contacts2.db";
    if (!Generate(db, n)) {
      std::fprintf(stderr, "contacts-bench: cannot generate %s\n", db.string().c_str());
      return 1;
    }
    const int repeats = n >= 100000 ? 1 : 3;
    Row row{};
    row.contacts = n;
    row.fileMiB = static_cast<double>(fs::file_size(db)) / 1048576.0;

    std::string carvedText;
    {
      SqliteParse engine(db.string(), std::string());
      engine.startParse(ePaserContacts);
      carvedText = engine.get_contacts_mem();
    }

    row.reader = Measure(repeats, [] {}, [&] {
      const cdv::SiftDbResult read = cdv::ReadContactsDatabase(db.string());
      row.live = read.contactCount;
    });

    cdv::LoadedContacts loaded;
    auto freshLoad = [&] {
      loaded.Clear();
      loaded.carvedText = carvedText;
    };
    row.load = Measure(repeats, freshLoad, [&] {
      cdv::LinkedContactsReader reader;
      cdv::PortableLoadControl control;
      cdv::LoadContacts(db.string(), reader, loaded, control);
    });
    row.carved = static_cast<int>(loaded.carved.size());

    row.rows = Measure(repeats, [] {}, [&] { (void)cdv::BuildListRows(loaded); });

    const fs::path out = data / std::to_string(n) / "export";
    row.exportFile = Measure(
        repeats, [&] { fs::remove_all(out); fs::create_directories(out); },
        [&] {
          cdv::PortableLoadControl control;
          cdv::ExportRequest request{out.u16string(), cdv::ContactsLabel(row.live + row.carved), true,
                                     cdv::CountTickedForRecover(loaded)};
          loaded.processedCount = 0;
          const cdv::ExportResult result = cdv::ExportContacts(request, loaded, control);
          row.exportMiB = static_cast<double>(fs::file_size(fs::path(result.filePath))) / 1048576.0;
        });
    rows.push_back(row);

    std::printf("%7d contacts (%.1f MiB file; %d raw contacts, %d carved lines)\n", n, row.fileMiB, row.live,
                row.carved);
    std::printf("  reader   %8.3f s (cpu %7.3f s)  peak heap %7.1f MiB\n", row.reader.seconds,
                row.reader.cpuSeconds, row.reader.peakMiB);
    std::printf("  loading  %8.3f s (cpu %7.3f s)  peak heap %7.1f MiB  (counting and loading pass, two reads)\n",
                row.load.seconds, row.load.cpuSeconds, row.load.peakMiB);
    std::printf("  rows     %8.3f s (cpu %7.3f s)  peak heap %7.1f MiB\n", row.rows.seconds, row.rows.cpuSeconds,
                row.rows.peakMiB);
    std::printf("  export   %8.3f s (cpu %7.3f s)  peak heap %7.1f MiB  (%.1f MiB written)\n",
                row.exportFile.seconds, row.exportFile.cpuSeconds, row.exportFile.peakMiB, row.exportMiB);
    std::fflush(stdout);
  }

  for (size_t i = 1; i < rows.size(); ++i) {
    std::printf("growth %d -> %d:\n", rows[i - 1].contacts, rows[i].contacts);
    PrintGrowth("reader", rows[i - 1], rows[i], &Row::reader);
    PrintGrowth("loading", rows[i - 1], rows[i], &Row::load);
    PrintGrowth("rows", rows[i - 1], rows[i], &Row::rows);
    PrintGrowth("export", rows[i - 1], rows[i], &Row::exportFile);
  }
  return 0;
}
