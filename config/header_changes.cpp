#include "config/header_changes.h"

#include <filesystem>
#include <fstream>
#include <sstream>
#include <system_error>

#include "config/header_path.h"
#include "config/unified_diff.h"

namespace zurcfg {

namespace {

constexpr char kNewFileLabel[] = "new file";
// The header's name while no path has been chosen, as the save dialog proposes it.
constexpr char kHeaderName[] = "ZURcfg.h";

// Every line break as "\n": CR LF, and a carriage return alone, which ends a line as well.
std::string WithLineFeeds(const std::string& bytes) {
    std::string text;
    text.reserve(bytes.size());
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        if (bytes[i] != '\r') {
            text += bytes[i];
        } else if (i + 1 >= bytes.size() || bytes[i + 1] != '\n') {
            text += '\n';
        }
    }
    return text;
}

}  // namespace

std::optional<std::string> ReadHeaderText(const std::string& path) {
    std::error_code error;
    if (!std::filesystem::is_regular_file(path, error)) {
        return std::nullopt;
    }
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        return std::nullopt;
    }
    std::ostringstream bytes;
    bytes << in.rdbuf();
    return WithLineFeeds(bytes.str());
}

std::string ChangesToHeader(const std::string& savePath, const std::string& newText) {
    const std::string headerPath = savePath.empty() ? kHeaderName : HeaderPathFor(savePath);
    const std::optional<std::string> onDisk =
        savePath.empty() ? std::nullopt : ReadHeaderText(headerPath);
    if (onDisk) {
        return UnifiedDiff(*onDisk, newText, headerPath, headerPath);
    }
    return UnifiedDiff({}, newText, kNewFileLabel, headerPath);
}

std::optional<std::string> ChangesSinceBackup(const std::string& headerPath) {
    const std::string backupPath = BackupPathFor(headerPath);
    const std::optional<std::string> backup = ReadHeaderText(backupPath);
    if (!backup) {
        return std::nullopt;
    }
    return UnifiedDiff(*backup, ReadHeaderText(headerPath).value_or(std::string()), backupPath,
                       headerPath);
}

}  // namespace zurcfg
