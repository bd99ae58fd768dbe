// The built zurcfg run as a process on headers written by the window's writer, hand-edited and
// foreign headers, and paths that hold no header.
#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <filesystem>

#include "config/header_reader.h"
#include "config/header_writer.h"
#include "tests/cli/zurcfg_process.h"
#include "tests/support/configuration_diff.h"
#include "tests/support/temp_dir.h"
#include "tests/support/unprivileged.h"

namespace zurcfg {
namespace {

namespace fs = std::filesystem;
using testing::Contains;
using testing::DifferingFields;
using testing::NamesIn;
using testing::Outcome;
using testing::Quoted;
using testing::ReadBytes;
using testing::TempDir;
using testing::WriteBytes;
using testing::Zurcfg;

Configuration Sample() {
    Configuration configuration;
    configuration.OS_TASKS = 3;
    configuration.OS_BSEMS = 2;
    configuration.OS_STIMERS = 1;
    configuration.OS_ENABLE_QMSG = 1;
    configuration.OS_ENABLE_INT_QUEUE = 1;
    configuration.OS_BANK_TASKS = 2;
    configuration.OST_MSG = "unsigned char *";
    configuration.PLATFORM = 3;
    configuration.PROJECT_NAME = "Pump";
    return configuration;
}

const std::vector<NameEntry> kBsems{{"B_READY", "data ready"}, {"B_FREE", ""}};
const std::vector<NameEntry> kStimers{{"T_TICK", "blink"}};

// A header as the window saves it, in a folder of its own inside dir.
std::string WindowHeader(const TempDir& dir, const std::string& folder, bool oldStyleNames) {
    fs::create_directory(dir.Path() / folder);
    EXPECT_TRUE(
        WriteHeaderFile(dir.File(folder), Sample(), kBsems, kStimers, oldStyleNames).Written());
    return (dir.Path() / folder / "ZURcfg.h").string();
}

TEST(ZurcfgProcessTest, WindowHeadersOfBothStylesAreCleanAndStayAsTheyAre) {
    TempDir dir;
    for (const bool oldStyleNames : {true, false}) {
        const std::string header = WindowHeader(dir, oldStyleNames ? "old" : "new", oldStyleNames);
        const std::string folder = fs::path(header).parent_path().string();
        const std::string bytes = ReadBytes(header);

        const Outcome check = Zurcfg(dir, {"check", folder});
        EXPECT_EQ(check.status, 0) << check.out << check.err;
        EXPECT_FALSE(Contains(check.out, "warning"));
        EXPECT_EQ(Zurcfg(dir, {"format", "--check", folder}).status, 0);
        const Outcome format = Zurcfg(dir, {"format", header});
        EXPECT_EQ(format.status, 0) << format.err;
        EXPECT_EQ(ReadBytes(header), bytes);
        EXPECT_FALSE(fs::exists(folder + "/ZURcfg.bak"));

        const Outcome show = Zurcfg(dir, {"show", folder});
        EXPECT_EQ(show.status, 0);
        EXPECT_TRUE(Contains(show.out, "OS_ENABLE_QUEUE=1\n")) << show.out;
        EXPECT_TRUE(Contains(show.out, "PLATFORM=PIC18 (ht-picc18)\n"));
        EXPECT_TRUE(Contains(show.out, "BSEMS[0]=B_READY // data ready\nBSEMS[1]=B_FREE\n"));
        EXPECT_EQ(show.err, "");

        // The other style is a change that format makes and --check shows.
        const char* otherStyle = oldStyleNames ? "--new-names" : "--old-names";
        const Outcome restyle = Zurcfg(dir, {"format", "--check", otherStyle, folder});
        EXPECT_EQ(restyle.status, 1);
        EXPECT_TRUE(Contains(
            restyle.out, oldStyleNames ? "+#define OS_ENABLE_QUEUE" : "+#define OS_ENABLE_QMSG"));
    }
    const std::string json = dir.File("check.json");
    const Outcome check = Zurcfg(dir, {"check", "--json", dir.File("old"), dir.File("new")});
    EXPECT_EQ(check.status, 0);
    WriteBytes(json, check.out);
    const std::string parse =
        "python3 -c 'import json,sys; r = json.load(sys.stdin); "
        "assert len(r) == 2 and r[1][\"tables\"][\"BSEMS\"][0]"
        "[\"identifier\"] == \"B_READY\"' < " +
        Quoted(json);
    EXPECT_EQ(std::system(parse.c_str()), 0) << check.out;
}

TEST(ZurcfgProcessTest, HandEditedAndForeignHeadersAreReportedAndFormatted) {
    TempDir dir;
    const std::string edited = WindowHeader(dir, "edited", false);
    std::string bytes = ReadBytes(edited);
    const std::string tasksLine = "#define OS_TASKS               3";
    bytes.replace(bytes.find(tasksLine), tasksLine.size(), "#define OS_TASKS 4");
    WriteBytes(edited, bytes);
    const Outcome editedCheck = Zurcfg(dir, {"format", "--check", dir.File("edited")});
    EXPECT_EQ(editedCheck.status, 1);
    EXPECT_TRUE(Contains(editedCheck.out, "-#define OS_TASKS 4  //")) << editedCheck.out;
    EXPECT_TRUE(Contains(editedCheck.err, "not in the canonical layout"));
    EXPECT_EQ(ReadBytes(edited), bytes);

    fs::create_directory(dir.Path() / "foreign");
    const std::string foreign = dir.File("foreign/ZURcfg.h");
    const std::string handWritten = "#define OS_TASKS 5\n#define OST_MSG char\n#define MINE 1\n";
    WriteBytes(foreign, handWritten);
    const Outcome check = Zurcfg(dir, {"check", foreign});
    EXPECT_EQ(check.status, 0);
    EXPECT_TRUE(Contains(check.out, foreign + ": warning: not written by ZURcfg_Tool"));

    // Its LF line ends are kept.
    const Outcome format = Zurcfg(dir, {"format", foreign});
    EXPECT_EQ(format.status, 0) << format.err;
    EXPECT_EQ(ReadBytes(dir.File("foreign/ZURcfg.bak")), handWritten);
    EXPECT_TRUE(Contains(ReadBytes(foreign), "\n#define OST_MSG                char\n"));
    EXPECT_FALSE(Contains(ReadBytes(foreign), "\r"));
    EXPECT_EQ(Zurcfg(dir, {"format", "--check", foreign}).status, 0);
    EXPECT_EQ(Zurcfg(dir, {"check", foreign}).status, 0);
}

TEST(ZurcfgProcessTest, SarifLogsHoldWhatTheStandardRequires) {
    TempDir dir;
    const std::string header = WindowHeader(dir, "my project", false);
    std::string bytes = ReadBytes(header);
    bytes.replace(bytes.find("B_FREE"), 6, "int");
    bytes += "#define OS_BSEMS 0x2\r\n";
    WriteBytes(header, bytes);
    const Outcome text = Zurcfg(dir, {"check", "--quiet", header});
    EXPECT_EQ(text.status, 1);
    const auto findings = std::count(text.out.begin(), text.out.end(), '\n');
    ASSERT_GE(findings, 2) << text.out;

    // The header, a folder without one, and the header once more on standard input.
    const std::string sarif = dir.File("check.sarif");
    const std::string command = Quoted(ZURCFG_PROGRAM) + " check --sarif " + Quoted(header) + " " +
                                Quoted(dir.File("none")) + " - < " + Quoted(header) + " > " +
                                Quoted(sarif) + " 2>/dev/null";
    const int status = std::system(command.c_str());
    EXPECT_EQ(WIFEXITED(status) ? WEXITSTATUS(status) : -1, 2);
    const std::string validate = "python3 " + Quoted(ZURCFG_SARIF_STRUCTURE) + " " +
                                 std::to_string(2 * findings) + " 1 < " + Quoted(sarif);
    EXPECT_EQ(std::system(validate.c_str()), 0) << ReadBytes(sarif);
    EXPECT_TRUE(Contains(ReadBytes(sarif), "my%20project/ZURcfg.h\"}, \"region\": "));
}

TEST(ZurcfgProcessTest, PathsWithoutAHeaderAreFileErrors) {
    TempDir dir;
    fs::create_directories(dir.Path() / "folder_in_the_way" / "ZURcfg.h");
    for (const std::string& path :
         {dir.File("missing"), dir.File("missing/ZURcfg.h"), dir.File("folder_in_the_way")}) {
        for (const std::vector<std::string>& command : {std::vector<std::string>{"check", path},
                                                        {"check", "--json", path},
                                                        {"format", path},
                                                        {"format", "--check", path},
                                                        {"show", path},
                                                        {"set", path, "OS_TASKS=2"}}) {
            const Outcome outcome = Zurcfg(dir, command);
            EXPECT_EQ(outcome.status, 2) << command[0] << " " << path;
            EXPECT_TRUE(Contains(outcome.err, "zurcfg: error: ")) << outcome.err;
        }
    }
    EXPECT_FALSE(fs::exists(dir.File("missing")));

    // A pipe, or a link to a device, is neither waited on nor written nor moved aside.
    fs::create_directory(dir.Path() / "pipe");
    ASSERT_EQ(mkfifo(dir.File("pipe/ZURcfg.h").c_str(), 0600), 0);
    fs::create_directory(dir.Path() / "device");
    fs::create_symlink("/dev/null", dir.File("device/ZURcfg.h"));
    for (const std::string& folder : {dir.File("pipe"), dir.File("device")}) {
        for (const std::vector<std::string>& command : std::vector<std::vector<std::string>>{
                 {"check", folder}, {"set", folder, "OS_TASKS=2"}, {"format", folder}}) {
            const Outcome outcome = Zurcfg(dir, command);
            EXPECT_EQ(outcome.status, 2) << command[0] << " " << folder;
            EXPECT_TRUE(Contains(outcome.err, "is not a regular file")) << outcome.err;
        }
        EXPECT_EQ(NamesIn(folder), std::vector<std::string>{"ZURcfg.h"});
    }

    // A header its reader may not read, read by a copy of the program that reader may run.
    fs::create_directory(dir.Path() / "locked");
    WriteBytes(dir.File("locked/ZURcfg.h"), "#define OS_TASKS 2\n");
    fs::permissions(dir.File("locked/ZURcfg.h"), fs::perms::none);
    const std::string check = Quoted(testing::ProgramCopyForEveryone(dir)) + " check " +
                              Quoted(dir.File("locked")) + " >/dev/null 2>&1";
    EXPECT_TRUE(testing::RunUnprivileged([&check] {
        const int status = std::system(check.c_str());
        return WIFEXITED(status) && WEXITSTATUS(status) == 2;
    }));
}

TEST(ZurcfgProcessTest, SetChangesExactlyTheFieldsNamed) {
    TempDir dir;
    const std::string header = WindowHeader(dir, "project", true);
    const std::string before = ReadBytes(header);

    const Outcome refused = Zurcfg(dir, {"set", header, "OS_TASKS=9", "OS_TIMER_SIZE=3"});
    EXPECT_EQ(refused.status, 2);
    EXPECT_TRUE(Contains(refused.err, "a size in bytes 1, 2 or 4")) << refused.err;
    EXPECT_EQ(ReadBytes(header), before);

    const Outcome set = Zurcfg(dir, {"set", header, "OS_TASKS=9", "OS_BANK_OS=bank1"});
    EXPECT_EQ(set.status, 0) << set.err;
    const HeaderReadResult read = ReadHeaderFile(header);
    Configuration expected = Sample();
    expected.OS_TASKS = 9;
    expected.OS_BANK_OS = 2;
    EXPECT_EQ(DifferingFields(read.contents.configuration, expected), "");
    EXPECT_EQ(read.contents.bsems, kBsems);
    EXPECT_EQ(read.contents.stimers, kStimers);
    EXPECT_EQ(ReadBytes(dir.File("project/ZURcfg.bak")), before);
    EXPECT_TRUE(Contains(ReadBytes(header), "#define OS_ENABLE_QMSG"));  // its style kept
}

TEST(ZurcfgProcessTest, NewWritesTheDefaultsOfTheSettingsItOnlyReads) {
    TempDir dir;
    const std::string ini = dir.File("defaults.ini");
    const std::string settings =
        "[SERVICES]\r\nOS_TASKS=6\r\n[TYPES]\r\nOST_MSG=char\r\n[ADDITIONAL]\r\nPLATFORM=2\r\n"
        "[SETUP]\r\nZURVERSION=90115\r\n";
    WriteBytes(ini, settings);
    fs::last_write_time(ini, fs::last_write_time(ini) - std::chrono::hours(1));
    const auto settingsTime = fs::last_write_time(ini);

    const Outcome created = Zurcfg(dir, {"new", dir.File("project"), "--settings", ini});
    EXPECT_EQ(created.status, 2);  // no such folder
    fs::create_directory(dir.Path() / "project");
    EXPECT_EQ(Zurcfg(dir, {"new", dir.File("project"), "--settings", ini}).status, 0);
    Configuration expected;
    expected.OS_TASKS = 6;
    expected.OST_MSG = "char";
    expected.PLATFORM = 2;
    const std::string header = dir.File("project/ZURcfg.h");
    EXPECT_EQ(ReadBytes(header), testing::WithCrLf(FormatHeader(expected, {}, {}, true)));
    EXPECT_EQ(ReadBytes(ini), settings);
    EXPECT_EQ(fs::last_write_time(ini), settingsTime);

    const Outcome again = Zurcfg(dir, {"new", header, "--settings", ini});
    EXPECT_EQ(again.status, 2);
    EXPECT_TRUE(Contains(again.err, "already exists")) << again.err;
    EXPECT_EQ(Zurcfg(dir, {"new", header, "--settings", dir.File("none.ini")}).status, 2);

    // Without --settings: the window's settings file, here missing, so the first-start defaults;
    // nothing is created for it.
    const std::string environment = "XDG_CONFIG_HOME=" + Quoted(dir.File("config"));
    const Outcome replaced = Zurcfg(dir, {"new", "--replace", header}, environment);
    EXPECT_EQ(replaced.status, 0) << replaced.err;
    expected = Configuration();
    expected.OS_TASKS = 1;
    expected.PLATFORM = -1;
    EXPECT_EQ(ReadBytes(header), testing::WithCrLf(FormatHeader(expected, {}, {}, true)));
    EXPECT_FALSE(fs::exists(dir.File("config")));
    fs::create_directories(dir.Path() / "config" / "ZURcfg_Tool");
    WriteBytes(dir.File("config/ZURcfg_Tool/file.ini"), settings);
    EXPECT_EQ(Zurcfg(dir, {"new", "--replace", header}, environment).status, 0);
    EXPECT_TRUE(Contains(ReadBytes(header), "#define OS_TASKS               6"));
}

}  // namespace
}  // namespace zurcfg
