#pragma once
// What a load of a test database must show, worked out by running the
// reader and the engine directly on a copy of it.
#include <string>

namespace mwtest {

struct ExpectedLoad {
  int live = 0;            // contacts the reader lists
  std::string carvedText;  // the engine's text
  int carvedLines = 0;     // lines ending in CR LF
  int carvedRows = 0;      // of those, the ones with a TAB (shown as rows)
  int Total() const { return live + carvedLines; }
};

ExpectedLoad ExpectLoadOf(const std::wstring& database);

}  // namespace mwtest
