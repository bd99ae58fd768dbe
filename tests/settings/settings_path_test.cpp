#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

#include "settings/app_settings.h"
#include "settings/settings_path.h"

namespace zurcfg {
namespace {

TEST(SettingsPathTest, ExtensionOfTheFileNameBecomesIni) {
    EXPECT_EQ(SettingsPathForProgram("/opt/zur/ZURcfg_Tool.exe", "/cfg"),
              "/opt/zur/ZURcfg_Tool.ini");
    EXPECT_EQ(SettingsPathForProgram("/opt/zur.tools/editor.bin", "/cfg"),
              "/opt/zur.tools/editor.ini");
    EXPECT_EQ(SettingsPathForProgram("/opt/editor.v2.exe", "/cfg"), "/opt/editor.v2.ini");
    EXPECT_EQ(SettingsPathForProgram("/opt/editor.", "/cfg"), "/opt/editor.ini");
}

TEST(SettingsPathTest, DotInAFolderIsNoExtension) {
    EXPECT_EQ(
        SettingsPathForProgram("/home/u/.local/bin/ZURcfg_Tool", "/home/u/.config/ZURcfg_Tool"),
        "/home/u/.config/ZURcfg_Tool/file.ini");
    // A leading dot starts a hidden name.
    EXPECT_EQ(SettingsPathForProgram("/opt/.editor", "/cfg"), "/cfg/file.ini");
}

TEST(SettingsPathTest, UnknownProgramFallsBackToFileIni) {
    EXPECT_EQ(SettingsPathForProgram("", "/cfg"), "/cfg/file.ini");
    EXPECT_EQ(SettingsPathForProgram("", ""), "file.ini");
}

TEST(SettingsPathTest, XdgFolderFromTheEnvironment) {
    EXPECT_EQ(XdgIniFolder("/xdg", "/home/u"), "/xdg/ZURcfg_Tool");
    EXPECT_EQ(XdgIniFolder(nullptr, "/home/u"), "/home/u/.config/ZURcfg_Tool");
    EXPECT_EQ(XdgIniFolder("", "/home/u"), "/home/u/.config/ZURcfg_Tool");
    // A relative XDG_CONFIG_HOME is invalid and ignored.
    EXPECT_EQ(XdgIniFolder("relative", "/home/u"), "/home/u/.config/ZURcfg_Tool");
    EXPECT_EQ(XdgIniFolder(nullptr, nullptr), "");
}

#ifdef __linux__
TEST(SettingsPathTest, RunningTestProgramWithoutExtensionUsesTheXdgFolder) {
    // This test program's file name has no extension.
    EXPECT_EQ(RunningProgramPath().substr(RunningProgramPath().rfind('/')), "/settings_tests");
    setenv("XDG_CONFIG_HOME", "/xdg-config", 1);
    EXPECT_EQ(AppSettings::DefaultSettingsPath(), "/xdg-config/ZURcfg_Tool/file.ini");
}
#endif

}  // namespace
}  // namespace zurcfg
