#pragma once

namespace cdv {

// Standard output passes bytes unchanged (no LF to CR LF translation).
void SetBinaryStdout();

}  // namespace cdv
