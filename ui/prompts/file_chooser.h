#pragma once

#include <optional>
#include <string>
#include <vector>

#include "config/prompter.h"

namespace zurcfg {

struct FileFilter {
    std::string name;     // "H files"
    std::string pattern;  // "*.h"
};

// What the window asks of a file dialog. The defaults are those of every header dialog.
struct FileRequest {
    enum class Purpose { Open, Save };

    Purpose purpose = Purpose::Open;
    std::vector<FileFilter> filters{{"H files", "*.h"}, {"All files", "*.*"}};
    std::string defaultExtension = "h";  // added to a name typed without one
    std::string initialName = "ZURcfg.h";
    std::string initialFolder;
    // The folder of the chosen file must exist; the file itself need not.
    bool folderMustExist = true;
};

// Lets the user pick a file for opening or saving. The program shows the platform's file
// dialogs; tests answer from a script.
class FileChooser {
public:
    virtual ~FileChooser() = default;

    // The full path chosen, or empty when the user cancelled.
    virtual std::optional<std::string> Choose(const FileRequest& request) = 0;
};

// What the user is told when the folder of the file at `path` does not exist; nothing when it
// exists.
std::optional<Message> MissingFolderMessage(const std::string& path);

}  // namespace zurcfg
