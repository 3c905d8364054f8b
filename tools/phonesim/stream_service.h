#pragma once

// One service stream of the device (shell or sync), fed with the host's
// bytes and drained of its reply in pieces the connection can send.

#include <cstddef>
#include <string>
#include <string_view>

namespace cdv::phonesim {

class StreamService {
 public:
  virtual ~StreamService() = default;
  virtual void OnInput(std::string_view bytes) = 0;
  // Appends at most `max` bytes of reply to `out`.
  virtual void TakeOutput(std::size_t max, std::string* out) = 0;
  // True once the reply is complete and has been taken: the stream may close.
  virtual bool Finished() const = 0;
};

}  // namespace cdv::phonesim
