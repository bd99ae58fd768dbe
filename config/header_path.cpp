#include "config/header_path.h"

#include "config/ascii_text.h"
#include "config/file_replace.h"

namespace zurcfg {

namespace {

bool NamesHeader(const std::string& path) {
    return AsciiLower(path).find("zurcfg.h") != std::string::npos;
}

}  // namespace

std::string HeaderPathFor(std::string path) {
    if (!NamesHeader(path)) {
        path += kNativeSeparator;
        path += "ZURcfg.h";
    }
    return path;
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
