// zurcfg's arguments and what its commands print, run in-process on string streams.
#include "cli/command_line.h"

#include <gtest/gtest.h>

#include <sstream>

#include "config/header_writer.h"
#include "tests/support/fake_prompter.h"
#include "tests/support/temp_dir.h"

namespace zurcfg {
namespace {

using testing::FakePrompter;
using testing::ReadBytes;
using testing::TempDir;
using testing::WriteBytes;

struct Outcome {
    ExitCode exit;
    std::string out;
    std::string err;
};

Outcome RunZurcfg(std::vector<std::string> arguments) {
    arguments.insert(arguments.begin(), "zurcfg");
    std::ostringstream out;
    std::ostringstream err;
    Console console{out, err};
    const ExitCode exit = RunCommandLine(arguments, console);
    return {exit, out.str(), err.str()};
}

bool Contains(const std::string& text, const std::string& part) {
    return text.find(part) != std::string::npos;
}

TEST(CommandLineTest, HelpVersionAndUsageErrors) {
    const Outcome help = RunZurcfg({"--help"});
    EXPECT_EQ(help.exit, ExitCode::Clean);
    for (const char* command : {"check", "format", "show", "set", "new", "XDG_CONFIG_HOME"}) {
        EXPECT_TRUE(Contains(help.out, command)) << command;
    }
    const Outcome commandHelp = RunZurcfg({"format", "--help"});
    EXPECT_EQ(commandHelp.exit, ExitCode::Clean);
    EXPECT_TRUE(Contains(commandHelp.out, "--old-names"));
    EXPECT_EQ(RunZurcfg({"--version"}).out, "zurcfg 1.0\n");

    for (const std::vector<std::string>& wrong :
         {std::vector<std::string>{},
          {"frobnicate"},
          {"check"},
          {"set", "folder"},
          {"format", "--old-names", "--new-names", "folder"},
          {"show", "--jsn", "folder"}}) {
        const Outcome outcome = RunZurcfg(wrong);
        EXPECT_EQ(outcome.exit, ExitCode::UsageOrFileError);
        EXPECT_TRUE(Contains(outcome.err, "--help")) << outcome.err;
    }
}

TEST(CommandLineTest, CheckAndShowWordWhatTheyRead) {
    TempDir dir;
    const std::string header = dir.File("ZURcfg.h");
    WriteBytes(header, "#define OS_TASKS 2\r\nenum ZUR_STIMERS_ENUM { T1, // tick\r\n T2 };\r\n");

    const Outcome check = RunZurcfg({"check", dir.Path().string()});
    EXPECT_EQ(check.exit, ExitCode::Findings);
    EXPECT_TRUE(Contains(check.out, header + ": warning: not written by ZURcfg_Tool")) << check.out;
    EXPECT_TRUE(Contains(check.out, header + ": note: no platform chosen")) << check.out;

    const Outcome show = RunZurcfg({"show", header});
    EXPECT_EQ(show.exit, ExitCode::Clean);
    EXPECT_TRUE(Contains(show.out, "OS_TASKS=2\nOS_BSEMS=0\n")) << show.out;
    EXPECT_TRUE(Contains(show.out, "PROJECT_NAME=\nSTIMERS[1]=T1 // tick\nSTIMERS[2]=T2\n"));
    EXPECT_TRUE(Contains(show.err, "warning: not written by ZURcfg_Tool"));
}

TEST(CommandLineTest, SetTellsEachRefusalAndWritesNothing) {
    TempDir dir;
    FakePrompter saved;
    saved.Will(Answer::Ok);
    ASSERT_TRUE(WriteHeader(dir.Path().string(), Configuration(), {}, {}, false, saved));
    const std::string before = ReadBytes(dir.File("ZURcfg.h"));

    const Outcome set =
        RunZurcfg({"set", dir.Path().string(), "OS_TASKS=3", "OS_BANK_OS=9", "NOPE=1", "OS_BSEMS"});
    EXPECT_EQ(set.exit, ExitCode::UsageOrFileError);
    EXPECT_TRUE(Contains(set.err, "\"9\" is no value for OS_BANK_OS")) << set.err;
    EXPECT_TRUE(Contains(set.err, "\"NOPE\" names no field"));
    EXPECT_TRUE(Contains(set.err, "\"OS_BSEMS\" is no NAME=VALUE"));
    EXPECT_EQ(ReadBytes(dir.File("ZURcfg.h")), before);
    EXPECT_FALSE(std::filesystem::exists(dir.File("ZURcfg.bak")));
}

}  // namespace
}  // namespace zurcfg
