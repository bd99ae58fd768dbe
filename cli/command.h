#pragma once

#include <CLI/CLI.hpp>

#include "cli/console.h"
#include "cli/exit_code.h"

namespace zurcfg {

// One zurcfg command: its name and one-line summary for the help, the arguments it takes, and
// what it does with them. Arguments are parsed into the command's members before Run.
class Command {
public:
    virtual ~Command() = default;

    virtual const char* Name() const = 0;
    virtual const char* Summary() const = 0;
    // Declares the command's arguments and options, bound to its members.
    virtual void AddOptions(CLI::App& command) = 0;
    virtual ExitCode Run(Console& console) = 0;
};

}  // namespace zurcfg
