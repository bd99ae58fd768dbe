#pragma once

#include "cli/header_command.h"

namespace zurcfg {

// `zurcfg set`: changes fields of one header by macro name and rewrites it in its own name and
// line-end style. A value the window would not take is refused: one out of range, a text that
// would break the header, a setting the window greys for the values set. When any NAME=VALUE
// is refused, each refusal is told and nothing is written; so it is for a header whose findings
// say a rewrite would not keep it, unless --force.
class SetCommand : public HeaderCommand {
public:
    const char* Name() const override { return "set"; }
    const char* Summary() const override {
        return "Change fields of a header by macro name, then rewrite it";
    }
    void AddOptions(CLI::App& command) override;
    ExitCode Run(Console& console) override;

private:
    // Applies every assignment to configuration, which held `before`; false when any is
    // refused.
    bool Assign(const Configuration& before, Configuration& configuration, Console& console) const;

    std::string path_;
    std::vector<std::string> assignments_;
    bool force_ = false;
    bool quiet_ = false;
};

}  // namespace zurcfg
