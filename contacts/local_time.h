#pragma once
#include <ctime>

namespace cdv {

std::tm LocalTimeNow();

}  // namespace cdv
