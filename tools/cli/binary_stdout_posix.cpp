#include "tools/cli/binary_stdout.h"

namespace cdv {

void SetBinaryStdout() {}

}  // namespace cdv
