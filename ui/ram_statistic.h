#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>

#include "config/configuration.h"

namespace zurcfg {

// The average RAM, in bytes, that the kernel takes in RAM banks 0 to 3 on the configuration's
// platform; empty when no platform of the list (1 to 5) is chosen. Bank and size positions
// outside their lists count as not stated.
std::optional<std::array<int32_t, 4>> ComputeRamUsage(const Configuration& configuration);

// What one figure label of the "RAM statistic" box shows.
struct RamFigure {
    std::string text;
    bool enabled;
};

// The four figure labels, banks 0 to 3: the banks the platform lacks are greyed, and without a
// platform the labels ask for one.
std::array<RamFigure, 4> RamFigures(const Configuration& configuration);

}  // namespace zurcfg
