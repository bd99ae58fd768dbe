#pragma once

#include <memory>
#include <vector>

#include "cli/command.h"

namespace zurcfg {

// Every zurcfg command, once, in the order the help lists them.
std::vector<std::unique_ptr<Command>> MakeCommands();

}  // namespace zurcfg
