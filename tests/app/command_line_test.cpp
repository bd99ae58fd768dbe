// The program's command line: read in-process, and the built program run as a process.
#include <gtest/gtest.h>

#include <filesystem>
#include <map>
#include <string>
#include <vector>

#include <QProcess>

#include "app/command_line.h"
#include "support/temp_dir.h"

namespace zurcfg {
namespace {

CommandLine Parse(std::vector<std::string> arguments) {
    arguments.insert(arguments.begin(), "/build/app/ZURcfg_Tool");
    return ParseCommandLine(arguments);
}

TEST(CommandLineTest, AFileOrFolderOpensAndOptionsAnswerWithoutTheWindow) {
    EXPECT_FALSE(Parse({}).answer);
    EXPECT_EQ(Parse({}).documentPath, "");
    const testing::TempDir dir;
    const std::string header = dir.File("ZURcfg.h");
    const CommandLine file = Parse({header});
    EXPECT_FALSE(file.answer);
    EXPECT_EQ(file.documentPath, header);

    for (const char* help : {"--help", "-h"}) {
        const CommandLine answered = Parse({help, "x"});
        ASSERT_TRUE(answered.answer) << help;
        EXPECT_TRUE(answered.answer->text.startsWith("Usage: ZURcfg_Tool [options] [FILE|FOLDER]"))
            << answered.answer->text.toStdString();
        EXPECT_TRUE(answered.answer->text.contains("--version"));
        EXPECT_EQ(answered.answer->exitStatus, 0);
        EXPECT_FALSE(answered.answer->isError);
    }
    const CommandLine version = Parse({"--version"});
    ASSERT_TRUE(version.answer);
    EXPECT_EQ(version.answer->text, "ZURcfg_Tool 1.0\n");

    for (const std::vector<std::string>& wrong :
         {std::vector<std::string>{"--bogus"}, std::vector<std::string>{"a.h", "b.h"}}) {
        const CommandLine refused = Parse(wrong);
        ASSERT_TRUE(refused.answer);
        EXPECT_TRUE(refused.answer->isError);
        EXPECT_EQ(refused.answer->exitStatus, 2);
        EXPECT_TRUE(refused.answer->text.endsWith("See 'ZURcfg_Tool --help'.\n"));
    }
}

// A folder, a header, or a new header in an existing folder; the bytes as given.
TEST(CommandLineTest, OnlyAPathTheWindowCanOpenIsTaken) {
    const testing::TempDir dir;
    const std::string folder = dir.File("caf\xE9");
    std::filesystem::create_directory(folder);
    const std::string board = folder + "/board.H";
    testing::WriteBytes(board, "");
    testing::WriteBytes(dir.File("image.png"), "");
    for (const std::string& path : {folder, board, folder + "/new.h", std::string("new.h")}) {
        const CommandLine taken = Parse({path});
        EXPECT_FALSE(taken.answer) << path;
        EXPECT_EQ(taken.documentPath, path);
    }
    const std::map<std::string, QString> refused{
        {dir.File("image.png"), " is not a header: give a .h file, or the project folder"},
        {dir.File("missing"), " does not exist: give a header (.h) or an existing project"},
        {dir.File("missing/new.h"), " does not exist, so "},
        {"/dev/null", "/dev/null is neither a folder nor a regular file."},
    };
    for (const auto& [path, problem] : refused) {
        const CommandLine mistake = Parse({path});
        ASSERT_TRUE(mistake.answer) << path;
        EXPECT_TRUE(mistake.answer->isError);
        EXPECT_EQ(mistake.answer->exitStatus, 2);
        EXPECT_TRUE(mistake.answer->text.contains(problem)) << mistake.answer->text.toStdString();
        EXPECT_EQ(mistake.documentPath, "");
    }
}

#if defined(Q_OS_UNIX) && !defined(Q_OS_MACOS)
TEST(CommandLineTest, ADisplayIsFoundForThePlatformChosen) {
    const auto available = [](std::map<std::string, QString> environment,
                              const QStringList& arguments = {}) {
        return DisplayAvailable([&](const char* name) { return environment[name]; },
                                QStringList{"ZURcfg_Tool"} + arguments);
    };
    EXPECT_FALSE(available({}));
    EXPECT_TRUE(available({{"DISPLAY", ":0"}}));
    EXPECT_TRUE(available({{"WAYLAND_DISPLAY", "wayland-0"}}));
    EXPECT_FALSE(available({{"WAYLAND_DISPLAY", "wayland-0"}, {"QT_QPA_PLATFORM", "xcb"}}));
    EXPECT_TRUE(available({{"DISPLAY", ":0"}, {"QT_QPA_PLATFORM", "wayland;xcb"}}));
    EXPECT_TRUE(available({{"QT_QPA_PLATFORM", "offscreen"}}));
    EXPECT_TRUE(available({}, {"-platform", "vnc:size=800x600"}));
    EXPECT_FALSE(available({{"QT_QPA_PLATFORM", "offscreen"}}, {"-platform", "xcb"}));
}

// The built program without any display: options still answer, anything else gets one line.
TEST(CommandLineTest, TheProgramAnswersOptionsAndNamesAMissingDisplay) {
    const auto run = [](const QStringList& arguments) {
        QProcess program;
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        for (const char* name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"}) {
            environment.remove(name);
        }
        program.setProcessEnvironment(environment);
        program.start(ZURCFG_PROGRAM, arguments);
        EXPECT_TRUE(program.waitForFinished(20000));
        return std::tuple{program.exitCode(),
                          QString::fromLocal8Bit(program.readAllStandardOutput()),
                          QString::fromLocal8Bit(program.readAllStandardError())};
    };
    const auto [helpStatus, help, helpErrors] = run({"--help"});
    EXPECT_EQ(helpStatus, 0);
    EXPECT_TRUE(help.startsWith("Usage: ZURcfg_Tool [options] [FILE|FOLDER]\n"))
        << help.toStdString();
    EXPECT_EQ(helpErrors, "");
    EXPECT_EQ(run({"--version"}), std::tuple(0, QString("ZURcfg_Tool 1.0\n"), QString()));
    EXPECT_EQ(run({"some/ZURcfg.h"}), std::tuple(1, QString(), QString(kNoDisplayLine) + "\n"));
}
#endif

}  // namespace
}  // namespace zurcfg
