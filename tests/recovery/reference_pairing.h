#pragma once
// The pairing of carved rows written the plain way, every entry against every
// later one, as the reference the engine's grouping must match byte for byte.
#include <string>
#include <vector>

#include "recovery/carved_types.h"

namespace cdvtest {

std::string QuadraticContactsText(const std::vector<CarvedContact>& rows);

}  // namespace cdvtest
