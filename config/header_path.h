#pragma once

#include <string>

namespace zurcfg {

#ifdef _WIN32
inline constexpr char kNativeSeparator = '\\';
#else
inline constexpr char kNativeSeparator = '/';
#endif

// A path whose lower-case form contains "zurcfg.h" names the header itself; any other path is a
// folder, and the header in it is meant. Nothing else is changed: a trailing separator stays, so
// it is doubled.
std::string HeaderPathFor(std::string path);

// The backup kept beside a header: its path less the last character, plus "bak".
std::string BackupPathFor(const std::string& headerPath);

// Where a save keeps the backup of the header at headerPath: beside the file its symbolic links
// lead to, named as BackupPathFor names it.
std::string BackupOfHeader(const std::string& headerPath);

}  // namespace zurcfg
