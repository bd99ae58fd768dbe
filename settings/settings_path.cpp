#include "settings/settings_path.h"

#include <cstdlib>
#include <filesystem>
#include <system_error>

#ifdef _WIN32
#include <windows.h>
#endif

namespace zurcfg {

namespace fs = std::filesystem;

namespace {

constexpr char kFallbackFileName[] = "file.ini";
constexpr char kProgramFolderName[] = "ZURcfg_Tool";

bool IsSet(const char* variable) {
    return variable != nullptr && *variable != '\0';
}

// The program's folder in the XDG base folder that `xdgHome` names, when it is an absolute path,
// else in its default place under the home folder.
std::string XdgFolder(const char* xdgHome, const char* home, const fs::path& underHome) {
    if (IsSet(xdgHome) && fs::path(xdgHome).is_absolute()) {
        return (fs::path(xdgHome) / kProgramFolderName).string();
    }
    if (IsSet(home)) {
        return (fs::path(home) / underHome / kProgramFolderName).string();
    }
    return {};
}

}  // namespace

std::string SettingsPathForProgram(const std::string& programPath, const std::string& iniFolder) {
    fs::path settings(programPath);
    // A leading dot starts a hidden name, not an extension.
    if (settings.has_filename() && settings.has_extension()) {
        return settings.replace_extension("ini").string();
    }
    return iniFolder.empty() ? kFallbackFileName
                             : (fs::path(iniFolder) / kFallbackFileName).string();
}

std::string XdgIniFolder(const char* xdgConfigHome, const char* home) {
    return XdgFolder(xdgConfigHome, home, ".config");
}

std::string XdgStateFolder(const char* xdgStateHome, const char* home) {
    return XdgFolder(xdgStateHome, home, fs::path(".local") / "state");
}

#ifdef _WIN32

std::string RunningProgramPath() {
    char path[4096];
    const DWORD length = GetModuleFileNameA(nullptr, path, sizeof path);
    // A full buffer means the path was cut.
    return (length == 0 || length >= sizeof path) ? std::string() : std::string(path, length);
}

std::string PlatformIniFolder() {
    const char* appData = std::getenv("APPDATA");
    return IsSet(appData) ? (fs::path(appData) / kProgramFolderName).string() : std::string();
}

std::string PlatformStateFolder() {
    const char* localAppData = std::getenv("LOCALAPPDATA");
    return IsSet(localAppData) ? (fs::path(localAppData) / kProgramFolderName).string()
                               : std::string();
}

#else

std::string RunningProgramPath() {
    std::error_code error;
    const fs::path path = fs::read_symlink("/proc/self/exe", error);
    return error ? std::string() : path.string();
}

std::string PlatformIniFolder() {
    return XdgIniFolder(std::getenv("XDG_CONFIG_HOME"), std::getenv("HOME"));
}

std::string PlatformStateFolder() {
    return XdgStateFolder(std::getenv("XDG_STATE_HOME"), std::getenv("HOME"));
}

#endif

}  // namespace zurcfg
