#pragma once

// The changes a save would make to a header on disk, and those the last save made, as unified
// diffs for the user to read. Lines are compared without their line breaks, so that the header's
// CR LF, LF or CR lines match the "\n" lines of the text a save would write.

#include <optional>
#include <string>

namespace zurcfg {

// The text of the regular file at `path` with every line break as "\n"; nothing when there is none
// or it cannot be read.
std::optional<std::string> ReadHeaderText(const std::string& path);

// How the header that Save would write to `savePath` (a folder or the header itself, see
// HeaderPathFor) would change if `newText` ("\n" line breaks) replaced it: every line added, from
// "new file", when there is no such file or no path has been chosen yet; empty when nothing would
// change.
std::string ChangesToHeader(const std::string& savePath, const std::string& newText);

// How the header at `headerPath` differs from its backup, the file the last save replaced;
// nothing when there is no backup. A missing header counts as empty.
std::optional<std::string> ChangesSinceBackup(const std::string& headerPath);

}  // namespace zurcfg
