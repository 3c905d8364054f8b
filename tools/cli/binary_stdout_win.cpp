#include "tools/cli/binary_stdout.h"

#include <fcntl.h>
#include <io.h>
#include <stdio.h>

namespace cdv {

void SetBinaryStdout() {
  _setmode(_fileno(stdout), _O_BINARY);
}

}  // namespace cdv
