#pragma once

#include "cli/header_command.h"

namespace zurcfg {

// `zurcfg check`: reads each header ("-" for standard input) and reports what would stop a C
// compiler building it (errors) and what else is worth a look (warnings), one line each in the
// compiler's form, plus the RAM per bank; or one JSON array with an object per header, or one
// SARIF log. Exits with Findings when any header has an error, or with --warnings-as-errors any
// finding at all.
class CheckCommand : public HeaderCommand {
public:
    const char* Name() const override { return "check"; }
    const char* Summary() const override {
        return "Report what would stop the firmware building and what else is worth a look, "
               "and the RAM per bank";
    }
    void AddOptions(CLI::App& command) override;
    ExitCode Run(Console& console) override;

private:
    ExitCode Judge(const HeaderReport& report) const;

    bool json_ = false;
    bool sarif_ = false;
    bool quiet_ = false;
    bool warningsAsErrors_ = false;
};

}  // namespace zurcfg
