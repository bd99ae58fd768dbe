#pragma once

#include "cli/header_command.h"

namespace zurcfg {

// `zurcfg check`: reads each header and reports what the window would tell about it, one
// warning a line in the compiler's form, plus the RAM per bank; or one JSON array with an
// object per header. Exits with Findings when any header has a warning.
class CheckCommand : public HeaderCommand {
public:
    const char* Name() const override { return "check"; }
    const char* Summary() const override {
        return "Report what the window would warn about in headers, and their RAM per bank";
    }
    void AddOptions(CLI::App& command) override;
    ExitCode Run(Console& console) override;

private:
    bool json_ = false;
};

}  // namespace zurcfg
