#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "settings/atomic_file.h"
#include "support/temp_dir.h"

#ifndef _WIN32
#include <sys/resource.h>

#include <csignal>
#endif

namespace zurcfg {
namespace {

namespace fs = std::filesystem;
using testing::ReadBytes;
using testing::TempDir;
using testing::WriteBytes;

std::vector<std::string> NamesIn(const fs::path& folder) {
    std::vector<std::string> names;
    for (const auto& entry : fs::directory_iterator(folder)) {
        names.push_back(entry.path().filename().string());
    }
    return names;
}

TEST(AtomicFileTest, ReplacesTheFileAndLeavesNothingElse) {
    TempDir dir;
    const std::string path = dir.File("settings.ini");
    WriteBytes(path, "old content that is longer");
    ASSERT_TRUE(ReplaceFileAtomically(path, "new\r\n"));
    EXPECT_EQ(ReadBytes(path), "new\r\n");
    EXPECT_EQ(NamesIn(dir.Path()), std::vector<std::string>{"settings.ini"});
}

TEST(AtomicFileTest, CreatesMissingFolders) {
    TempDir dir;
    const std::string path = (dir.Path() / "config" / "ZURcfg_Tool" / "file.ini").string();
    ASSERT_TRUE(ReplaceFileAtomically(path, "x"));
    EXPECT_EQ(ReadBytes(path), "x");
}

TEST(AtomicFileTest, FolderInTheWayFailsAndStays) {
    TempDir dir;
    const fs::path inTheWay = dir.Path() / "settings.ini";
    fs::create_directories(inTheWay / "inside");
    EXPECT_FALSE(ReplaceFileAtomically(inTheWay.string(), "x"));
    EXPECT_TRUE(fs::is_directory(inTheWay / "inside"));
    EXPECT_EQ(NamesIn(dir.Path()), std::vector<std::string>{"settings.ini"});
}

TEST(AtomicFileTest, FileInPlaceOfTheFolderFails) {
    TempDir dir;
    WriteBytes(dir.File("folder"), "a file");
    EXPECT_FALSE(ReplaceFileAtomically((dir.Path() / "folder" / "settings.ini").string(), "x"));
    EXPECT_EQ(ReadBytes(dir.File("folder")), "a file");
}

TEST(AtomicFileTest, LinkKeepsPointingAtTheReplacedFile) {
    TempDir dir;
    fs::create_directories(dir.Path() / "real");
    WriteBytes(dir.File("real/settings.ini"), "old");
    std::error_code error;
    fs::create_symlink(fs::path("real") / "settings.ini", dir.Path() / "link.ini", error);
#ifdef _WIN32
    if (error) {
        GTEST_SKIP() << "symbolic links need Developer Mode or an administrator on Windows";
    }
#endif
    ASSERT_FALSE(error) << error.message();
    ASSERT_TRUE(ReplaceFileAtomically(dir.File("link.ini"), "new"));
    EXPECT_TRUE(fs::is_symlink(dir.Path() / "link.ini"));
    EXPECT_EQ(ReadBytes(dir.File("real/settings.ini")), "new");
}

#ifdef _WIN32
// Windows replaces no file that another program holds open. Nor does it remove a read-only file,
// and the temporary file takes on the attributes of the file it was to replace.
TEST(AtomicFileTest, FileHeldOpenStaysAsItWas) {
    TempDir dir;
    const std::string path = dir.File("settings.ini");
    WriteBytes(path, "old");
    for (const bool readOnly : {false, true}) {
        SCOPED_TRACE(readOnly ? "read-only" : "writable");
        if (readOnly) {
            fs::permissions(path, fs::perms::owner_read);
        }
        std::ifstream heldOpen(path, std::ios::binary);
        EXPECT_FALSE(ReplaceFileAtomically(path, "new"));
        EXPECT_EQ(ReadBytes(path), "old");
        EXPECT_EQ(NamesIn(dir.Path()), std::vector<std::string>{"settings.ini"});
    }
}
#else
// Windows files have no owner permissions, only a read-only attribute.
TEST(AtomicFileTest, ReplacementKeepsThePermissions) {
    TempDir dir;
    const std::string path = dir.File("settings.ini");
    WriteBytes(path, "old");
    const auto ownerOnly = fs::perms::owner_read | fs::perms::owner_write;
    fs::permissions(path, ownerOnly);
    ASSERT_TRUE(ReplaceFileAtomically(path, "new"));
    EXPECT_EQ(fs::status(path).permissions(), ownerOnly);
}

// Stands for a full disk: no file may grow beyond a few bytes while it lives.
class FileSizeLimit {
public:
    explicit FileSizeLimit(rlim_t bytes) {
        previousHandler_ = std::signal(SIGXFSZ, SIG_IGN);
        getrlimit(RLIMIT_FSIZE, &previous_);
        rlimit limit = previous_;
        limit.rlim_cur = bytes;
        setrlimit(RLIMIT_FSIZE, &limit);
    }
    ~FileSizeLimit() {
        setrlimit(RLIMIT_FSIZE, &previous_);
        std::signal(SIGXFSZ, previousHandler_);
    }
    FileSizeLimit(const FileSizeLimit&) = delete;
    FileSizeLimit& operator=(const FileSizeLimit&) = delete;

private:
    rlimit previous_{};
    void (*previousHandler_)(int) = nullptr;
};

TEST(AtomicFileTest, FullDiskLeavesTheOldFileAsItWas) {
    TempDir dir;
    const std::string path = dir.File("settings.ini");
    WriteBytes(path, "[OLD]\r\nkey=1\r\n");
    bool replaced = true;
    {
        FileSizeLimit limit(16);
        replaced = ReplaceFileAtomically(path, std::string(100000, 'x'));
    }
    EXPECT_FALSE(replaced);
    EXPECT_EQ(ReadBytes(path), "[OLD]\r\nkey=1\r\n");
    EXPECT_EQ(NamesIn(dir.Path()), std::vector<std::string>{"settings.ini"});
}
#endif

}  // namespace
}  // namespace zurcfg
