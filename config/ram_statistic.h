#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>

#include "config/configuration.h"

namespace zurcfg {

// The average RAM, in bytes, that the kernel takes in RAM banks 0 to 3 on the configuration's
// platform; empty when no platform of the list (1 to 5) is chosen. Bank and size positions
// outside their lists count as not stated. Counted in 64 bits, so that no count of the record
// makes a figure wrap around.
std::optional<std::array<int64_t, 4>> ComputeRamUsage(const Configuration& configuration);

// What one figure label of the "RAM statistic" box shows.
struct RamFigure {
    std::string text;
    bool enabled;
    // For a greyed figure, why: the platform lacks the bank, and where its variables went.
    std::string whyGreyed;
};

// The four figure labels, banks 0 to 3: the banks the platform lacks are greyed, and without a
// platform the labels ask for one. A figure beyond the 32-bit range shows as "> 2147483647" (or
// "< -2147483648"), never as a wrapped number.
std::array<RamFigure, 4> RamFigures(const Configuration& configuration);

}  // namespace zurcfg
