#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#ifndef _WIN32
#include <sys/resource.h>
#include <cerrno>
#include <csignal>
#include <cstring>
#endif

#include "config/header_messages.h"
#include "config/header_path.h"
#include "config/header_writer.h"
#include "support/fake_prompter.h"
#include "support/temp_dir.h"
#include "support/unprivileged.h"

namespace zurcfg {
namespace {

using testing::FakePrompter;
using testing::NamesIn;
using testing::ReadBytes;
using testing::TempDir;
using testing::WithCrLf;
using testing::WriteBytes;

const std::string kSep(1, kNativeSeparator);

std::vector<NameEntry> Table(std::vector<NameEntry> filled, int rows) {
    filled.resize(rows);
    return filled;
}

Configuration Tasks(int32_t tasks) {
    Configuration config;
    config.OS_TASKS = tasks;
    return config;
}

class HeaderWriterTest : public ::testing::Test {
protected:
    // Writes with empty tables and expects the plain success report for the final path.
    void WriteExpectingSuccess(const std::string& path, const std::string& finalPath,
                               const Configuration& config = Tasks(3)) {
        FakePrompter prompter;
        prompter.Will(Answer::Ok);
        EXPECT_TRUE(WriteHeader(path, config, bsems_, stimers_, false, prompter).Written());
        ASSERT_EQ(prompter.Messages().size(), 1u);
        EXPECT_EQ(prompter.Last().text, "File saved successfully:\n" + finalPath);
        EXPECT_EQ(prompter.Last().caption, "OK!");
        EXPECT_EQ(prompter.Last().buttons, Buttons::Ok);
        EXPECT_EQ(prompter.Last().icon, Icon::Information);
    }

    // Expects the write to fail with the given error message, followed by a line that names the
    // step that failed and the system's reason, when one is given.
    void WriteExpectingError(const std::string& path, const std::string& expectedText,
                             const std::string& failedStep = "") {
        FakePrompter prompter;
        prompter.Will(Answer::Ok);
        EXPECT_FALSE(WriteHeader(path, Tasks(3), bsems_, stimers_, false, prompter).Written());
        ASSERT_EQ(prompter.Messages().size(), 1u);
        const std::string firstLines = failedStep.empty() ? expectedText : expectedText + "\n";
        EXPECT_EQ(prompter.Last().text.substr(0, firstLines.size()), firstLines);
        EXPECT_EQ(prompter.Last().text.substr(firstLines.size(), failedStep.size()), failedStep);
        if (failedStep.empty()) {
            EXPECT_EQ(prompter.Last().text, expectedText);
        }
        EXPECT_EQ(prompter.Last().caption, "Error");
        EXPECT_EQ(prompter.Last().buttons, Buttons::Ok);
        EXPECT_EQ(prompter.Last().icon, Icon::Exclamation);
    }

    std::string Folder() const { return dir_.Path().string(); }
    std::string Header() const { return dir_.File("ZURcfg.h"); }
    std::string Backup() const { return dir_.File("ZURcfg.bak"); }

    TempDir dir_;
    std::vector<NameEntry> bsems_ = Table({}, kBsemsEntries);
    std::vector<NameEntry> stimers_ = Table({}, kStimersEntries);
};

TEST_F(HeaderWriterTest, FileOnDiskHasCrLfLineBreaks) {
    const Configuration config = Tasks(3);
    WriteExpectingSuccess(Folder(), Header(), config);
    const std::string bytes = ReadBytes(Header());
    EXPECT_EQ(bytes, WithCrLf(FormatHeader(config, bsems_, stimers_, false)));
    EXPECT_EQ(bytes.substr(bytes.size() - 8), "#endif\r\n");
    EXPECT_EQ(bytes.find("\n\n"), std::string::npos);
    EXPECT_EQ(std::count(bytes.begin(), bytes.end(), '\r'), 40);
    EXPECT_EQ(std::count(bytes.begin(), bytes.end(), '\n'), 40);
}

TEST_F(HeaderWriterTest, SavingTwiceKeepsOneBackupOfTheFirstSave) {
    EXPECT_EQ(WriteHeaderFile(Folder(), Tasks(3), bsems_, stimers_, false).backup,
              HeaderWriteReport::Backup::NoPreviousFile);
    const std::string first = ReadBytes(Header());
    const HeaderWriteReport second = WriteHeaderFile(Folder(), Tasks(4), bsems_, stimers_, false);
    EXPECT_TRUE(second.Written());
    EXPECT_EQ(second.backup, HeaderWriteReport::Backup::Made);
    EXPECT_EQ(second.backupPath, Backup());
    EXPECT_EQ(NamesIn(dir_.Path()), (std::vector<std::string>{"ZURcfg.bak", "ZURcfg.h"}));
    EXPECT_EQ(ReadBytes(Backup()), first);
    EXPECT_NE(ReadBytes(Header()).find("OS_TASKS               4  //"), std::string::npos);
}

TEST_F(HeaderWriterTest, FirstSaveReplacesNoBackup) {
    WriteBytes(Backup(), "older backup");
    WriteExpectingSuccess(Folder(), Header());
    EXPECT_EQ(ReadBytes(Backup()), "older backup");
}

TEST_F(HeaderWriterTest, PathRuleDecidesTheFileAndItsBackup) {
    // A path ending in a separator gets no second one.
    WriteBytes(Header(), "previous");
    WriteExpectingSuccess(Folder() + kSep, Header());
    EXPECT_EQ(ReadBytes(Backup()), "previous");

    // The header named in other letters keeps its name; so does its backup.
    TempDir upper;
    const std::string upperHeader = upper.File("ZURCFG.H");
    WriteBytes(upperHeader, "previous upper");
    WriteExpectingSuccess(upperHeader, upperHeader);
    EXPECT_EQ(NamesIn(upper.Path()), (std::vector<std::string>{"ZURCFG.H", "ZURCFG.bak"}));
    EXPECT_EQ(ReadBytes(upper.File("ZURCFG.bak")), "previous upper");
}

TEST_F(HeaderWriterTest, AnExistingFileIsWrittenWhateverItsNameAndAMissingOneIsAFolder) {
    const std::string board = dir_.File("board.h");
    WriteBytes(board, "previous board");
    WriteExpectingSuccess(board, board);
    EXPECT_EQ(ReadBytes(dir_.File("board.bak")), "previous board");

    const std::string other = dir_.File("other.h");
    WriteExpectingError(other, "Error opening file:\n" + other + kSep + "ZURcfg.h",
                        "Creating a new file in its folder failed: ");
    EXPECT_FALSE(std::filesystem::exists(other));
}

TEST_F(HeaderWriterTest, OpenFailuresAreReported) {
    // A folder where the header should be is not written, nor moved aside.
    std::filesystem::create_directory(Header());
    WriteExpectingError(Folder(), "File " + Header() +
                                      " is not a regular file (it is a folder, a pipe or a "
                                      "device),\nso it was not written. Save to a header file "
                                      "instead.");
    EXPECT_TRUE(std::filesystem::is_directory(Header()));
    EXPECT_EQ(NamesIn(dir_.Path()), std::vector<std::string>{"ZURcfg.h"});

    const std::string missing = dir_.File("missing") + kSep + "ZURcfg.h";
    WriteExpectingError(missing, "Error opening file:\n" + missing,
                        "Creating a new file in its folder failed: ");
    EXPECT_FALSE(std::filesystem::exists(dir_.File("missing")));
}

TEST_F(HeaderWriterTest, AHeaderThatEndsEarlyIsNotMadeTheBackup) {
    const std::string whole = WithCrLf(FormatHeader(Tasks(2), bsems_, stimers_, false));
    const std::string cut = whole.substr(0, whole.rfind("#endif"));
    WriteBytes(Header(), cut);
    WriteBytes(Backup(), whole);
    FakePrompter prompter;
    prompter.Will(Answer::Ok);
    const HeaderWriteReport report =
        WriteHeader(Folder(), Tasks(3), bsems_, stimers_, false, prompter);
    EXPECT_TRUE(report.Written());
    EXPECT_EQ(report.backup, HeaderWriteReport::Backup::KeptOlder);
    EXPECT_EQ(ReadBytes(Backup()), whole);
    EXPECT_EQ(prompter.Last().text,
              "File saved successfully:\n" + Header() +
                  "\n\nThe previous file ended early, so it was not kept as the backup:\n" +
                  Backup() + " still holds the header saved before it.");

    // Without an older backup, even a header that ends early is better kept than lost.
    std::filesystem::remove(Backup());
    WriteBytes(Header(), cut);
    EXPECT_EQ(WriteHeaderFile(Folder(), Tasks(3), bsems_, stimers_, false).backup,
              HeaderWriteReport::Backup::Made);
    EXPECT_EQ(ReadBytes(Backup()), cut);
}

TEST_F(HeaderWriterTest, IdentifiersWithinTheirCountsAreNoWarning) {
    Configuration config = Tasks(3);
    config.OS_BSEMS = 2;
    config.OS_STIMERS = 5;
    bsems_[0] = {"BS_A", ""};
    bsems_[199] = {"BS_B", ""};
    stimers_[3] = {"ST_A", ""};
    WriteExpectingSuccess(Folder(), Header(), config);
}

TEST_F(HeaderWriterTest, ExcessIdentifiersAreWrittenAndWarnedAbout) {
    Configuration config = Tasks(3);
    config.OS_BSEMS = 2;
    bsems_[0] = {"BS_A", ""};
    bsems_[5] = {"BS_B", ""};
    bsems_[9] = {"BS_C", ""};
    {
        FakePrompter prompter;
        prompter.Will(Answer::Ok);
        EXPECT_TRUE(WriteHeader(Folder(), config, bsems_, stimers_, false, prompter).Written());
        EXPECT_EQ(prompter.Last().text,
                  "File saved:\n" + Header() +
                      "\n\nWARNING:\n\n1. OS_BSEMS = 2, but 3 item(s) defined in ENUM_BSEMS\n");
        EXPECT_EQ(prompter.Last().caption, "OK!");
        EXPECT_EQ(prompter.Last().buttons, Buttons::Ok);
        EXPECT_EQ(prompter.Last().icon, Icon::Exclamation);
        EXPECT_EQ(CheckCounts(config, bsems_, stimers_),
                  (std::vector<CountWarning>{{NameTableId::Bsems, 2, 3}}));
        const std::string bytes = ReadBytes(Header());
        EXPECT_NE(bytes.find("OS_BSEMS               2  //"), std::string::npos);
        EXPECT_NE(bytes.find("    BS_C \r\n};"), std::string::npos);
    }

    // The static timers come first; a count of 0 is named too.
    config.OS_STIMERS = 0;
    stimers_[63] = {"ST_LAST", "comment"};
    FakePrompter prompter;
    prompter.Will(Answer::Ok);
    EXPECT_TRUE(WriteHeader(Folder(), config, bsems_, stimers_, true, prompter).Written());
    EXPECT_EQ(prompter.Last().text, "File saved:\n" + Header() +
                                        "\n\nWARNING:\n\n"
                                        "1. OS_STIMERS = 0, but 1 item(s) defined in ENUM_STIMERS\n"
                                        "2. OS_BSEMS = 2, but 3 item(s) defined in ENUM_BSEMS\n");
    EXPECT_EQ(prompter.Last().icon, Icon::Exclamation);
    const std::string bytes = ReadBytes(Header());
    EXPECT_EQ(bytes.find("#define OS_STIMERS"), std::string::npos);
    EXPECT_NE(bytes.find("    ST_LAST           // comment\r\n"), std::string::npos);
}

#ifndef _WIN32

// Makes writes beyond a file size fail with EFBIG instead of killing the process, for as long as
// it lives.
class FileSizeLimit {
public:
    explicit FileSizeLimit(rlim_t bytes) {
        getrlimit(RLIMIT_FSIZE, &saved_);
        previousHandler_ = std::signal(SIGXFSZ, SIG_IGN);
        rlimit limited = saved_;
        limited.rlim_cur = bytes;
        active_ = setrlimit(RLIMIT_FSIZE, &limited) == 0;
    }
    ~FileSizeLimit() {
        setrlimit(RLIMIT_FSIZE, &saved_);
        std::signal(SIGXFSZ, previousHandler_);
    }
    FileSizeLimit(const FileSizeLimit&) = delete;
    FileSizeLimit& operator=(const FileSizeLimit&) = delete;

    bool Active() const { return active_; }

private:
    rlimit saved_{};
    void (*previousHandler_)(int) = SIG_DFL;
    bool active_ = false;
};

TEST_F(HeaderWriterTest, FailedWriteKeepsThePreviousHeaderAndItsBackup) {
    // A short header and a long one, which fails in a later piece of the write.
    std::vector<NameEntry> manyBsems(kBsemsEntries, NameEntry{std::string(60, 'B'), "comment"});
    for (const std::vector<NameEntry>* bsems : {&bsems_, &manyBsems}) {
        TempDir dir;
        const std::string header = dir.File("ZURcfg.h");
        WriteBytes(header, "previous header");
        WriteBytes(dir.File("ZURcfg.bak"), "older backup");
        FakePrompter prompter;
        prompter.Will(Answer::Ok);
        bool written = true;
        {
            FileSizeLimit limit(200);
            ASSERT_TRUE(limit.Active());
            written = WriteHeader(dir.Path().string(), Tasks(3), *bsems, stimers_, false, prompter)
                          .Written();
        }
        EXPECT_FALSE(written);
        ASSERT_EQ(prompter.Messages().size(), 1u);
        EXPECT_EQ(prompter.Last().text,
                  "Error writing file:\n" + header +
                      "\nWriting the new text failed: " + std::strerror(EFBIG) + ".");
        EXPECT_EQ(prompter.Last().caption, "Error");
        EXPECT_EQ(prompter.Last().buttons, Buttons::Ok);
        EXPECT_EQ(prompter.Last().icon, Icon::Exclamation);
        EXPECT_EQ(ReadBytes(header), "previous header");
        EXPECT_EQ(ReadBytes(dir.File("ZURcfg.bak")), "older backup");
        EXPECT_EQ(NamesIn(dir.Path()), (std::vector<std::string>{"ZURcfg.bak", "ZURcfg.h"}));
    }
}

TEST_F(HeaderWriterTest, FailedFirstWriteLeavesNoFile) {
    FakePrompter prompter;
    prompter.Will(Answer::Ok);
    bool written = true;
    {
        FileSizeLimit limit(100);
        ASSERT_TRUE(limit.Active());
        written = WriteHeader(Folder(), Tasks(3), bsems_, stimers_, false, prompter).Written();
    }
    EXPECT_FALSE(written);
    EXPECT_EQ(prompter.Last().text, "Error writing file:\n" + Header() +
                                        "\nWriting the new text failed: " + std::strerror(EFBIG) +
                                        ".");
    EXPECT_TRUE(NamesIn(dir_.Path()).empty());
}

TEST_F(HeaderWriterTest, WhatAnOrdinaryUserMayNotChangeIsToldAndNothingIsLost) {
    namespace fs = std::filesystem;
    // A read-only header in a folder open to writing: not opened, and left as it was.
    fs::create_directory(dir_.Path() / "read_only_file");
    const std::string readOnlyHeader = dir_.File("read_only_file/ZURcfg.h");
    WriteBytes(readOnlyHeader, "read-only header");
    fs::permissions(readOnlyHeader, fs::perms::owner_read | fs::perms::others_read);
    fs::permissions(dir_.File("read_only_file"), fs::perms::all);
    // A writable header in a read-only folder: written in place, without a backup.
    fs::create_directory(dir_.Path() / "read_only_folder");
    const std::string inPlaceHeader = dir_.File("read_only_folder/ZURcfg.h");
    WriteBytes(inPlaceHeader, "previous header");
    WriteBytes(dir_.File("read_only_folder/ZURcfg.bak"), "stale backup");
    fs::permissions(inPlaceHeader, fs::perms::all);

    EXPECT_TRUE(testing::RunUnprivileged([&] {
        const HeaderWriteReport readOnly =
            WriteHeaderFile(dir_.File("read_only_file"), Tasks(3), bsems_, stimers_, false);
        const HeaderWriteReport inPlace =
            WriteHeaderFile(dir_.File("read_only_folder"), Tasks(3), bsems_, stimers_, false);
        return readOnly.outcome == HeaderWriteReport::Outcome::NotOpened && inPlace.Written() &&
               inPlace.backup == HeaderWriteReport::Backup::NotMade;
    }));
    EXPECT_EQ(ReadBytes(readOnlyHeader), "read-only header");
    EXPECT_EQ(NamesIn(dir_.Path() / "read_only_file"), std::vector<std::string>{"ZURcfg.h"});
    EXPECT_EQ(ReadBytes(inPlaceHeader), WithCrLf(FormatHeader(Tasks(3), bsems_, stimers_, false)));
    EXPECT_EQ(ReadBytes(dir_.File("read_only_folder/ZURcfg.bak")), "stale backup");

    // The report of a write without a backup adds its lines, after any count warnings.
    HeaderWriteReport report;
    report.path = inPlaceHeader;
    report.backupPath = BackupPathFor(inPlaceHeader);
    report.outcome = HeaderWriteReport::Outcome::Written;
    report.backup = HeaderWriteReport::Backup::NotMade;
    const std::string noBackup = "No backup of the previous file could be made:\n" +
                                 report.backupPath + " does not hold it.";
    EXPECT_EQ(WriteMessage(report).text,
              "File saved successfully:\n" + inPlaceHeader + "\n\n" + noBackup);
    EXPECT_EQ(WriteMessage(report).icon, Icon::Information);
    report.countWarnings = {{NameTableId::Stimers, 0, 1}};
    report.backupFailure =
        FileFailure{FileStep::CreateTemporary, std::make_error_code(std::errc::permission_denied)};
    EXPECT_EQ(WriteMessage(report).text,
              "File saved:\n" + inPlaceHeader +
                  "\n\nWARNING:\n\n1. OS_STIMERS = 0, but 1 item(s) defined in ENUM_STIMERS\n\n" +
                  noBackup +
                  "\nCreating a new file in its folder failed: " + std::strerror(EACCES) + ".");
}

TEST_F(HeaderWriterTest, ALinkedHeaderStaysALinkAndItsBackupGoesBesideItsTarget) {
    namespace fs = std::filesystem;
    fs::create_directories(dir_.Path() / "shared");
    fs::create_directories(dir_.Path() / "project");
    const std::string target = dir_.File("shared/ZURcfg.h");
    WriteBytes(target, "shared header");
    fs::create_symlink("../shared/ZURcfg.h", dir_.File("project/ZURcfg.h"));
    const HeaderWriteReport report =
        WriteHeaderFile(dir_.File("project"), Tasks(3), bsems_, stimers_, false);
    EXPECT_TRUE(report.Written());
    EXPECT_EQ(report.path, dir_.File("project/ZURcfg.h"));
    EXPECT_EQ(report.backupPath, dir_.File("shared/ZURcfg.bak"));
    EXPECT_TRUE(fs::is_symlink(dir_.File("project/ZURcfg.h")));
    EXPECT_EQ(ReadBytes(target), WithCrLf(FormatHeader(Tasks(3), bsems_, stimers_, false)));
    EXPECT_EQ(ReadBytes(dir_.File("shared/ZURcfg.bak")), "shared header");
    EXPECT_EQ(NamesIn(dir_.Path() / "project"), std::vector<std::string>{"ZURcfg.h"});
}

#endif

}  // namespace
}  // namespace zurcfg
