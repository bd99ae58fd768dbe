#pragma once

#include <string>

#include "settings/app_settings.h"

namespace zurcfg {

// Puts `path` at the head of the recent paths list. A path already listed (compared byte for
// byte) swaps places with the head entry, so every other entry keeps its place; a new path
// pushes the list one place down and the last entry drops out. An empty path is not entered:
// it would end the list in front of every path.
void AddToRecentPaths(RecentPaths& paths, const std::string& path);

}  // namespace zurcfg
