#pragma once

// The spelling a header uses for the macros whose names changed with kernel version 90200
// (OS_ENABLE_QMSG became OS_ENABLE_QUEUE, and so on), so that a save that would change it can
// say so first, and `zurcfg` keeps it.

#include <string>
#include <vector>

namespace zurcfg {

enum class NameStyle {
    Neither,  // none of the changed names is defined, or names of both styles are
    Old,      // a name only the old style uses, and none that only the new style uses
    New,      // the other way round
};

// The style of a header that defines the sorted `definedMacros`, as the reader lists them. An
// old-style header defines the new message type names as well: only without the old ones do
// they mark the new style.
NameStyle NameStyleOf(const std::vector<std::string>& definedMacros);

// The style of the regular file at `path`; Neither when there is none or it cannot be read.
NameStyle NameStyleOfFile(const std::string& path);

}  // namespace zurcfg
