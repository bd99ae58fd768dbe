#include "settings/recent_paths.h"

#include <algorithm>
#include <utility>

namespace zurcfg {

void AddToRecentPaths(RecentPaths& paths, const std::string& path) {
    if (path.empty()) {
        return;
    }
    const auto listEnd = std::find(paths.begin(), paths.end(), std::string());
    const auto listed = std::find(paths.begin(), listEnd, path);
    if (listed != listEnd) {
        std::swap(paths.front(), *listed);
        return;
    }
    std::move_backward(paths.begin(), paths.end() - 1, paths.end());
    paths.front() = path;
}

}  // namespace zurcfg
