#include "cli/new_command.h"

#include <filesystem>

#include "cli/window_settings_path.h"
#include "settings/app_settings.h"

namespace zurcfg {

void NewCommand::AddOptions(CLI::App& command) {
    command.add_option("FILE|FOLDER", path_, "ZURcfg.h to write, or its folder")->required();
    command.add_option("--settings", settingsPath_,
                       "Take the defaults from this INI file instead of the window's");
    command.add_flag("--replace", replace_,
                     "Replace an existing header (it is kept as ZURcfg.bak)");
}

ExitCode NewCommand::Run(Console& console) {
    namespace fs = std::filesystem;
    std::error_code error;
    if (!settingsPath_.empty() && !fs::is_regular_file(settingsPath_, error)) {
        PrintMessage(console.err, "error",
                     settingsPath_ + ": no such settings file; give an existing INI file.");
        return ExitCode::UsageOrFileError;
    }
    const std::string header = HeaderFile(path_);
    // Under the lock, no other save creates the header between this look and the write.
    const FileLock lock(header);
    if (!Locked(lock, header, console)) {
        return ExitCode::UsageOrFileError;
    }
    if (!replace_ && fs::symlink_status(header, error).type() != fs::file_type::not_found) {
        PrintMessage(console.err, "error",
                     header + " already exists; change it with zurcfg set, or add --replace.");
        return ExitCode::UsageOrFileError;
    }
    const AppSettings settings(settingsPath_.empty() ? WindowSettingsPath() : settingsPath_);
    return Write(header, settings.defaultConfiguration, HeaderContents{}, settings.OldStyleNames(),
                 false, lock, console);
}

}  // namespace zurcfg
