// The program's command line: read in-process, and the built program run as a process.
#include <gtest/gtest.h>

#include <map>
#include <string>

#include <QProcess>

#include "app/command_line.h"

namespace zurcfg {
namespace {

CommandLine Parse(const QStringList& arguments) {
    return ParseCommandLine(QStringList{"ZURcfg_Tool"} + arguments);
}

TEST(CommandLineTest, AFileOrFolderOpensAndOptionsAnswerWithoutTheWindow) {
    EXPECT_FALSE(Parse({}).answer);
    EXPECT_EQ(Parse({}).documentPath, "");
    const CommandLine file = Parse({"/work/project/ZURcfg.h"});
    EXPECT_FALSE(file.answer);
    EXPECT_EQ(file.documentPath, "/work/project/ZURcfg.h");

    for (const char* help : {"--help", "-h"}) {
        const CommandLine answered = Parse({help, "x"});
        ASSERT_TRUE(answered.answer) << help;
        EXPECT_TRUE(answered.answer->text.contains("[FILE|FOLDER]"));
        EXPECT_TRUE(answered.answer->text.contains("--version"));
        EXPECT_EQ(answered.answer->exitStatus, 0);
        EXPECT_FALSE(answered.answer->isError);
    }
    const CommandLine version = Parse({"--version"});
    ASSERT_TRUE(version.answer);
    EXPECT_EQ(version.answer->text, "ZURcfg_Tool 1.0\n");

    for (const QStringList& wrong : {QStringList{"--bogus"}, QStringList{"a.h", "b.h"}}) {
        const CommandLine refused = Parse(wrong);
        ASSERT_TRUE(refused.answer);
        EXPECT_TRUE(refused.answer->isError);
        EXPECT_EQ(refused.answer->exitStatus, 2);
        EXPECT_TRUE(refused.answer->text.endsWith("See 'ZURcfg_Tool --help'.\n"));
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
    EXPECT_TRUE(help.contains("[FILE|FOLDER]")) << help.toStdString();
    EXPECT_EQ(helpErrors, "");
    EXPECT_EQ(run({"--version"}), std::tuple(0, QString("ZURcfg_Tool 1.0\n"), QString()));
    EXPECT_EQ(run({"some/ZURcfg.h"}), std::tuple(1, QString(), QString(kNoDisplayLine) + "\n"));
}
#endif

}  // namespace
}  // namespace zurcfg
