#pragma once

#include <string>
#include <string_view>

namespace zurcfg {

// Replaces the file at path with bytes so that it never holds a half-written content: the bytes
// go to a temporary file beside it, which is then renamed over it. Missing parent folders are
// created, and a symbolic link keeps pointing at the replaced file. False when anything failed;
// the file at path is then left as it was and no temporary file remains.
bool ReplaceFileAtomically(const std::string& path, std::string_view bytes);

}  // namespace zurcfg
