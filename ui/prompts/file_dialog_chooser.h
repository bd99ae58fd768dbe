#pragma once

#include "ui/prompts/file_chooser.h"

namespace zurcfg {

// Asks with the platform's open and save file dialogs.
class FileDialogChooser : public FileChooser {
public:
    std::optional<std::string> Choose(const FileRequest& request) override;
};

}  // namespace zurcfg
