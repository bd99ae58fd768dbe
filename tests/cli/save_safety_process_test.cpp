// zurcfg's saves as processes: killed at every file call of a save, many at once, against a held
// lock, and over a header that ends early.
#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <iostream>
#include <map>
#include <set>
#include <sstream>

#include "config/file_lock.h"
#include "config/header_reader.h"
#include "config/header_writer.h"
#include "config/line_ending.h"
#include "tests/cli/zurcfg_process.h"
#include "tests/support/temp_dir.h"

namespace zurcfg {
namespace {

namespace fs = std::filesystem;
using testing::Contains;
using testing::Outcome;
using testing::Quoted;
using testing::ReadBytes;
using testing::RunCommand;
using testing::TempDir;
using testing::WriteBytes;
using testing::Zurcfg;
using testing::ZurcfgCommand;

Configuration Tasks(int32_t tasks) {
    Configuration configuration;
    configuration.OS_TASKS = tasks;
    configuration.OS_BSEMS = 1;
    configuration.PROJECT_NAME = "Pump";
    return configuration;
}

std::string HeaderBytes(const Configuration& configuration) {
    return WithLineEnding(FormatHeader(configuration, {{"B_READY", "data ready"}}, {}, false),
                          kNewHeaderLineEnding);
}

// A project folder in dir holding a header of `tasks` tasks and a backup of one task.
class Project {
public:
    explicit Project(const TempDir& dir)
        : folder_(dir.File("project")),
          header_(folder_ + "/ZURcfg.h"),
          backup_(folder_ + "/ZURcfg.bak") {}

    void Reset(int32_t tasks) const {
        fs::remove_all(folder_);
        fs::create_directory(folder_);
        WriteBytes(header_, HeaderBytes(Tasks(tasks)));
        WriteBytes(backup_, HeaderBytes(Tasks(1)));
    }

    const std::string& Header() const { return header_; }
    const std::string& Backup() const { return backup_; }

private:
    std::string folder_;
    std::string header_;
    std::string backup_;
};

// The calls by which a save creates, writes, flushes, links, renames, removes and locks files.
const std::set<std::string> kFileCalls{"openat",   "open",      "creat",     "write",    "pwrite64",
                                       "fsync",    "fdatasync", "link",      "linkat",   "rename",
                                       "renameat", "renameat2", "unlink",    "unlinkat", "fchmod",
                                       "fchown",   "fallocate", "ftruncate", "flock",    "close"};

// The file calls of a save, by name: the numbers (counting from 1, by name, as strace's
// injection counts them) of the calls the command makes from taking the header's lock on. The
// calls that start the process before it touch no file of the project.
std::map<std::string, std::pair<int, int>> SaveFileCalls(const TempDir& dir,
                                                         const std::string& command) {
    const std::string trace = dir.File("trace.txt");
    RunCommand(dir, "strace -o " + Quoted(trace) + " -e trace=%file,%desc " + command);
    std::map<std::string, std::pair<int, int>> calls;  // first and last number
    bool saving = false;
    std::map<std::string, int> made;
    std::istringstream lines(ReadBytes(trace));
    for (std::string line; std::getline(lines, line);) {
        const std::string name = line.substr(0, line.find('('));
        saving = saving || Contains(line, "ZURcfg.h.lock");
        const int number = ++made[name];
        if (saving && kFileCalls.count(name) != 0) {
            calls.try_emplace(name, number, number).first->second.second = number;
        }
    }
    return calls;
}

TEST(SaveSafetyTest, ASaveKilledAtAnyFileCallLeavesACompleteHeaderAndBackup) {
    ASSERT_EQ(std::system("command -v strace >/dev/null 2>&1"), 0)
        << "the kill test needs strace (Debian package strace)";
    TempDir dir;
    if (RunCommand(dir, "strace -o /dev/null true").status != 0) {
        GTEST_SKIP() << "this machine does not let one process trace another (ptrace)";
    }
    const auto started = std::chrono::steady_clock::now();
    const Project project(dir);
    const std::string set = ZurcfgCommand({"set", project.Header(), "OS_TASKS=9"});
    const std::string before = HeaderBytes(Tasks(3));
    const std::string after = HeaderBytes(Tasks(9));
    const std::string olderBackup = HeaderBytes(Tasks(1));

    project.Reset(3);
    const auto calls = SaveFileCalls(dir, set);
    ASSERT_EQ(ReadBytes(project.Header()), after);
    ASSERT_GT(calls.count("fsync"), 0u) << "the save flushes nothing";
    int killPoints = 0;
    for (const auto& [call, numbers] : calls) {
        for (int when = numbers.first; when <= numbers.second; ++when) {
            SCOPED_TRACE(call + " number " + std::to_string(when));
            project.Reset(3);
            RunCommand(dir, "strace -o /dev/null -e trace=" + call + " -e inject=" + call +
                                ":signal=SIGKILL:when=" + std::to_string(when) + " " + set);
            ++killPoints;
            const std::string header = ReadBytes(project.Header());
            EXPECT_TRUE(header == before || header == after) << header.size() << " bytes";
            const std::string backup = ReadBytes(project.Backup());
            EXPECT_TRUE(backup == olderBackup || backup == before) << backup.size() << " bytes";
            // Whatever the killed save left behind, the next one goes through.
            const Outcome again = Zurcfg(dir, {"set", project.Header(), "OS_TASKS=9"});
            EXPECT_EQ(again.status, 0) << again.err;
            EXPECT_EQ(ReadBytes(project.Header()), after);
        }
    }
    const auto seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - started);
    std::cout << killPoints << " kill points in " << seconds.count() << " s\n";
    RecordProperty("kill_points", killPoints);
    EXPECT_GT(killPoints, 12);
}

TEST(SaveSafetyTest, SetsRunningAtOnceAllLand) {
    TempDir dir;
    const Project project(dir);
    project.Reset(3);
    const std::vector<std::string> fields{"OS_TASKS", "OS_BSEMS",     "OS_STIMERS",
                                          "OST_MSG",  "PROJECT_NAME", "OST_SMSG"};
    for (int round = 1; round <= 8; ++round) {
        SCOPED_TRACE(round);
        const std::string value = std::to_string(10 + round);
        std::string command;
        for (std::size_t i = 0; i < fields.size(); ++i) {
            command += "( " + ZurcfgCommand({"set", project.Header(), fields[i] + "=" + value}) +
                       " >/dev/null 2>&1; echo $? >" + Quoted(dir.File(std::to_string(i))) +
                       " ) & ";
        }
        RunCommand(dir, "{ " + command + "wait; }");
        for (std::size_t i = 0; i < fields.size(); ++i) {
            EXPECT_EQ(ReadBytes(dir.File(std::to_string(i))), "0\n") << fields[i];
        }
        const Configuration read = ReadHeaderFile(project.Header()).contents.configuration;
        const std::string number = value;
        EXPECT_EQ(std::to_string(read.OS_TASKS), number);
        EXPECT_EQ(std::to_string(read.OS_BSEMS), number);
        EXPECT_EQ(std::to_string(read.OS_STIMERS), number);
        EXPECT_EQ(read.OST_MSG, value);
        EXPECT_EQ(read.PROJECT_NAME, value);
        EXPECT_EQ(read.OST_SMSG, value);
    }
}

TEST(SaveSafetyTest, ASaveThatCannotHaveTheLockWritesNothingAndSaysSo) {
    TempDir dir;
    const Project project(dir);
    project.Reset(3);
    const FileLock held(project.Header());
    ASSERT_TRUE(held.Held());
    const auto started = std::chrono::steady_clock::now();
    const Outcome set = Zurcfg(dir, {"set", project.Header(), "OS_TASKS=9"});
    EXPECT_GE(std::chrono::steady_clock::now() - started, FileLock::kWait);
    EXPECT_EQ(set.status, 2);
    EXPECT_TRUE(Contains(set.err, "is being saved by another window or program")) << set.err;
    EXPECT_EQ(ReadBytes(project.Header()), HeaderBytes(Tasks(3)));
    EXPECT_EQ(ReadBytes(project.Backup()), HeaderBytes(Tasks(1)));
}

TEST(SaveSafetyTest, AHeaderThatEndsEarlyIsReportedAndRewrittenOnlyWithForceKeepingTheBackup) {
    TempDir dir;
    const Project project(dir);
    project.Reset(3);
    const std::string whole = ReadBytes(project.Header());
    const std::string cut = whole.substr(0, whole.rfind("#endif"));
    WriteBytes(project.Header(), cut);
    const std::string olderBackup = ReadBytes(project.Backup());

    const Outcome check = Zurcfg(dir, {"check", project.Header()});
    EXPECT_EQ(check.status, 1);
    EXPECT_TRUE(Contains(check.out, ": error: ends early, may be incomplete")) << check.out;
    EXPECT_TRUE(Contains(check.out, project.Backup()));

    for (const std::vector<std::string>& command :
         {std::vector<std::string>{"set", project.Header(), "OS_TASKS=9"},
          {"format", project.Header()}}) {
        const Outcome refused = Zurcfg(dir, command);
        EXPECT_EQ(refused.status, 1) << command[0];
        EXPECT_TRUE(Contains(refused.err, "--force")) << refused.err;
        EXPECT_EQ(ReadBytes(project.Header()), cut);
    }
    EXPECT_EQ(Zurcfg(dir, {"format", "--check", project.Header()}).status, 1);

    const Outcome forced = Zurcfg(dir, {"set", "--force", project.Header(), "OS_TASKS=9"});
    EXPECT_EQ(forced.status, 0) << forced.err;
    EXPECT_TRUE(Contains(forced.err, "ended early, so it was not kept as the backup"))
        << forced.err;
    EXPECT_EQ(ReadBytes(project.Header()), HeaderBytes(Tasks(9)));
    EXPECT_EQ(ReadBytes(project.Backup()), olderBackup);

    // A header gone, with its backup beside it: the backup is named.
    fs::remove(project.Header());
    const Outcome missing = Zurcfg(dir, {"check", project.Header()});
    EXPECT_EQ(missing.status, 2);
    EXPECT_TRUE(Contains(missing.err, "Its backup " + project.Backup() + " is there."))
        << missing.err;
}

}  // namespace
}  // namespace zurcfg
