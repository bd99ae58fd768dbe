// The built program ended by a signal while it holds unsaved work: the work stays in the state
// folder and the next start offers it. The program's message boxes are answered through
// ZURCFG_TEST_ANSWERS, which prints each of them on the error output.
#include <gtest/gtest.h>

#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include <QDeadlineTimer>
#include <QProcess>

#include "config/header_path.h"
#include "config/header_writer.h"
#include "settings/recovery_files.h"
#include "settings/recovery_record.h"
#include "support/temp_dir.h"

namespace zurcfg {
namespace {

namespace fs = std::filesystem;
using testing::ReadBytes;
using testing::TempDir;
using testing::WithCrLf;
using testing::WriteBytes;

Configuration Tasks(int32_t tasks) {
    Configuration configuration;
    configuration.OS_TASKS = tasks;
    configuration.PROJECT_NAME = "Blinker";
    return configuration;
}

// A home folder with the settings file, a project whose header holds three tasks, and the state
// folder where unsaved work is kept.
class UnsavedWorkProcessTest : public ::testing::Test {
protected:
    UnsavedWorkProcessTest() {
        fs::create_directories(dir_.Path() / "project");
        WriteBytes(header_, WithCrLf(FormatHeader(Tasks(3), {}, {}, false)));
        fs::create_directories(fs::path(settings_).parent_path());
        WriteBytes(settings_, "[SETUP]\r\nZURVERSION=90200\r\n");
    }

    void Start(QProcess& program, const QString& answers) const {
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert("QT_QPA_PLATFORM", "offscreen");
        environment.insert("HOME", QString::fromStdString(dir_.File("home")));
        environment.insert("XDG_CONFIG_HOME", QString::fromStdString(dir_.File("config")));
        environment.insert("XDG_STATE_HOME", QString::fromStdString(dir_.File("state")));
        environment.insert("ZURCFG_TEST_ANSWERS", answers);
        program.setProcessEnvironment(environment);
        program.start(ZURCFG_PROGRAM, {});
        ASSERT_TRUE(program.waitForStarted());
    }

    // Waits up to 20 s for `done`, gathering what the program says on its error output.
    static bool WaitFor(QProcess& program, QString& said, const std::function<bool()>& done) {
        for (QDeadlineTimer deadline(20000); !deadline.hasExpired();) {
            if (done() || program.state() == QProcess::NotRunning) {
                break;
            }
            program.waitForReadyRead(50);
            said += QString::fromLocal8Bit(program.readAllStandardError());
        }
        return done();
    }

    static void End(QProcess& program, int signal) {
        ASSERT_EQ(kill(static_cast<pid_t>(program.processId()), signal), 0);
        ASSERT_TRUE(program.waitForFinished(20000));
        EXPECT_EQ(program.exitStatus(), QProcess::NormalExit) << strsignal(signal);
        EXPECT_EQ(program.exitCode(), 0);
    }

    std::vector<std::string> StateFiles() const { return testing::NamesIn(stateFolder_); }

    // The work the program with this id keeps, once its own file is the only one in the folder:
    // "recovery-<id>-<run>.txt", not one it has claimed, "recovery-<id>-<run>-<n>.txt".
    std::optional<Document> OnlyWorkOf(qint64 processId) const {
        const std::vector<std::string> names = StateFiles();
        if (names.size() != 1 ||
            names[0].rfind("recovery-" + std::to_string(processId) + '-', 0) != 0 ||
            std::count(names[0].begin(), names[0].end(), '-') != 2) {
            return std::nullopt;
        }
        return ReadRecoveryFile((fs::path(stateFolder_) / names[0]).string());
    }

    TempDir dir_;
    std::string header_ = HeaderPathFor(dir_.File("project"));
    std::string settings_ = (dir_.Path() / "config" / "ZURcfg_Tool" / "file.ini").string();
    std::string stateFolder_ = (dir_.Path() / "state" / "ZURcfg_Tool").string();
};

TEST_F(UnsavedWorkProcessTest, ASignalKeepsUnsavedWorkThatTheNextStartOffers) {
    // Work left by a process that has ended: seven tasks instead of three.
    const pid_t ended = fork();
    if (ended == 0) {
        _exit(0);
    }
    ASSERT_GT(ended, 0);
    waitpid(ended, nullptr, 0);
    Document work;
    work.path = header_;
    work.configuration = Tasks(7);
    fs::create_directories(stateFolder_);
    WriteBytes((fs::path(stateFolder_) / ("recovery-" + std::to_string(ended) + "-0.txt")).string(),
               FormatRecoveryRecord(work));

    const QString offer = QString::fromStdString(
        "message \"Unsaved work\": ZURcfg_Tool ended without saving your changes to " + header_);
    // Each run takes the work back, holds it unsaved, and leaves it to the next when ended.
    for (const int signal : {SIGTERM, SIGHUP, SIGINT}) {
        QProcess program;
        Start(program, "yes");
        QString said;
        std::optional<Document> kept;
        EXPECT_TRUE(WaitFor(program, said,
                            [&] {
                                kept = OnlyWorkOf(program.processId());
                                return kept.has_value();
                            }))
            << strsignal(signal) << ": " << said.toStdString();
        End(program, signal);
        said += QString::fromLocal8Bit(program.readAllStandardError());
        EXPECT_TRUE(said.contains(offer)) << said.toStdString();
        ASSERT_TRUE(kept);
        EXPECT_EQ(kept->configuration.OS_TASKS, 7);
        EXPECT_EQ(kept->path, header_);
        EXPECT_EQ(StateFiles().size(), 1u);
    }
    // The settings are written as at any end.
    EXPECT_NE(ReadBytes(settings_).find("path0=" + header_), std::string::npos);

    // No discards the work, and the next signal finds nothing unsaved.
    QProcess program;
    Start(program, "no");
    QString said;
    EXPECT_TRUE(WaitFor(program, said, [&] {
        return said.contains(offer) && StateFiles().empty();
    })) << said.toStdString();
    End(program, SIGTERM);
    EXPECT_TRUE(StateFiles().empty());
    EXPECT_EQ(ReadBytes(header_), WithCrLf(FormatHeader(Tasks(3), {}, {}, false)));
}

}  // namespace
}  // namespace zurcfg
