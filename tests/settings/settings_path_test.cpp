#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

#include "config/header_path.h"
#include "settings/app_settings.h"
#include "settings/settings_path.h"

namespace zurcfg {
namespace {

const std::string kSep(1, kNativeSeparator);

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
        "/home/u/.config/ZURcfg_Tool" + kSep + "file.ini");
    // A leading dot starts a hidden name.
    EXPECT_EQ(SettingsPathForProgram("/opt/.editor", "/cfg"), "/cfg" + kSep + "file.ini");
}

TEST(SettingsPathTest, UnknownProgramFallsBackToFileIni) {
    EXPECT_EQ(SettingsPathForProgram("", "/cfg"), "/cfg" + kSep + "file.ini");
    EXPECT_EQ(SettingsPathForProgram("", ""), "file.ini");
}

#ifdef _WIN32

// Sets an environment variable for as long as it lives.
class ScopedVariable {
public:
    ScopedVariable(const char* name, const char* value) : name_(name) {
        if (const char* previous = std::getenv(name)) {
            previous_ = previous;
        }
        _putenv_s(name, value);
    }
    ~ScopedVariable() { _putenv_s(name_.c_str(), previous_.c_str()); }
    ScopedVariable(const ScopedVariable&) = delete;
    ScopedVariable& operator=(const ScopedVariable&) = delete;

private:
    std::string name_;
    std::string previous_;
};

TEST(SettingsPathTest, WindowsFoldersAreSplitAtBackslashes) {
    EXPECT_EQ(SettingsPathForProgram("C:\\Program Files\\ZUR\\ZURcfg_Tool.exe", ""),
              "C:\\Program Files\\ZUR\\ZURcfg_Tool.ini");
    EXPECT_EQ(SettingsPathForProgram("C:\\zur.tools\\editor", "C:\\Users\\u\\AppData"),
              "C:\\Users\\u\\AppData\\file.ini");
}

TEST(SettingsPathTest, IniFolderIsUnderAppDataAndStateUnderLocalAppData) {
    {
        ScopedVariable appData("APPDATA", "C:\\Users\\u\\AppData\\Roaming");
        ScopedVariable localAppData("LOCALAPPDATA", "C:\\Users\\u\\AppData\\Local");
        EXPECT_EQ(PlatformIniFolder(), "C:\\Users\\u\\AppData\\Roaming\\ZURcfg_Tool");
        EXPECT_EQ(PlatformStateFolder(), "C:\\Users\\u\\AppData\\Local\\ZURcfg_Tool");
    }
    ScopedVariable noAppData("APPDATA", "");
    ScopedVariable noLocalAppData("LOCALAPPDATA", "");
    EXPECT_EQ(PlatformIniFolder(), "");
    EXPECT_EQ(PlatformStateFolder(), "");
}

TEST(SettingsPathTest, RunningProgramKeepsItsIniBesideIt) {
    const std::string program = RunningProgramPath();
    ASSERT_GT(program.size(), 4u);
    EXPECT_EQ(program.substr(program.rfind('\\')), "\\settings_tests.exe");
    EXPECT_EQ(AppSettings::DefaultSettingsPath(), program.substr(0, program.size() - 3) + "ini");
}

#else

// XDG folders are POSIX paths: "/xdg" is no absolute path on Windows.
TEST(SettingsPathTest, XdgFolderFromTheEnvironment) {
    EXPECT_EQ(XdgIniFolder("/xdg", "/home/u"), "/xdg/ZURcfg_Tool");
    EXPECT_EQ(XdgIniFolder(nullptr, "/home/u"), "/home/u/.config/ZURcfg_Tool");
    EXPECT_EQ(XdgIniFolder("", "/home/u"), "/home/u/.config/ZURcfg_Tool");
    // A relative XDG_CONFIG_HOME is invalid and ignored.
    EXPECT_EQ(XdgIniFolder("relative", "/home/u"), "/home/u/.config/ZURcfg_Tool");
    EXPECT_EQ(XdgIniFolder(nullptr, nullptr), "");

    EXPECT_EQ(XdgStateFolder("/xdg-state", "/home/u"), "/xdg-state/ZURcfg_Tool");
    EXPECT_EQ(XdgStateFolder("relative", "/home/u"), "/home/u/.local/state/ZURcfg_Tool");
    EXPECT_EQ(XdgStateFolder(nullptr, ""), "");
}

#endif

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
