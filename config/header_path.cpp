#include "config/header_path.h"

#include <filesystem>
#include <system_error>

#include "config/ascii_text.h"
#include "config/file_replace.h"

namespace zurcfg {

namespace {

bool NamesHeader(const std::string& path) {
    return AsciiLower(path).find("zurcfg.h") != std::string::npos;
}

bool EndsInSeparator(const std::string& path) {
    return !path.empty() && (path.back() == '/' || path.back() == kNativeSeparator);
}

}  // namespace

bool IsExistingRegularFile(const std::string& path) {
    std::error_code error;
    return !path.empty() && std::filesystem::is_regular_file(path, error);
}

std::string HeaderPathFor(std::string path) {
    if (IsExistingRegularFile(path) || NamesHeader(path)) {
        return path;
    }
    if (!EndsInSeparator(path)) {
        path += kNativeSeparator;
    }
    return path + "ZURcfg.h";
}

std::string BackupPathFor(const std::string& headerPath) {
    std::string backup = headerPath;
    if (!backup.empty()) {
        backup.pop_back();
    }
    return backup + "bak";
}

std::string BackupOfHeader(const std::string& headerPath) {
    std::error_code linkError;
    return BackupPathFor(FollowLinks(headerPath, linkError));
}

}  // namespace zurcfg
