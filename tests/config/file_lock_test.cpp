#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <memory>
#include <thread>

#include "config/file_lock.h"
#include "support/temp_dir.h"
#include "support/unprivileged.h"

namespace zurcfg {
namespace {

namespace fs = std::filesystem;
using namespace std::chrono_literals;
using testing::TempDir;
using testing::WriteBytes;

TEST(FileLockTest, OneHolderAtATimeAndTheLockFileGoesWithTheLast) {
    TempDir dir;
    const std::string file = dir.File("ZURcfg.h");
    {
        const FileLock first(file);
        ASSERT_TRUE(first.Held());
        EXPECT_TRUE(fs::exists(file + ".lock"));
        const auto started = std::chrono::steady_clock::now();
        const FileLock second(file, 200ms);
        EXPECT_FALSE(second.Held());
        EXPECT_GE(std::chrono::steady_clock::now() - started, 200ms);
    }
    EXPECT_FALSE(fs::exists(file + ".lock"));
    EXPECT_TRUE(FileLock(file, 0ms).Held());

    // A waiting save has the lock as soon as its holder lets go.
    auto holder = std::make_unique<FileLock>(file);
    std::thread release([&holder] {
        std::this_thread::sleep_for(100ms);
        holder.reset();
    });
    const FileLock waiter(file);
    release.join();
    EXPECT_TRUE(waiter.Held());
}

#ifndef _WIN32
TEST(FileLockTest, ALinkSharesItsTargetsLockAndAFolderWithoutRoomLocksTheFileItself) {
    TempDir dir;
    const std::string file = dir.File("ZURcfg.h");
    WriteBytes(file, "header");
    fs::create_directory(dir.Path() / "elsewhere");
    fs::create_symlink(file, dir.File("elsewhere/ZURcfg.h"));
    {
        const FileLock throughTheLink(dir.File("elsewhere/ZURcfg.h"));
        ASSERT_TRUE(throughTheLink.Held());
        EXPECT_FALSE(FileLock(file, 50ms).Held());
        EXPECT_FALSE(fs::exists(dir.File("elsewhere/ZURcfg.h.lock")));
    }

    // Where no lock file can be made, the header itself is locked.
    fs::permissions(file, fs::perms::all);
    fs::permissions(dir.Path(), fs::perms::owner_all | fs::perms::group_read |
                                    fs::perms::group_exec | fs::perms::others_read |
                                    fs::perms::others_exec);
    EXPECT_TRUE(testing::RunUnprivileged([&file] {
        const FileLock first(file);
        return first.Held() && !FileLock(file, 50ms).Held() && !fs::exists(file + ".lock");
    }));
}
#endif

}  // namespace
}  // namespace zurcfg
