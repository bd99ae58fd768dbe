#pragma once

#include "cli/header_command.h"

namespace zurcfg {

// `zurcfg format`: rewrites each header in the canonical layout, as the window's save would, in
// its own line-end style, keeping the backup; a header already in that layout is left alone, and
// so is one whose findings say a rewrite would not keep it, unless --force. With --check nothing
// is written, and a header that would change is reported.
class FormatCommand : public HeaderCommand {
public:
    const char* Name() const override { return "format"; }
    const char* Summary() const override {
        return "Rewrite headers in the canonical layout, keeping ZURcfg.bak as the window does";
    }
    void AddOptions(CLI::App& command) override;
    ExitCode Run(Console& console) override;

private:
    ExitCode FormatOne(const std::string& header, Console& console) const;

    bool check_ = false;
    bool oldNames_ = false;
    bool newNames_ = false;
    bool force_ = false;
    bool quiet_ = false;
};

}  // namespace zurcfg
