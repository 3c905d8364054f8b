#pragma once
// Counts the bytes held through operator new, and their peak, so a benchmark
// can report the memory one piece of work needed. Linking heap_meter.cpp
// replaces the global operator new and delete of the program.
#include <cstddef>

namespace cdv {

size_t HeapBytesNow();
size_t HeapBytesPeak();
// Starts a new peak from the bytes held now.
void ResetHeapPeak();

}  // namespace cdv
