#pragma once

#include <string>

namespace zurcfg {

// The settings file of the program stored at programPath: the program's path with the
// extension of its file name replaced by "ini", so ZURcfg_Tool.exe keeps ZURcfg_Tool.ini beside
// it. A program whose file name has no extension, or whose path is unknown (empty), keeps
// "file.ini" in iniFolder, the platform's default folder for such files.
std::string SettingsPathForProgram(const std::string& programPath, const std::string& iniFolder);

// The default folder for settings files on Linux and other XDG systems: "ZURcfg_Tool" in
// $XDG_CONFIG_HOME when that is an absolute path, else in $HOME/.config; empty, meaning the
// working folder, when neither is known. Either argument may be null (variable not set).
std::string XdgIniFolder(const char* xdgConfigHome, const char* home);

// The folder for state that outlives a run, such as unsaved work, on XDG systems: "ZURcfg_Tool"
// in $XDG_STATE_HOME when that is an absolute path, else in $HOME/.local/state; empty when
// neither is known. Either argument may be null (variable not set).
std::string XdgStateFolder(const char* xdgStateHome, const char* home);

// The full path of the running program, empty when the platform cannot tell.
std::string RunningProgramPath();

// The default INI folder of this platform, from the environment.
std::string PlatformIniFolder();

// The state folder of this platform, from the environment: the XDG one, or "ZURcfg_Tool" in the
// local application data folder on Windows; empty when there is none.
std::string PlatformStateFolder();

}  // namespace zurcfg
