#include "config/header_path.h"

#include "config/ascii_text.h"

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

}  // namespace zurcfg
