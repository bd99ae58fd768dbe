#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#ifndef _WIN32
#include <sys/stat.h>
#endif

#include "config/file_fingerprint.h"
#include "support/temp_dir.h"

namespace zurcfg {
namespace {

using testing::TempDir;
using testing::WriteBytes;
namespace fs = std::filesystem;

TEST(FileFingerprintTest, AnythingButARegularFileCountsAsMissing) {
    const TempDir folder;
    const FileFingerprint missing = TakeFingerprint(folder.File("ZURcfg.h"));
    EXPECT_FALSE(missing.exists);
    EXPECT_EQ(missing, FileFingerprint());
    fs::create_directory(folder.File("ZURcfg.h"));
    EXPECT_EQ(TakeFingerprint(folder.File("ZURcfg.h")), missing);
#ifndef _WIN32
    // A pipe would block a reader that opened it.
    ASSERT_EQ(mkfifo(folder.File("pipe.h").c_str(), 0600), 0);
    EXPECT_EQ(TakeFingerprint(folder.File("pipe.h")), missing);
#endif
}

TEST(FileFingerprintTest, HashesTheBytesWithFnv1a) {
    const TempDir folder;
    const std::string path = folder.File("ZURcfg.h");
    WriteBytes(path, "");
    EXPECT_EQ(TakeFingerprint(path).hash, 0xcbf29ce484222325u);  // the empty input
    WriteBytes(path, "a");
    const FileFingerprint fingerprint = TakeFingerprint(path);
    EXPECT_TRUE(fingerprint.exists);
    EXPECT_EQ(fingerprint.size, 1u);
    EXPECT_EQ(fingerprint.hash, 0xaf63dc4c8601ec8cu);
    EXPECT_EQ(fingerprint.modified, fs::last_write_time(path));
}

TEST(FileFingerprintTest, SeesEveryKindOfChange) {
    const TempDir folder;
    const std::string path = folder.File("ZURcfg.h");
    // Larger than one piece read, so that the hash runs on across pieces.
    const std::string bytes(200 * 1024, 'x');
    WriteBytes(path, bytes);
    const FileFingerprint original = TakeFingerprint(path);
    EXPECT_EQ(TakeFingerprint(path), original);
    EXPECT_EQ(original.size, bytes.size());

    const auto time = fs::last_write_time(path);
    WriteBytes(path, bytes.substr(1) + "y");  // same size, time put back: only the hash sees it
    fs::last_write_time(path, time);
    const FileFingerprint lastByte = TakeFingerprint(path);
    EXPECT_NE(lastByte, original);
    EXPECT_EQ(lastByte.size, original.size);

    WriteBytes(path, bytes);
    fs::last_write_time(path, time + std::chrono::seconds(5));  // same bytes, touched
    EXPECT_NE(TakeFingerprint(path), original);
    fs::last_write_time(path, time);
    EXPECT_EQ(TakeFingerprint(path), original);

    WriteBytes(path, bytes + "z");
    fs::last_write_time(path, time);
    EXPECT_NE(TakeFingerprint(path), original);

    fs::remove(path);
    EXPECT_FALSE(TakeFingerprint(path).exists);
}

}  // namespace
}  // namespace zurcfg
