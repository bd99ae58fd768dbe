#include "ui/prompts/file_chooser.h"

#include <filesystem>
#include <system_error>

namespace zurcfg {

// The folder is looked at as the bytes given: a name the system's encoding cannot show is still
// found.
std::optional<Message> MissingFolderMessage(const std::string& path) {
    const std::filesystem::path folder = std::filesystem::path(path).parent_path();
    std::error_code error;
    if (folder.empty() || std::filesystem::is_directory(folder, error)) {
        return std::nullopt;
    }
    return Message{
        "Folder " + folder.string() + " does not exist.\nChoose a file in an existing folder.",
        "Warning", Buttons::Ok, Icon::Exclamation};
}

}  // namespace zurcfg
