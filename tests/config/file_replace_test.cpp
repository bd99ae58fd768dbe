// ReplaceFile on real files: what it leaves whatever goes wrong, and what it keeps of the file it
// replaces.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <string>
#include <vector>

#ifndef _WIN32
#include <fcntl.h>
#include <pwd.h>
#include <sys/mount.h>
#include <sys/stat.h>
#include <sys/xattr.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#endif

#include "config/file_replace.h"
#include "support/temp_dir.h"
#include "support/unprivileged.h"

namespace zurcfg {
namespace {

namespace fs = std::filesystem;
using testing::NamesIn;
using testing::ReadBytes;
using testing::TempDir;
using testing::WriteBytes;
using Backup = FileReplaceResult::Backup;
using Outcome = FileReplaceResult::Outcome;

ReplaceOptions KeepingBackup(const std::string& backupPath) {
    ReplaceOptions options;
    options.backupPath = backupPath;
    return options;
}

TEST(FileReplaceTest, TheBackupHoldsThePreviousFileAndNothingElseRemains) {
    TempDir dir;
    const std::string file = dir.File("ZURcfg.h");
    const std::string backup = dir.File("ZURcfg.bak");
    const FileReplaceResult first = ReplaceFile(file, "one", KeepingBackup(backup));
    EXPECT_TRUE(first.Replaced());
    EXPECT_EQ(first.backup, Backup::NoPreviousFile);
    EXPECT_EQ(first.target, file);

    // What a stopped save may have left is cleared away.
    WriteBytes(file + ".tmp", "left by a stopped save");
    WriteBytes(backup + ".tmp", "left by a stopped save");
    EXPECT_EQ(ReplaceFile(file, "two", KeepingBackup(backup)).backup, Backup::Made);
    EXPECT_EQ(ReplaceFile(file, "three", KeepingBackup(backup)).backup, Backup::Made);
    EXPECT_EQ(ReadBytes(file), "three");
    EXPECT_EQ(ReadBytes(backup), "two");
    EXPECT_EQ(NamesIn(dir.Path()), (std::vector<std::string>{"ZURcfg.bak", "ZURcfg.h"}));

    const FileReplaceResult withoutBackup = ReplaceFile(file, "four");
    EXPECT_TRUE(withoutBackup.Replaced());
    EXPECT_EQ(withoutBackup.backup, Backup::NotAsked);
    EXPECT_EQ(ReadBytes(backup), "two");
}

TEST(FileReplaceTest, NothingButARegularFileIsReplaced) {
    TempDir dir;
    fs::create_directory(dir.Path() / "folder");
    std::vector<std::string> paths{dir.File("folder")};
#ifndef _WIN32
    ASSERT_EQ(mkfifo(dir.File("pipe").c_str(), 0600), 0);
    fs::create_symlink("pipe", dir.File("link_to_pipe"));
    fs::create_symlink("/dev/null", dir.File("link_to_device"));
    paths.insert(paths.end(),
                 {dir.File("pipe"), dir.File("link_to_pipe"), dir.File("link_to_device")});
#endif
    const std::vector<std::string> before = NamesIn(dir.Path());
    for (const std::string& path : paths) {
        const FileReplaceResult result = ReplaceFile(path, "text", KeepingBackup(path + ".bak"));
        EXPECT_EQ(result.outcome, Outcome::NotRegularFile) << path;
        EXPECT_FALSE(result.failure);
    }
    EXPECT_EQ(NamesIn(dir.Path()), before);
    EXPECT_TRUE(fs::is_directory(dir.File("folder")));
#ifndef _WIN32
    EXPECT_TRUE(fs::is_fifo(dir.File("pipe")));
    EXPECT_TRUE(fs::is_symlink(dir.File("link_to_device")));

    // A chain of links that loops is not followed for ever.
    fs::create_symlink("loop_b", dir.File("loop_a"));
    fs::create_symlink("loop_a", dir.File("loop_b"));
    const FileReplaceResult loop = ReplaceFile(dir.File("loop_a"), "text");
    EXPECT_EQ(loop.outcome, Outcome::NotOpened);
    ASSERT_TRUE(loop.failure);
    EXPECT_EQ(loop.failure->step, FileStep::FollowLinks);
    EXPECT_EQ(loop.failure->error, std::errc::too_many_symbolic_link_levels);
#endif
}

#ifndef _WIN32

struct stat StatusOf(const std::string& path) {
    struct stat status {};
    EXPECT_EQ(stat(path.c_str(), &status), 0) << path;
    return status;
}

TEST(FileReplaceTest, ModeLinksOwnerAndAttributesAreKept) {
    TempDir dir;
    const std::string file = dir.File("ZURcfg.h");
    const std::string backup = dir.File("ZURcfg.bak");
    // A rename keeps all of these files are: they are replaced, with their mode.
    for (const mode_t mode : {0600, 0640, 0444}) {
        WriteBytes(file, "old");
        ASSERT_EQ(chmod(file.c_str(), mode), 0);
        const FileReplaceResult result = ReplaceFile(file, "new", KeepingBackup(backup));
        EXPECT_TRUE(result.Replaced());
        EXPECT_FALSE(result.inPlace);
        EXPECT_EQ(StatusOf(file).st_mode & 07777, mode);
        EXPECT_EQ(ReadBytes(backup), "old");
        ASSERT_EQ(chmod(file.c_str(), 0600), 0);
    }

    // The backup as a second name, as a save stopped before its last rename leaves it, is no
    // name to keep: the next save renames as usual.
    WriteBytes(file, "old");
    fs::remove(backup);
    ASSERT_EQ(link(file.c_str(), backup.c_str()), 0);
    EXPECT_FALSE(ReplaceFile(file, "new", KeepingBackup(backup)).inPlace);
    EXPECT_EQ(ReadBytes(backup), "old");

    // A second name: the file is rewritten in place, so that both names see the new bytes, and
    // the backup is a copy of its own.
    WriteBytes(file, "old");
    ASSERT_EQ(link(file.c_str(), dir.File("second name").c_str()), 0);
    const ino_t inode = StatusOf(file).st_ino;
    FileReplaceResult linked = ReplaceFile(file, "new and longer", KeepingBackup(backup));
    EXPECT_TRUE(linked.Replaced());
    EXPECT_TRUE(linked.inPlace);
    EXPECT_EQ(StatusOf(file).st_ino, inode);
    EXPECT_EQ(ReadBytes(dir.File("second name")), "new and longer");
    EXPECT_EQ(ReadBytes(backup), "old");
    EXPECT_EQ(StatusOf(backup).st_nlink, 1u);
    linked = ReplaceFile(file, "short", KeepingBackup(backup));
    EXPECT_EQ(ReadBytes(dir.File("second name")), "short");
    fs::remove(dir.File("second name"));

    // Extended attributes, where the file system keeps a user's own.
    WriteBytes(file, "old");
    if (setxattr(file.c_str(), "user.zurcfg", "kept", 4, 0) == 0) {
        EXPECT_TRUE(ReplaceFile(file, "new", KeepingBackup(backup)).inPlace);
        char value[8] = {};
        EXPECT_EQ(getxattr(file.c_str(), "user.zurcfg", value, sizeof value), 4);
        EXPECT_STREQ(value, "kept");
        removexattr(file.c_str(), "user.zurcfg");
    }
    if (geteuid() != 0) {
        return;
    }

    // Root gives a new file the owner of the one it replaces.
    const passwd* nobody = getpwnam("nobody");
    ASSERT_NE(nobody, nullptr);
    ASSERT_EQ(chown(file.c_str(), nobody->pw_uid, nobody->pw_gid), 0);
    EXPECT_FALSE(ReplaceFile(file, "by root", KeepingBackup(backup)).inPlace);
    EXPECT_EQ(StatusOf(file).st_uid, nobody->pw_uid);
    EXPECT_EQ(StatusOf(file).st_gid, nobody->pw_gid);

    // Another user, whom the folder and the file let write, keeps root's file root's.
    ASSERT_EQ(chown(file.c_str(), 0, 0), 0);
    ASSERT_EQ(chmod(file.c_str(), 0666), 0);
    ASSERT_EQ(chmod(dir.Path().c_str(), 0777), 0);
    EXPECT_TRUE(testing::RunUnprivileged([&file, &backup] {
        const FileReplaceResult result = ReplaceFile(file, "by nobody", KeepingBackup(backup));
        return result.Replaced() && result.inPlace && result.backup == Backup::Made;
    }));
    EXPECT_EQ(StatusOf(file).st_uid, 0u);
    EXPECT_EQ(ReadBytes(file), "by nobody");
    EXPECT_EQ(ReadBytes(backup), "by root");
}

// A small file system of its own, mounted for as long as the object lives.
class SmallDisk {
public:
    explicit SmallDisk(const fs::path& where) : where_(where) {
        fs::create_directory(where);
        mounted_ = mount("tmpfs", where.c_str(), "tmpfs", 0, "size=256k,mode=0755") == 0;
        error_ = errno;
    }
    ~SmallDisk() {
        if (mounted_) {
            umount2(where_.c_str(), MNT_DETACH);
        }
    }
    SmallDisk(const SmallDisk&) = delete;
    SmallDisk& operator=(const SmallDisk&) = delete;

    bool Mounted() const { return mounted_; }
    std::string Refusal() const { return std::strerror(error_); }
    std::string File(const std::string& name) const { return (where_ / name).string(); }

    // Fills the disk up with a file of its own, but for `room` bytes.
    void FillAllBut(off_t room) const {
        const int filler = open(File("filler").c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
        ASSERT_GE(filler, 0);
        const std::string piece(4096, 'f');
        off_t size = 0;
        while (write(filler, piece.data(), piece.size()) == static_cast<ssize_t>(piece.size())) {
            size += static_cast<off_t>(piece.size());
        }
        ASSERT_EQ(ftruncate(filler, std::max<off_t>(size - room, 0)), 0);
        close(filler);
    }

private:
    fs::path where_;
    bool mounted_ = false;
    int error_ = 0;
};

TEST(FileReplaceTest, AFullDiskFailsBeforeTheFileOrItsBackupChange) {
    if (geteuid() != 0) {
        GTEST_SKIP() << "mounting a small file system to fill needs root";
    }
    TempDir dir;
    const SmallDisk disk(dir.Path() / "disk");
    if (!disk.Mounted()) {
        GTEST_SKIP() << "this machine does not let the tests mount a tmpfs: " << disk.Refusal();
    }
    const std::string file = disk.File("ZURcfg.h");
    const std::string backup = disk.File("ZURcfg.bak");
    const std::string larger(64 * 1024, 'n');
    WriteBytes(file, "old header");
    WriteBytes(backup, "older backup");
    disk.FillAllBut(8192);

    // Replaced by a rename: the new file does not fit, and nothing else changes.
    FileReplaceResult result = ReplaceFile(file, larger, KeepingBackup(backup));
    EXPECT_EQ(result.outcome, Outcome::NotWritten);
    ASSERT_TRUE(result.failure);
    EXPECT_EQ(result.failure->step, FileStep::WriteTemporary);
    EXPECT_EQ(result.failure->error, std::errc::no_space_on_device);
    EXPECT_EQ(ReadBytes(file), "old header");
    EXPECT_EQ(ReadBytes(backup), "older backup");
    EXPECT_EQ(NamesIn(disk.File("")),
              (std::vector<std::string>{"ZURcfg.bak", "ZURcfg.h", "filler"}));

    // Rewritten in place: its space is reserved before a byte of it changes.
    ASSERT_EQ(link(file.c_str(), disk.File("second name").c_str()), 0);
    result = ReplaceFile(file, larger, KeepingBackup(backup));
    EXPECT_EQ(result.outcome, Outcome::NotWritten);
    ASSERT_TRUE(result.failure);
    EXPECT_EQ(result.failure->step, FileStep::ReserveSpace);
    EXPECT_EQ(ReadBytes(file), "old header");
    EXPECT_EQ(fs::file_size(file), 10u);
    EXPECT_EQ(ReadBytes(backup), "old header");
    fs::remove(disk.File("second name"));

    // The same in a folder that takes no new file from the user saving.
    ASSERT_EQ(chmod(file.c_str(), 0666), 0);
    EXPECT_TRUE(testing::RunUnprivileged([&file, &backup, &larger] {
        const FileReplaceResult inPlace = ReplaceFile(file, larger, KeepingBackup(backup));
        return inPlace.outcome == Outcome::NotWritten && inPlace.inPlace &&
               inPlace.failure->step == FileStep::ReserveSpace && inPlace.backup == Backup::NotMade;
    }));
    EXPECT_EQ(ReadBytes(file), "old header");
}

#endif

}  // namespace
}  // namespace zurcfg
