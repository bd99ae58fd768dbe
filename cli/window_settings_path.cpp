#include "cli/window_settings_path.h"

#include <filesystem>

#include "settings/settings_path.h"

namespace zurcfg {

namespace {

constexpr char kWindowProgramName[] = "ZURcfg_Tool";

}  // namespace

std::string WindowSettingsPath() {
    std::filesystem::path program = RunningProgramPath();
    if (!program.empty()) {
        program.replace_filename(kWindowProgramName + program.extension().string());
    }
    return SettingsPathForProgram(program.string(), PlatformIniFolder());
}

}  // namespace zurcfg
