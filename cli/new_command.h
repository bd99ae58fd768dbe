#pragma once

#include "cli/header_command.h"

namespace zurcfg {

// `zurcfg new`: writes a header from the default Configuration of a settings file, in the name
// style that file chose, as the window saves a new project. The settings file is only read. An
// existing header is replaced only when asked to, and then kept as the backup.
class NewCommand : public HeaderCommand {
public:
    const char* Name() const override { return "new"; }
    const char* Summary() const override {
        return "Write a header from the defaults of the window's settings file";
    }
    void AddOptions(CLI::App& command) override;
    ExitCode Run(Console& console) override;

private:
    std::string path_;
    std::string settingsPath_;
    bool replace_ = false;
};

}  // namespace zurcfg
