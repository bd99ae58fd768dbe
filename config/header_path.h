#pragma once

#include <string>

namespace zurcfg {

#ifdef _WIN32
inline constexpr char kNativeSeparator = '\\';
#else
inline constexpr char kNativeSeparator = '/';
#endif

// The header a path names. An existing regular file (links followed) is the header whatever its
// name ("board.h"). Otherwise a path whose lower-case form contains "zurcfg.h" names the header
// itself, and any other path is a folder, the header in it being meant; a separator that already
// ends the folder's path is not doubled.
std::string HeaderPathFor(std::string path);

// Whether a regular file stands at the path, links followed.
bool IsExistingRegularFile(const std::string& path);

// The backup kept beside a header: its path less the last character, plus "bak".
std::string BackupPathFor(const std::string& headerPath);

// Where a save keeps the backup of the header at headerPath: beside the file its symbolic links
// lead to, named as BackupPathFor names it.
std::string BackupOfHeader(const std::string& headerPath);

}  // namespace zurcfg
