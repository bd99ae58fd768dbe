#pragma once

#include "cli/header_command.h"

namespace zurcfg {

// `zurcfg set`: changes fields of one header by macro name and rewrites it in its own name
// style. When any NAME=VALUE is refused, each refusal is told and nothing is written.
class SetCommand : public HeaderCommand {
public:
    const char* Name() const override { return "set"; }
    const char* Summary() const override {
        return "Change fields of a header by macro name, then rewrite it";
    }
    void AddOptions(CLI::App& command) override;
    ExitCode Run(Console& console) override;

private:
    // Applies every assignment to configuration; false when any is refused.
    bool Assign(Configuration& configuration, Console& console) const;

    std::string path_;
    std::vector<std::string> assignments_;
};

}  // namespace zurcfg
