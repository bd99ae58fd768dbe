// Unsaved work in recovery files: a record loses nothing of a document and refuses to be read
// when cut short or spoiled; each run keeps a file of its own and claims those of ended runs.
#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <cstdint>
#include <filesystem>
#include <set>
#include <string>

#include "settings/recovery_files.h"
#include "settings/recovery_record.h"
#include "support/configuration_diff.h"
#include "support/temp_dir.h"

#ifndef _WIN32
#include <sys/wait.h>
#include <unistd.h>
#endif

namespace zurcfg {
namespace {

namespace fs = std::filesystem;
using testing::DifferingFields;
using testing::ReadBytes;
using testing::TempDir;
using testing::WriteBytes;

// A document with values no header could carry as they are: texts with line breaks, control
// bytes, backslashes and 8-bit letters, fields beyond their lists, and rows that a header would
// close up or drop.
Document UnusualDocument() {
    Document document;
    document.path = "/home/ann/r\\tos \xe9t\xe9/ZURcfg.h";
    Configuration& options = document.configuration;
    options.OS_TASKS = -5;
    options.OS_BSEMS = INT32_MAX;
    options.OS_STIMERS = INT32_MIN;
    options.OS_ENABLE_ALL = 1;
    options.OS_ENABLE_INT_QUEUE = 255;
    options.OS_BANK_OS = 9;
    options.OS_TTIMER_SIZE = -1;
    options.OST_MSG = "unsigned char \\x41";
    options.PLATFORM = -1;
    options.PROJECT_NAME = "two\nlines\r and = sign \x01\x7f\xff ";
    document.bsems[0] = {"", "a comment alone"};
    document.bsems[5] = {"BS_READY", ""};
    document.bsems[kBsemsEntries - 1] = {"BS_LAST", "the last row"};
    document.stimers[kStimersEntries - 1] = {"ST_LAST", "x\\ny\t"};
    return document;
}

TEST(RecoveryRecordTest, ADocumentComesBackWhole) {
    const Document document = UnusualDocument();
    const std::string record = FormatRecoveryRecord(document);
    const std::optional<Document> back = ParseRecoveryRecord(record);
    ASSERT_TRUE(back);
    EXPECT_EQ(DifferingFields(back->configuration, document.configuration), "");
    EXPECT_EQ(back->path, document.path);
    EXPECT_EQ(back->bsems, document.bsems);
    EXPECT_EQ(back->stimers, document.stimers);
    // The first and last lines, the path, 31 fields and one line per text of a row.
    EXPECT_EQ(std::count(record.begin(), record.end(), '\n'), 2 + 1 + 31 + 4 + 2);

    EXPECT_EQ(ParseRecoveryRecord(FormatRecoveryRecord(Document()))->bsems, Document().bsems);
}

TEST(RecoveryRecordTest, ARecordCutShortOrSpoiledIsRefused) {
    const std::string record = FormatRecoveryRecord(UnusualDocument());
    const auto replaced = [&record](const std::string& from, const std::string& to) {
        std::string changed = record;
        return changed.replace(changed.find(from), from.size(), to);
    };
    EXPECT_FALSE(ParseRecoveryRecord(""));
    EXPECT_FALSE(ParseRecoveryRecord(record.substr(0, record.size() - 4)));
    EXPECT_FALSE(ParseRecoveryRecord(record.substr(record.find('\n') + 1)));
    EXPECT_FALSE(ParseRecoveryRecord(record + "more\n"));
    EXPECT_FALSE(ParseRecoveryRecord(replaced("OS_TASKS=-5", "OS_TASKS=five")));
    EXPECT_FALSE(ParseRecoveryRecord(replaced("OS_ENABLE_ALL=1", "OS_ENABLE_ALL=256")));
    EXPECT_FALSE(ParseRecoveryRecord(replaced("PLATFORM=-1\n", "")));
    EXPECT_FALSE(ParseRecoveryRecord(replaced("path=", "path=\\q")));
    EXPECT_FALSE(ParseRecoveryRecord(replaced("OS_TASKS=-5", "OS_TASKS")));
    // A key of a later version is passed over.
    EXPECT_TRUE(ParseRecoveryRecord(replaced("PLATFORM=", "COLOUR=blue\nPLATFORM=")));
}

TEST(RecoveryFilesTest, EachRunKeepsItsOwnFileAndClaimsThoseOfEndedRuns) {
    TempDir dir;
    const std::string folder = dir.File("state");
    std::set<std::int64_t> running{10, 20, 30, 40};
    const auto check = [&running](std::int64_t id) { return running.count(id) > 0; };
    RecoveryFiles first(folder, check, 10);
    const RecoveryFiles second(folder, check, 20);
    RecoveryFiles third(folder, check, 30);
    RecoveryFiles fourth(folder, check, 40);
    EXPECT_NE(first.OwnFile(), second.OwnFile());
    ASSERT_TRUE(first.Write(FormatRecoveryRecord(UnusualDocument())));
    ASSERT_TRUE(second.Write("second"));
    EXPECT_TRUE(third.ClaimLeftBehind().empty());

    // An earlier process with the same id as the third left a file, older than the first's.
    running.erase(10);
    const std::string earlier = (fs::path(folder) / "recovery-30-e4r1.txt").string();
    WriteBytes(earlier, "earlier");
    fs::last_write_time(earlier, fs::last_write_time(first.OwnFile()) - std::chrono::hours(1));
    WriteBytes((fs::path(folder) / "notes.txt").string(), "not ours");
    WriteBytes((fs::path(folder) / "recovery-10-x.txt.tmp").string(), "not a recovery file");

    const std::vector<std::string> claimed = third.ClaimLeftBehind();
    ASSERT_EQ(claimed.size(), 2u);
    EXPECT_FALSE(fs::exists(first.OwnFile()));
    EXPECT_FALSE(fs::exists(earlier));
    ASSERT_TRUE(ReadRecoveryFile(claimed[0]));
    EXPECT_EQ(ReadRecoveryFile(claimed[0])->stimers, UnusualDocument().stimers);
    EXPECT_EQ(ReadBytes(claimed[1]), "earlier");
    EXPECT_FALSE(ReadRecoveryFile(claimed[1]));
    EXPECT_FALSE(ReadRecoveryFile(folder));

    // Claimed files stay the third's while it runs and are offered again once it has ended.
    EXPECT_TRUE(fourth.ClaimLeftBehind().empty());
    running.erase(30);
    EXPECT_EQ(fourth.ClaimLeftBehind().size(), 2u);
    EXPECT_EQ(ReadBytes(second.OwnFile()), "second");
    second.Remove();
    EXPECT_FALSE(fs::exists(second.OwnFile()));
}

TEST(RecoveryFilesTest, ThisProcessRunsAndAnEndedOneDoesNot) {
    EXPECT_TRUE(ProcessRunning(CurrentProcessId()));
    EXPECT_FALSE(ProcessRunning(0));
    EXPECT_FALSE(ProcessRunning(-1));
#ifndef _WIN32
    const pid_t child = fork();
    if (child == 0) {
        _exit(0);
    }
    ASSERT_GT(child, 0);
    waitpid(child, nullptr, 0);
    EXPECT_FALSE(ProcessRunning(child));
#endif
}

}  // namespace
}  // namespace zurcfg
