#pragma once

// Full name-table rows for the core's benchmarks: identifiers numbered after a prefix, each with
// a comment, as a well-kept header has them.

#include <string>
#include <vector>

#include "config/configuration.h"

namespace zurcfg::bench {

inline std::vector<NameEntry> NamedEntries(const std::string& prefix, int count) {
    std::vector<NameEntry> entries;
    for (int entry = 0; entry < count; ++entry) {
        entries.push_back({prefix + std::to_string(entry),
                           "what " + prefix + std::to_string(entry) + " stands for"});
    }
    return entries;
}

}  // namespace zurcfg::bench
