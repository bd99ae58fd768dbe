#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "settings/atomic_file.h"
#include "support/temp_dir.h"

#ifndef _WIN32
#include <fcntl.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

#include <csignal>
#endif

namespace zurcfg {
namespace {

namespace fs = std::filesystem;
using testing::NamesIn;
using testing::ReadBytes;
using testing::TempDir;
using testing::WriteBytes;

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

// Makes a symbolic link at link that names target; false where the system allows none.
bool MakeLink(const fs::path& target, const fs::path& link) {
    std::error_code error;
    fs::create_symlink(target, link, error);
    return !error;
}

TEST(AtomicFileTest, LinksLeadToTheRealFileAndStay) {
    TempDir dir;
    fs::create_directories(dir.Path() / "real");
    WriteBytes(dir.File("real/settings.ini"), "old");
    if (!MakeLink(fs::path("real") / "settings.ini", dir.Path() / "middle.ini")) {
        GTEST_SKIP() << "symbolic links need Developer Mode or an administrator on Windows";
    }
    ASSERT_TRUE(MakeLink("middle.ini", dir.Path() / "first.ini"));
    ASSERT_TRUE(ReplaceFileAtomically(dir.File("first.ini"), "new"));
    EXPECT_TRUE(fs::is_symlink(dir.Path() / "first.ini"));
    EXPECT_TRUE(fs::is_symlink(dir.Path() / "middle.ini"));
    EXPECT_EQ(ReadBytes(dir.File("real/settings.ini")), "new");

    // A chain that ends in nothing yet creates the file at its end.
    ASSERT_TRUE(MakeLink(dir.Path() / "later" / "settings.ini", dir.Path() / "dangling.ini"));
    ASSERT_TRUE(ReplaceFileAtomically(dir.File("dangling.ini"), "created"));
    EXPECT_TRUE(fs::is_symlink(dir.Path() / "dangling.ini"));
    EXPECT_EQ(ReadBytes(dir.File("later/settings.ini")), "created");

    // A chain that loops has no end to write.
    ASSERT_TRUE(MakeLink("loop-b.ini", dir.Path() / "loop-a.ini"));
    ASSERT_TRUE(MakeLink("loop-a.ini", dir.Path() / "loop-b.ini"));
    EXPECT_FALSE(ReplaceFileAtomically(dir.File("loop-a.ini"), "x"));
    EXPECT_TRUE(fs::is_symlink(dir.Path() / "loop-a.ini"));
    EXPECT_TRUE(fs::is_symlink(dir.Path() / "loop-b.ini"));
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

// Something opened to read the FIFO at path without waiting, so that a write would neither wait
// nor go unseen.
class FifoReader {
public:
    explicit FifoReader(const fs::path& path) {
        EXPECT_EQ(mkfifo(path.c_str(), 0666), 0);
        fd_ = open(path.c_str(), O_RDONLY | O_NONBLOCK);
        EXPECT_GE(fd_, 0);
    }
    ~FifoReader() { close(fd_); }
    FifoReader(const FifoReader&) = delete;
    FifoReader& operator=(const FifoReader&) = delete;

    // What was written into the FIFO so far.
    std::string Written() const {
        char buffer[256];
        const ssize_t length = read(fd_, buffer, sizeof buffer);
        return length > 0 ? std::string(buffer, static_cast<std::size_t>(length)) : std::string();
    }

private:
    int fd_ = -1;
};

// A FIFO stands here for anything that is not a regular file; the tests make no device.
TEST(AtomicFileTest, OnlyARegularFileIsReplaced) {
    TempDir dir;
    const fs::path fifo = dir.Path() / "settings.ini";
    FifoReader reader(fifo);
    ASSERT_TRUE(MakeLink("settings.ini", dir.Path() / "link.ini"));
    ASSERT_TRUE(MakeLink("link.ini", dir.Path() / "chain.ini"));
    for (const char* name : {"settings.ini", "link.ini", "chain.ini"}) {
        SCOPED_TRACE(name);
        EXPECT_FALSE(ReplaceFileAtomically(dir.File(name), "x"));
        EXPECT_EQ(fs::symlink_status(fifo).type(), fs::file_type::fifo);
        EXPECT_EQ(reader.Written(), "");
    }
    EXPECT_TRUE(fs::is_symlink(dir.Path() / "link.ini"));
    EXPECT_TRUE(fs::is_symlink(dir.Path() / "chain.ini"));
    EXPECT_EQ(NamesIn(dir.Path()).size(), 3u);

    // A FIFO left under the temporary name neither takes the bytes nor the file's place.
    const std::string path = dir.File("real.ini");
    WriteBytes(path, "old");
    FifoReader temporary(dir.Path() / "real.ini.tmp");
    ASSERT_TRUE(ReplaceFileAtomically(path, "new"));
    EXPECT_TRUE(fs::is_regular_file(fs::symlink_status(path)));
    EXPECT_EQ(ReadBytes(path), "new");
    EXPECT_EQ(temporary.Written(), "");
    EXPECT_FALSE(fs::exists(fs::symlink_status(path + ".tmp")));
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
