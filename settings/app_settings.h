#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>

#include "config/configuration.h"

namespace zurcfg {

// Entries of the recent header paths list, most recent first; the list ends at the first empty
// entry.
inline constexpr std::size_t kRecentPathCount = 100;
using RecentPaths = std::array<std::string, kRecentPathCount>;

// What outlives one project, kept in the settings file: the default Configuration for new
// projects, the recent header paths and the SETUP values. Reads the file when constructed and
// writes it only when told to, so a program that merely reads the settings never changes or
// creates the file; the window uses the members directly in between. A load reads the file
// once, whole. Failures to read are silent: a missing file gives the values a first start has.
// A file that cannot be read or written stays exactly as it was.
class AppSettings {
public:
    // Reads the settings file at settingsPath.
    explicit AppSettings(std::string settingsPath);

    AppSettings(const AppSettings&) = delete;
    AppSettings& operator=(const AppSettings&) = delete;

    // Sets every member from the file, or to its first-start value where the file has no key.
    void LoadSettings();
    // Writes every member into the file, keeping whatever else the file holds, under the
    // settings' lock. The recent paths are this object's list followed by the paths that the
    // file holds by now and the list lacks, as another window may have stored some since the
    // load. A file that this process cannot read, or cannot open for writing, is not replaced,
    // so nothing it holds is lost. True when the file now holds the members; false tells the
    // user that a "Save as default" did not take.
    bool SaveSettings();

    const std::string& SettingsPath() const { return settingsPath_; }

    // The settings file of the running program: beside it, named after it with the extension
    // "ini", or "file.ini" in the platform's settings folder when its name has no extension.
    static std::string DefaultSettingsPath();

    Configuration defaultConfiguration;
    RecentPaths recentPaths;
    // Kernel version that saved headers target: 0 = not chosen yet, 90115 = old-style names,
    // 90200 = new-style names.
    int32_t ZURVERSION = 0;
    static constexpr int32_t kOldStyleNamesVersion = 90115;
    static constexpr int32_t kNewStyleNamesVersion = 90200;
    // Kernels before the new-style version need the old macro names; they are also written
    // while no style has been chosen.
    bool OldStyleNames() const { return ZURVERSION < kNewStyleNamesVersion; }
    // Switch (0 or 1): read and written back, used by nothing else.
    uint8_t ZURVERSIONTIP = 1;

private:
    std::string settingsPath_;
};

}  // namespace zurcfg
