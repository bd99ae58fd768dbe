#pragma once

#include <string>

namespace zurcfg {

// The settings file that zurcfg reads its defaults from: the one the window program
// ZURcfg_Tool keeps when it is installed beside zurcfg. The window's path rule applies to
// ZURcfg_Tool with zurcfg's own extension: ZURcfg_Tool.ini beside ZURcfg_Tool.exe on Windows,
// file.ini in $XDG_CONFIG_HOME/ZURcfg_Tool (or ~/.config/ZURcfg_Tool) on Linux.
std::string WindowSettingsPath();

}  // namespace zurcfg
