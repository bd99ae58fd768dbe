#pragma once

#include <string>
#include <string_view>

namespace zurcfg {

// Replaces the file at path with bytes so that it never holds a half-written content: the bytes
// go to a temporary file beside it, flushed to the disk, which is then renamed over it, and the
// folder is flushed (see ReplaceFile). Symbolic links are followed to the end of their chain and
// stay as they are; the regular file at the end is replaced, keeping its mode, or created there
// with any missing parent folders when nothing is there yet. Anything else at the end (a folder,
// a FIFO, a device, a link loop), a file this process may not open for writing, and a file in a
// folder that takes no new file, is never written nor waited on. False when nothing was
// replaced; the file at path is then left as it was and no temporary file remains.
bool ReplaceFileAtomically(const std::string& path, std::string_view bytes);

}  // namespace zurcfg
