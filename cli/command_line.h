#pragma once

#include <string>
#include <vector>

#include "cli/console.h"
#include "cli/exit_code.h"

namespace zurcfg {

// Parses zurcfg's arguments (the program name first) into one command and runs it. Help and
// the version go to out and end cleanly; a usage error is told on err and ends with
// UsageOrFileError.
ExitCode RunCommandLine(const std::vector<std::string>& arguments, Console& console);

}  // namespace zurcfg
