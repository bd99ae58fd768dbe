#include "settings/atomic_file.h"

#include <filesystem>
#include <system_error>

#include "config/file_replace.h"

namespace zurcfg {

bool ReplaceFileAtomically(const std::string& path, std::string_view bytes) {
    std::error_code error;
    const std::string target = FollowLinks(path, error);
    if (error) {
        return false;
    }
    const std::filesystem::path folder = std::filesystem::path(target).parent_path();
    if (!folder.empty()) {
        std::filesystem::create_directories(folder, error);
        if (error) {
            return false;
        }
    }
    ReplaceOptions options;
    options.mayRewriteInPlace = false;
    return ReplaceFile(target, bytes, options).Replaced();
}

}  // namespace zurcfg
