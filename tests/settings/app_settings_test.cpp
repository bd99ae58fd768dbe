#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <filesystem>
#include <memory>
#include <string>
#include <thread>
#include <vector>

#include "settings/app_settings.h"
#include "support/temp_dir.h"

#ifndef _WIN32
#include "support/unprivileged.h"
#endif

namespace zurcfg {
namespace {

namespace fs = std::filesystem;
using testing::ReadBytes;
#ifndef _WIN32
using testing::RunUnprivileged;
#endif
using testing::TempDir;
using testing::WriteBytes;

// Every stored field with a value of its own, so that a key in the wrong place shows.
Configuration DistinctConfiguration() {
    Configuration c;
    c.OS_TASKS = 3;
    c.OS_BSEMS = 20;
    c.OS_STIMERS = 5;
    c.OS_ENABLE_ALL = 1;
    c.OS_ENABLE_QMSG = 1;
    c.OS_QUEUES_IDENTICAL = 1;
    c.OS_ENABLE_DTIMERS = 1;
    c.OS_ENABLE_CRITICAL_SECTION = 1;
    c.OS_ENABLE_INT_CSEM = 1;
    c.OS_ENABLE_INT_SMSG = 1;
    c.OS_ENABLE_INT_QUEUE = 1;
    c.OS_BANK_OS = 1;
    c.OS_BANK_TASKS = 2;
    c.OS_BANK_BSEMS = 3;
    c.OS_BANK_STIMERS = 4;
    c.OS_CSEM_SIZE = 1;
    c.OS_TIMER_SIZE = 2;
    c.OS_STIMER_SIZE = 3;
    c.OS_TTIMER_SIZE = 2;
    c.OST_MSG = "unsigned char";
    c.PLATFORM = 4;
    return c;
}

const std::string kDistinctFile =
    "[SERVICES]\r\n"
    "OS_TASKS=3\r\n"
    "OS_BSEMS=20\r\n"
    "OS_STIMERS=5\r\n"
    "OS_ENABLE_ALL=1\r\n"
    "OS_ENABLE_CSEM=0\r\n"
    "OS_ENABLE_QMSG=1\r\n"
    "OS_ENABLE_QSMSG=0\r\n"
    "OS_QUEUES_IDENTICAL=1\r\n"
    "OS_ENABLE_TTIMERS=0\r\n"
    "OS_ENABLE_DTIMERS=1\r\n"
    "OS_DISABLE_PRIORITY=0\r\n"
    "OS_ENABLE_CRITICAL_SECTION=1\r\n"
    "OS_USE_INLINE_TIMER=0\r\n"
    "[INTERRUPTS]\r\n"
    "OS_ENABLE_INT_ALL=0\r\n"
    "OS_ENABLE_INT_CSEM=1\r\n"
    "OS_ENABLE_INT_MSG=0\r\n"
    "OS_ENABLE_INT_SMSG=1\r\n"
    "OS_ENABLE_INT_QUEUE=1\r\n"
    "[BANKS]\r\n"
    "OS_BANK_OS=1\r\n"
    "OS_BANK_TASKS=2\r\n"
    "OS_BANK_BSEMS=3\r\n"
    "OS_BANK_STIMERS=4\r\n"
    "[TYPES]\r\n"
    "OS_CSEM_SIZE=1\r\n"
    "OS_TIMER_SIZE=2\r\n"
    "OS_STIMER_SIZE=3\r\n"
    "OS_DTIMER_SIZE=0\r\n"
    "OS_TTIMER_SIZE=2\r\n"
    "OST_MSG=unsigned char\r\n"
    "OST_SMSG=\r\n"
    "[ADDITIONAL]\r\n"
    "PLATFORM=4\r\n"
    "[PATHS]\r\n"
    "path0=C:\\proj\\a\r\n"
    "path1=/home/u/b\r\n"
    "[SETUP]\r\n"
    "ZURVERSION=90200\r\n"
    "ZURVERSIONTIP=0\r\n";

// The two sections as a first start writes them.
const std::string kFirstStartInterruptsAndBanks =
    "[INTERRUPTS]\r\n"
    "OS_ENABLE_INT_ALL=0\r\n"
    "OS_ENABLE_INT_CSEM=0\r\n"
    "OS_ENABLE_INT_MSG=0\r\n"
    "OS_ENABLE_INT_SMSG=0\r\n"
    "OS_ENABLE_INT_QUEUE=0\r\n"
    "[BANKS]\r\n"
    "OS_BANK_OS=0\r\n"
    "OS_BANK_TASKS=0\r\n"
    "OS_BANK_BSEMS=0\r\n"
    "OS_BANK_STIMERS=0\r\n";

const std::string kFirstStartFile =
    "[SERVICES]\r\n"
    "OS_TASKS=1\r\n"
    "OS_BSEMS=0\r\n"
    "OS_STIMERS=0\r\n"
    "OS_ENABLE_ALL=0\r\n"
    "OS_ENABLE_CSEM=0\r\n"
    "OS_ENABLE_QMSG=0\r\n"
    "OS_ENABLE_QSMSG=0\r\n"
    "OS_QUEUES_IDENTICAL=0\r\n"
    "OS_ENABLE_TTIMERS=0\r\n"
    "OS_ENABLE_DTIMERS=0\r\n"
    "OS_DISABLE_PRIORITY=0\r\n"
    "OS_ENABLE_CRITICAL_SECTION=0\r\n"
    "OS_USE_INLINE_TIMER=0\r\n" +
    kFirstStartInterruptsAndBanks +
    "[TYPES]\r\n"
    "OS_CSEM_SIZE=0\r\n"
    "OS_TIMER_SIZE=0\r\n"
    "OS_STIMER_SIZE=0\r\n"
    "OS_DTIMER_SIZE=0\r\n"
    "OS_TTIMER_SIZE=0\r\n"
    "OST_MSG=\r\n"
    "OST_SMSG=\r\n"
    "[ADDITIONAL]\r\n"
    "PLATFORM=-1\r\n"
    "[SETUP]\r\n"
    "ZURVERSION=0\r\n"
    "ZURVERSIONTIP=1\r\n";

class AppSettingsTest : public ::testing::Test {
protected:
    TempDir dir_;
    const std::string path_ = dir_.File("ZURcfg_Tool.ini");
};

TEST_F(AppSettingsTest, MissingFileGivesFirstStartValuesAndSavingWritesThem) {
    AppSettings settings(path_);
    Configuration expected;
    expected.OS_TASKS = 1;
    expected.PLATFORM = -1;
    EXPECT_FALSE(settings.defaultConfiguration.IsDifferent(expected));
    EXPECT_EQ(settings.recentPaths, RecentPaths{});
    EXPECT_EQ(settings.ZURVERSION, 0);
    EXPECT_EQ(settings.ZURVERSIONTIP, 1);
    EXPECT_EQ(settings.SettingsPath(), path_);
    EXPECT_FALSE(fs::exists(path_));
    EXPECT_TRUE(settings.SaveSettings());
    EXPECT_EQ(ReadBytes(path_), kFirstStartFile);
}

// A program that only reads the settings leaves the file as it found it, or missing.
TEST_F(AppSettingsTest, ReadingNeverWritesTheFile) {
    const std::string stored = "[SETUP]\r\nZURVERSION=90\r\n";
    ASSERT_EQ(stored.size(), 24u);
    WriteBytes(path_, stored);
    // An hour old, so that a rewrite with the same bytes would show.
    fs::last_write_time(path_, fs::last_write_time(path_) - std::chrono::hours(1));
    const auto written = fs::last_write_time(path_);
    const std::string nested = (dir_.Path() / "config" / "file.ini").string();
    {
        AppSettings settings(path_);
        EXPECT_EQ(settings.ZURVERSION, 90);
        settings.ZURVERSION = 90200;
        settings.LoadSettings();
        AppSettings missing(nested);
        missing.ZURVERSION = 90200;
    }
    EXPECT_EQ(ReadBytes(path_), stored);
    EXPECT_EQ(fs::last_write_time(path_), written);
    EXPECT_FALSE(fs::exists(dir_.Path() / "config"));
}

TEST_F(AppSettingsTest, FirstWriteHasEveryKeyInItsSectionAndOrder) {
    {
        AppSettings settings(path_);
        settings.defaultConfiguration = DistinctConfiguration();
        settings.defaultConfiguration.PROJECT_NAME = "not stored";
        settings.recentPaths[0] = "C:\\proj\\a";
        settings.recentPaths[1] = "/home/u/b";
        settings.ZURVERSION = 90200;
        settings.ZURVERSIONTIP = 0;
        EXPECT_TRUE(settings.SaveSettings());
        EXPECT_EQ(ReadBytes(path_), kDistinctFile);
        // Writing again changes nothing.
        EXPECT_TRUE(settings.SaveSettings());
    }
    EXPECT_EQ(ReadBytes(path_), kDistinctFile);
}

TEST_F(AppSettingsTest, EveryKeyIsReadFromItsSection) {
    WriteBytes(path_, kDistinctFile);
    AppSettings settings(path_);
    EXPECT_FALSE(settings.defaultConfiguration.IsDifferent(DistinctConfiguration()));
    EXPECT_EQ(settings.recentPaths[0], "C:\\proj\\a");
    EXPECT_EQ(settings.recentPaths[1], "/home/u/b");
    EXPECT_EQ(settings.recentPaths[2], "");
    EXPECT_EQ(settings.ZURVERSION, 90200);
    EXPECT_EQ(settings.ZURVERSIONTIP, 0);
}

TEST_F(AppSettingsTest, KeysInAnotherSectionAreAbsent) {
    WriteBytes(path_,
               "[TYPES]\r\nOS_TASKS=5\r\nPLATFORM=2\r\n"
               "[SETUP]\r\nOST_MSG=int\r\npath0=/p\r\n"
               "[SERVICES]\r\nZURVERSION=90115\r\n");
    AppSettings settings(path_);
    EXPECT_EQ(settings.defaultConfiguration.OS_TASKS, 1);
    EXPECT_EQ(settings.defaultConfiguration.PLATFORM, -1);
    EXPECT_EQ(settings.defaultConfiguration.OST_MSG, "");
    EXPECT_EQ(settings.recentPaths[0], "");
    EXPECT_EQ(settings.ZURVERSION, 0);
}

TEST_F(AppSettingsTest, SwitchesReadAsOnForAnyValueButZeroAndAreWrittenAsOne) {
    WriteBytes(path_,
               "[SERVICES]\r\nOS_ENABLE_ALL=5\r\nOS_ENABLE_CSEM=-1\r\nOS_ENABLE_QMSG=0x100\r\n"
               "OS_ENABLE_QSMSG=0\r\nOS_QUEUES_IDENTICAL=x\r\n"
               "[INTERRUPTS]\r\nOS_ENABLE_INT_QUEUE=256\r\n"
               "[SETUP]\r\nZURVERSIONTIP=7\r\n");
    {
        AppSettings settings(path_);
        const Configuration& loaded = settings.defaultConfiguration;
        EXPECT_EQ(loaded.OS_ENABLE_ALL, 1);
        EXPECT_EQ(loaded.OS_ENABLE_CSEM, 1);
        EXPECT_EQ(loaded.OS_ENABLE_QMSG, 1);
        EXPECT_EQ(loaded.OS_ENABLE_QSMSG, 0);
        EXPECT_EQ(loaded.OS_QUEUES_IDENTICAL, 0);
        EXPECT_EQ(loaded.OS_ENABLE_INT_QUEUE, 1);
        EXPECT_EQ(settings.ZURVERSIONTIP, 1);
        settings.SaveSettings();
    }
    const std::string saved = ReadBytes(path_);
    EXPECT_NE(saved.find("\r\nOS_ENABLE_ALL=1\r\nOS_ENABLE_CSEM=1\r\nOS_ENABLE_QMSG=1\r\n"),
              std::string::npos);
    EXPECT_NE(saved.find("\r\nOS_ENABLE_INT_QUEUE=1\r\n"), std::string::npos);
    EXPECT_NE(saved.find("\r\nZURVERSIONTIP=1\r\n"), std::string::npos);
}

TEST_F(AppSettingsTest, IndexesOutsideTheListsAreKept) {
    WriteBytes(path_, "[BANKS]\r\nOS_BANK_OS=9\r\n[TYPES]\r\nOS_TIMER_SIZE=-3\r\n");
    AppSettings settings(path_);
    EXPECT_EQ(settings.defaultConfiguration.OS_BANK_OS, 9);
    EXPECT_EQ(settings.defaultConfiguration.OS_TIMER_SIZE, -3);
}

TEST_F(AppSettingsTest, PathListEndsAtTheFirstGapAndHigherKeysStay) {
    WriteBytes(path_, "[PATHS]\r\npath0=/a\r\npath1=/b\r\npath3=/d\r\n");
    {
        AppSettings settings(path_);
        EXPECT_EQ(settings.recentPaths[0], "/a");
        EXPECT_EQ(settings.recentPaths[1], "/b");
        EXPECT_EQ(settings.recentPaths[2], "");
        EXPECT_EQ(settings.recentPaths[3], "");
        settings.recentPaths[0] = "/new";
        settings.recentPaths[1] = "/a";
        settings.recentPaths[2] = "/b";
        settings.SaveSettings();
    }
    const std::string saved = ReadBytes(path_);
    EXPECT_NE(saved.find("[PATHS]\r\npath0=/new\r\npath1=/a\r\npath3=/d\r\npath2=/b\r\n[SERVICES]"),
              std::string::npos);
    // The key numbered 3 now follows a full list and counts again.
    AppSettings reloaded(path_);
    EXPECT_EQ(reloaded.recentPaths[3], "/d");
}

TEST_F(AppSettingsTest, AShorterListIsFollowedByThePathsTheFileHolds) {
    WriteBytes(path_, "[PATHS]\r\npath0=/a\r\npath1=/b\r\npath2=/c\r\n");
    {
        AppSettings settings(path_);
        settings.recentPaths = {};
        settings.recentPaths[0] = "/only";
        settings.recentPaths[1] = "/b";
        EXPECT_TRUE(settings.SaveSettings());
    }
    const std::string kept =
        "[PATHS]\r\npath0=/only\r\npath1=/b\r\npath2=/a\r\npath3=/c\r\n[SERVICES]\r\n";
    EXPECT_EQ(ReadBytes(path_).substr(0, kept.size()), kept);
}

TEST_F(AppSettingsTest, WindowsClosingOneAfterAnotherOrAtOnceKeepEachOthersRecentPaths) {
    WriteBytes(path_, "[PATHS]\r\npath0=/shared\r\n");
    AppSettings first(path_);
    AppSettings second(path_);
    first.recentPaths[0] = "/first";
    first.recentPaths[1] = "/shared";
    second.recentPaths[0] = "/second";
    second.recentPaths[1] = "/shared";
    EXPECT_TRUE(first.SaveSettings());
    EXPECT_TRUE(second.SaveSettings());
    const RecentPaths expected{"/second", "/shared", "/first"};
    EXPECT_EQ(AppSettings(path_).recentPaths, expected);

    // Each window's own path on top of what it read, all saving at the same time.
    std::vector<std::unique_ptr<AppSettings>> windows;
    for (int window = 0; window < 8; ++window) {
        windows.push_back(std::make_unique<AppSettings>(path_));
        windows.back()->recentPaths = {"/window" + std::to_string(window)};
    }
    std::vector<std::thread> closing;
    std::atomic<int> saved{0};
    for (const auto& window : windows) {
        closing.emplace_back([&window, &saved] { saved += window->SaveSettings() ? 1 : 0; });
    }
    for (std::thread& thread : closing) {
        thread.join();
    }
    EXPECT_EQ(saved, 8);
    const RecentPaths stored = AppSettings(path_).recentPaths;
    for (int window = 0; window < 8; ++window) {
        EXPECT_NE(std::find(stored.begin(), stored.end(), "/window" + std::to_string(window)),
                  stored.end())
            << window;
    }
    EXPECT_EQ(std::count(stored.begin(), stored.end(), "/shared"), 1);
    EXPECT_EQ(stored[11], "");
}

TEST_F(AppSettingsTest, ALoadWhileAnotherWindowSavesReadsOneVersionWhole) {
    // Versions of different lengths, so that a mix shows.
    const std::string longType(3000, 'b');
    AppSettings otherWindow(path_);
    otherWindow.defaultConfiguration.OST_MSG = "a";
    ASSERT_TRUE(otherWindow.SaveSettings());
    std::atomic<bool> saving{true};
    std::thread closing([&] {
        for (int save = 0; save < 200; ++save) {
            otherWindow.defaultConfiguration.OS_TASKS = save % 2 == 0 ? 2 : 1;
            otherWindow.defaultConfiguration.OST_MSG = save % 2 == 0 ? longType : "a";
            otherWindow.SaveSettings();
        }
        saving = false;
    });
    int loads = 0;
    while (saving || loads == 0) {
        const AppSettings settings(path_);
        const Configuration& read = settings.defaultConfiguration;
        const bool whole = (read.OS_TASKS == 1 && read.OST_MSG == "a") ||
                           (read.OS_TASKS == 2 && read.OST_MSG == longType);
        if (!whole) {
            ADD_FAILURE() << "load " << loads << " mixed two versions: " << read.OS_TASKS << ", "
                          << read.OST_MSG.size() << " bytes of type";
            break;
        }
        ++loads;
    }
    closing.join();
}

TEST_F(AppSettingsTest, EmptyPathKeyEndsTheList) {
    WriteBytes(path_, "[PATHS]\r\npath0=/a\r\npath1=\r\npath2=/c\r\n");
    AppSettings settings(path_);
    EXPECT_EQ(settings.recentPaths[0], "/a");
    EXPECT_EQ(settings.recentPaths[1], "");
    EXPECT_EQ(settings.recentPaths[2], "");
}

TEST_F(AppSettingsTest, FullListOfAHundredPaths) {
    {
        AppSettings settings(path_);
        for (std::size_t i = 0; i < kRecentPathCount; ++i) {
            settings.recentPaths[i] = "/p" + std::to_string(i);
        }
        settings.SaveSettings();
    }
    EXPECT_NE(ReadBytes(path_).find("path99=/p99\r\n[SETUP]"), std::string::npos);
    AppSettings reloaded(path_);
    EXPECT_EQ(reloaded.recentPaths[99], "/p99");
}

TEST_F(AppSettingsTest, LongTextsAreCutOnLoading) {
    const std::string longText(5000, 'a');
    WriteBytes(path_, "[TYPES]\r\nOST_MSG=" + longText + "\r\nOST_SMSG=" + longText +
                          "\r\n[PATHS]\r\npath0=" + longText + "\r\n");
    AppSettings settings(path_);
    EXPECT_EQ(settings.defaultConfiguration.OST_MSG, longText.substr(0, 4095));
    EXPECT_EQ(settings.defaultConfiguration.OST_SMSG, longText.substr(0, 4095));
    EXPECT_EQ(settings.recentPaths[0], longText.substr(0, 4095));
}

TEST_F(AppSettingsTest, SavedDefaultSurvivesARestartButNotItsProjectName) {
    {
        AppSettings settings(path_);
        settings.defaultConfiguration.OS_TASKS = 3;
        settings.defaultConfiguration.PROJECT_NAME = "motor";
        settings.SaveSettings();
        settings.LoadSettings();
        EXPECT_EQ(settings.defaultConfiguration.OS_TASKS, 3);
        EXPECT_EQ(settings.defaultConfiguration.PROJECT_NAME, "");
    }
    EXPECT_EQ(ReadBytes(path_).find("motor"), std::string::npos);
    EXPECT_EQ(ReadBytes(path_).find("PROJECT_NAME"), std::string::npos);
}

TEST_F(AppSettingsTest, LoadSettingsResetsWhatTheFileDoesNotHold) {
    WriteBytes(path_, "[SETUP]\r\nZURVERSION=90115\r\n");
    AppSettings settings(path_);
    settings.defaultConfiguration = DistinctConfiguration();
    settings.recentPaths[0] = "/gone";
    settings.ZURVERSION = 90200;
    settings.ZURVERSIONTIP = 0;
    WriteBytes(path_, "[SETUP]\r\nZURVERSION=90115\r\n");
    settings.LoadSettings();
    EXPECT_EQ(settings.defaultConfiguration.OS_TASKS, 1);
    EXPECT_EQ(settings.defaultConfiguration.PLATFORM, -1);
    EXPECT_EQ(settings.defaultConfiguration.OST_MSG, "");
    EXPECT_EQ(settings.recentPaths[0], "");
    EXPECT_EQ(settings.ZURVERSION, 90115);
    EXPECT_EQ(settings.ZURVERSIONTIP, 1);
}

// As the Windows functions and a hand edit leave the file: CR LF, blanks around "=", quoted
// values, comments, a foreign section and names in mixed letter case.
const std::string kWindowsFile =
    "; ZURcfg_Tool settings\r\n"
    "\r\n"
    "[Services]\r\n"
    "os_tasks = 4\r\n"
    "Os_Enable_All= 1 \r\n"
    "; kept comment\r\n"
    "\r\n"
    "[Window Placement]\r\n"
    "Left=10\r\n"
    "Top = 20\r\n"
    "\r\n"
    "[types]\r\n"
    "OST_MSG = \"unsigned  char\"\r\n"
    "OST_SMSG='int'\r\n"
    "[Paths]\r\n"
    "PATH0 = \"C:\\My Projects\\motor\\\"\r\n"
    "path1=D:\\old\r\n"
    "[setup]\r\n"
    "ZurVersion=90115\r\n"
    "; trailing comment\r\n";

TEST_F(AppSettingsTest, WindowsWrittenFileReadsRightAndKeepsItsForeignBytes) {
    WriteBytes(path_, kWindowsFile);
    {
        AppSettings settings(path_);
        EXPECT_EQ(settings.defaultConfiguration.OS_TASKS, 4);
        EXPECT_EQ(settings.defaultConfiguration.OS_ENABLE_ALL, 1);
        EXPECT_EQ(settings.defaultConfiguration.OST_MSG, "unsigned  char");
        EXPECT_EQ(settings.defaultConfiguration.OST_SMSG, "int");
        EXPECT_EQ(settings.recentPaths[0], "C:\\My Projects\\motor\\");
        EXPECT_EQ(settings.recentPaths[1], "D:\\old");
        EXPECT_EQ(settings.ZURVERSION, 90115);
        EXPECT_EQ(settings.ZURVERSIONTIP, 1);
        settings.SaveSettings();
    }
    EXPECT_EQ(ReadBytes(path_),
              "; ZURcfg_Tool settings\r\n"
              "\r\n"
              "[Services]\r\n"
              "os_tasks=4\r\n"
              "Os_Enable_All=1\r\n"
              "OS_BSEMS=0\r\n"
              "OS_STIMERS=0\r\n"
              "OS_ENABLE_CSEM=0\r\n"
              "OS_ENABLE_QMSG=0\r\n"
              "OS_ENABLE_QSMSG=0\r\n"
              "OS_QUEUES_IDENTICAL=0\r\n"
              "OS_ENABLE_TTIMERS=0\r\n"
              "OS_ENABLE_DTIMERS=0\r\n"
              "OS_DISABLE_PRIORITY=0\r\n"
              "OS_ENABLE_CRITICAL_SECTION=0\r\n"
              "OS_USE_INLINE_TIMER=0\r\n"
              "; kept comment\r\n"
              "\r\n"
              "[Window Placement]\r\n"
              "Left=10\r\n"
              "Top = 20\r\n"
              "\r\n"
              "[types]\r\n"
              "OST_MSG=unsigned  char\r\n"
              "OST_SMSG=int\r\n"
              "OS_CSEM_SIZE=0\r\n"
              "OS_TIMER_SIZE=0\r\n"
              "OS_STIMER_SIZE=0\r\n"
              "OS_DTIMER_SIZE=0\r\n"
              "OS_TTIMER_SIZE=0\r\n"
              "[Paths]\r\n"
              "PATH0=C:\\My Projects\\motor\\\r\n"
              "path1=D:\\old\r\n"
              "[setup]\r\n"
              "ZurVersion=90115\r\n"
              "ZURVERSIONTIP=1\r\n"
              "; trailing comment\r\n" +
                  kFirstStartInterruptsAndBanks +
                  "[ADDITIONAL]\r\n"
                  "PLATFORM=-1\r\n");
}

TEST_F(AppSettingsTest, FolderInTheWayReadsAsMissingAndIsLeftAlone) {
    fs::create_directories(fs::path(path_) / "inside");
    {
        AppSettings settings(path_);
        EXPECT_EQ(settings.defaultConfiguration.OS_TASKS, 1);
        settings.defaultConfiguration.OS_TASKS = 5;
        EXPECT_FALSE(settings.SaveSettings());
    }
    EXPECT_TRUE(fs::is_directory(fs::path(path_) / "inside"));
}

#ifndef _WIN32
// A file that may not be written in place is not replaced behind its back through the folder,
// and one that cannot be read is not replaced by defaults; a file open to both is saved.
TEST_F(AppSettingsTest, FileThatCannotBeReadOrWrittenIsLeftAsItWas) {
    using fs::perms;
    // The folder lets anyone replace the file, so only the file's own bits may stop the save.
    fs::permissions(dir_.Path(), perms::all);
    const perms readable = perms::owner_read | perms::group_read | perms::others_read;
    const perms writable = perms::owner_write | perms::group_write | perms::others_write;
    for (const perms mode : {readable, perms::none, writable, readable | writable}) {
        SCOPED_TRACE(static_cast<int>(mode));
        WriteBytes(path_, kDistinctFile);
        fs::permissions(path_, mode);
        const bool saved = RunUnprivileged([this] {
            AppSettings settings(path_);
            settings.defaultConfiguration.OS_TASKS = 9;
            return settings.SaveSettings();
        });
        fs::permissions(path_, perms::owner_read | perms::owner_write);
        const bool mayBeSaved = mode == (readable | writable);
        EXPECT_EQ(saved, mayBeSaved);
        EXPECT_EQ(ReadBytes(path_).find("OS_TASKS=9") != std::string::npos, mayBeSaved);
        if (!mayBeSaved) {
            EXPECT_EQ(ReadBytes(path_), kDistinctFile);
        }
        EXPECT_FALSE(fs::exists(path_ + ".tmp"));
    }
}
#endif

TEST_F(AppSettingsTest, MissingFoldersAreCreatedOnWriting) {
    const std::string nested = (dir_.Path() / "config" / "ZURcfg_Tool" / "file.ini").string();
    EXPECT_TRUE(AppSettings(nested).SaveSettings());
    EXPECT_EQ(ReadBytes(nested), kFirstStartFile);
}

}  // namespace
}  // namespace zurcfg
