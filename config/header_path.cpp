#include "config/header_path.h"

#include <algorithm>

namespace zurcfg {

namespace {

char AsciiLower(char c) {
    return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
}

bool NamesHeader(const std::string& path) {
    std::string lower(path.size(), '\0');
    std::transform(path.begin(), path.end(), lower.begin(), AsciiLower);
    return lower.find("zurcfg.h") != std::string::npos;
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
