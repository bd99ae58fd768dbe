#pragma once

// Checks of the configuration's texts before they are written into a header as they stand.

#include <string>
#include <string_view>

namespace zurcfg {

// Why a message type would break the header it is written into, or not read back as written;
// empty when it is fine. The type becomes the value of a macro: a comment opener in it makes the
// rest of the line, or of the header, a comment, a backslash (or its trigraph "??/") at its end
// joins the next line to the macro, and control bytes are dropped by the reader.
std::string MessageTypeProblem(std::string_view type);

// The same for the project name, which stands in a comment line: only control bytes, which the
// reader drops, do harm there.
std::string ProjectNameProblem(std::string_view name);

}  // namespace zurcfg
