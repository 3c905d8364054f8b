// cardivane-bench-engine: the recovery engine on generated phones of growing
// size (30 % of the contacts deleted), against a plain sequential read of the
// same file, which is the floor any reader of the file pays.
//
//   cardivane-bench-engine [--sizes 1000,20000,200000] [--data DIR] [--repeat N]
//                          [--engine-only 1]   (no plain reads: for profiling)
//
// Databases are generated once into DIR and reused.
#include <sqlite3.h>
#include <sys/resource.h>
#include <time.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "recovery/sqlite_parse.h"
#include "tools/bench/heap_meter.h"

class SqliteParseInspector {
 public:
  static size_t carvedRows(const SqliteParse& e) { return e.m_carvedContacts.size(); }
  static size_t leafPages(const SqliteParse& e) { return e.m_leafPages.size(); }
};

namespace {

using Clock = std::chrono::steady_clock;

double Seconds(Clock::time_point from) { return std::chrono::duration<double>(Clock::now() - from).count(); }

// CPU time of this (single-threaded) process: less disturbed by other work on
// a shared machine than the wall clock.
double CpuSeconds() {
  timespec t{};
  clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &t);
  return static_cast<double>(t.tv_sec) + static_cast<double>(t.tv_nsec) * 1e-9;
}

struct Timing {
  double wall;
  double cpu;
};

bool Exists(const std::string& path) { return std::ifstream(path).good(); }

uint64_t FileSize(const std::string& path) {
  std::ifstream in(path, std::ios::binary | std::ios::ate);
  return static_cast<uint64_t>(in.tellg());
}

std::string Generate(const std::string& dir, int contacts) {
  const std::string folder = dir + "/phone-" + std::to_string(contacts);
  const std::string db = folder + "/contacts2.db";
  if (Exists(db + ".info.tsv") && Exists(db)) return db;
  std::printf("generating %d contacts into %s ...\n", contacts, db.c_str());
  std::fflush(stdout);
  const std::string command = "python3 '" CARDIVANE_GENERATOR "' --out '" + db + "' --contacts " +
                              std::to_string(contacts) + " --deleted-share 0.3 --seed 5 > /dev/null";
  if (std::system(command.c_str()) != 0) {
    std::fprintf(stderr, "generator failed: %s\n", command.c_str());
    std::exit(1);
  }
  return db;
}

// The whole file through one stream in 1 MiB reads.
Timing PlainRead(const std::string& path) {
  const Clock::time_point start = Clock::now();
  const double cpu = CpuSeconds();
  std::ifstream in(path, std::ios::binary);
  std::vector<char> buffer(1 << 20);
  uint64_t total = 0;
  unsigned sum = 0;
  while (in.read(buffer.data(), static_cast<std::streamsize>(buffer.size())) || in.gcount() > 0) {
    total += static_cast<uint64_t>(in.gcount());
    sum += static_cast<unsigned char>(buffer[0]);
  }
  const Timing t{Seconds(start), CpuSeconds() - cpu};
  if (total == 0 && sum == 1) std::puts("");  // keeps the loop's work observable
  return t;
}

struct EngineRun {
  double seconds = 0;
  double cpuSeconds = 0;
  size_t carvedRows = 0;
  size_t leafPages = 0;
  size_t lines = 0;
  size_t heapPeak = 0;     // C++ heap above what was held before, bytes
  size_t sqlitePeak = 0;   // SQLite's own allocations, bytes
};

EngineRun RunEngine(const std::string& path) {
  EngineRun run;
  const size_t before = cdv::HeapBytesNow();
  cdv::ResetHeapPeak();
  sqlite3_memory_highwater(1);
  const Clock::time_point start = Clock::now();
  const double cpu = CpuSeconds();
  std::string text;
  {
    SqliteParse engine(path, std::string());
    engine.startParse(ePaserContacts);
    text = engine.get_contacts_mem();
    run.carvedRows = SqliteParseInspector::carvedRows(engine);
    run.leafPages = SqliteParseInspector::leafPages(engine);
  }
  run.seconds = Seconds(start);
  run.cpuSeconds = CpuSeconds() - cpu;
  run.heapPeak = cdv::HeapBytesPeak() - before;
  run.sqlitePeak = static_cast<size_t>(sqlite3_memory_highwater(0));
  size_t at = 0;
  while ((at = text.find("\r\n", at)) != std::string::npos) {
    ++run.lines;
    at += 2;
  }
  return run;
}

std::vector<int> ParseSizes(const std::string& list) {
  std::vector<int> sizes;
  std::stringstream in(list);
  std::string item;
  while (std::getline(in, item, ',')) sizes.push_back(std::atoi(item.c_str()));
  return sizes;
}

}  // namespace

int main(int argc, char** argv) {
  std::vector<int> sizes = {1000, 20000, 200000};
  std::string data = CARDIVANE_BENCH_DATA;
  int repeat = 5;
  bool engineOnly = false;
  for (int i = 1; i + 1 < argc; i += 2) {
    const std::string flag = argv[i];
    if (flag == "--sizes") sizes = ParseSizes(argv[i + 1]);
    else if (flag == "--data") data = argv[i + 1];
    else if (flag == "--repeat") repeat = std::max(1, std::atoi(argv[i + 1]));
    else if (flag == "--engine-only") engineOnly = std::atoi(argv[i + 1]) != 0;
  }

  std::vector<std::string> files;
  for (int n : sizes) files.push_back(Generate(data, n));

  std::printf("\n%8s %7s %8s %8s %8s %6s %6s %7s %7s %7s %8s %8s %8s %6s %6s\n", "contacts", "file MB",
              "engine", "(cpu)", "first", "MB/s", "leaves", "carved", "lines", "heap MB", "sqlite", "read",
              "(cpu)", "ratio", "(cpu)");
  double previous = 0, previousCpu = 0;
  for (size_t k = 0; k < sizes.size(); ++k) {
    const std::string& db = files[k];
    const double mb = static_cast<double>(FileSize(db)) / (1024.0 * 1024.0);
    PlainRead(db);  // both measured with the file in the page cache
    std::vector<double> reads, readsCpu, engines, enginesCpu;
    EngineRun last;
    for (int r = 0; r < repeat; ++r) {
      if (!engineOnly) {
        const Timing t = PlainRead(db);
        reads.push_back(t.wall);
        readsCpu.push_back(t.cpu);
      }
      last = RunEngine(db);
      engines.push_back(last.seconds);
      enginesCpu.push_back(last.cpuSeconds);
    }
    auto best = [](const std::vector<double>& v) { return v.empty() ? 0.0 : *std::min_element(v.begin(), v.end()); };
    const double read = best(reads), readCpu = best(readsCpu);
    const double engine = best(engines), engineCpu = best(enginesCpu);
    std::printf("%8d %7.1f %6.1fms %6.1fms %6.1fms %6.0f %6zu %7zu %7zu %7.1f %6.0fKB %6.1fms %6.1fms %5.2fx %5.2fx\n",
                sizes[k], mb, engine * 1000, engineCpu * 1000, engines[0] * 1000, mb / engine, last.leafPages,
                last.carvedRows, last.lines, static_cast<double>(last.heapPeak) / (1024.0 * 1024.0),
                static_cast<double>(last.sqlitePeak) / 1024.0, read * 1000, readCpu * 1000,
                read > 0 ? engine / read : 0.0, readCpu > 0 ? engineCpu / readCpu : 0.0);
    if (previous > 0) {
      std::printf("%8s engine time grew %.1fx (cpu %.1fx) from the size before\n", "", engine / previous,
                  engineCpu / previousCpu);
    }
    previous = engine;
    previousCpu = engineCpu;
  }
  struct rusage usage {};
  getrusage(RUSAGE_SELF, &usage);
  std::printf("\nengine, read: best of %d runs with the file in the page cache, wall clock and (cpu) process\n"
              "CPU time; first: the engine's first run in this process; heap MB: peak C++ heap of one engine\n"
              "run; sqlite: SQLite's own peak; process peak resident set %.1f MB\n",
              repeat, static_cast<double>(usage.ru_maxrss) / 1024.0);
  return 0;
}
