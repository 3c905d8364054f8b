#pragma once
// Walks a reader list along `next`. The lists come from a library, so a walk
// never trusts the chain to end: a loop is detected (Brent's method, no extra
// memory) and ends the walk.
#include <cstddef>
#include <type_traits>

namespace cdv {

// Calls fn(record) for each record in list order. When fn returns bool, false
// ends the walk early.
template <class Record, class Fn>
void ForEachRecord(Record* head, Fn&& fn) {
  Record* mark = head;
  size_t power = 1;
  size_t sinceMark = 0;
  for (Record* r = head; r != nullptr;) {
    if constexpr (std::is_same_v<decltype(fn(*r)), bool>) {
      if (!fn(*r)) return;
    } else {
      fn(*r);
    }
    r = r->next;
    if (r == mark) return;  // back at a record already seen: the list loops
    if (++sinceMark == power) {
      mark = r;
      power *= 2;
      sinceMark = 0;
    }
  }
}

template <class Record>
size_t CountRecords(Record* head) {
  size_t n = 0;
  ForEachRecord(head, [&](Record&) { ++n; });
  return n;
}

}  // namespace cdv
