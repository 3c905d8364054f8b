// One libFuzzer program per entry point; FUZZ_ENTRY names it.
#include "tests/fuzz/fuzz_targets.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) { return cdvfuzz::FUZZ_ENTRY(data, size); }
