#pragma once

#include "cli/header_command.h"

namespace zurcfg {

// `zurcfg show`: prints one header's configuration ("-" for standard input) as NAME=VALUE lines,
// then its two name tables, or all of it as one JSON object. Only these go to standard output;
// the findings go to standard error.
class ShowCommand : public HeaderCommand {
public:
    const char* Name() const override { return "show"; }
    const char* Summary() const override {
        return "Print a header's values as NAME=VALUE lines (new-style names), then its name "
               "tables";
    }
    void AddOptions(CLI::App& command) override;
    ExitCode Run(Console& console) override;

private:
    std::string path_;
    bool json_ = false;
};

}  // namespace zurcfg
