#include <gtest/gtest.h>

#include "config/header_path.h"
#include "tests/support/temp_dir.h"

namespace zurcfg {
namespace {

const std::string kSep(1, kNativeSeparator);

TEST(HeaderPathTest, FolderGetsTheHeaderNameAppended) {
    EXPECT_EQ(HeaderPathFor("proj"), "proj" + kSep + "ZURcfg.h");
    // A separator ending the folder's path is not doubled.
    EXPECT_EQ(HeaderPathFor("proj" + kSep), "proj" + kSep + "ZURcfg.h");
    EXPECT_EQ(HeaderPathFor("proj/"), "proj/ZURcfg.h");
    EXPECT_EQ(HeaderPathFor(""), kSep + "ZURcfg.h");
}

TEST(HeaderPathTest, HeaderNameInAnyLetterCaseIsKept) {
    EXPECT_EQ(HeaderPathFor("Proj" + kSep + "ZURCFG.H"), "Proj" + kSep + "ZURCFG.H");
    EXPECT_EQ(HeaderPathFor("a" + kSep + "zurcfg.h"), "a" + kSep + "zurcfg.h");
    // Contained anywhere, not only at the end.
    EXPECT_EQ(HeaderPathFor("zurcfg.hold"), "zurcfg.hold");
}

TEST(HeaderPathTest, AnExistingFileIsTheHeaderWhateverItsNameAndAMissingOneAFolder) {
    EXPECT_EQ(HeaderPathFor("proj" + kSep + "other.h"),
              "proj" + kSep + "other.h" + kSep + "ZURcfg.h");
    testing::TempDir dir;
    const std::string board = dir.File("board.h");
    testing::WriteBytes(board, "");
    EXPECT_TRUE(IsExistingRegularFile(board));
    EXPECT_EQ(HeaderPathFor(board), board);
    EXPECT_FALSE(IsExistingRegularFile(dir.Path().string()));
    EXPECT_EQ(HeaderPathFor(dir.Path().string()), dir.File("ZURcfg.h"));
}

TEST(HeaderPathTest, BackupReplacesTheLastCharacter) {
    EXPECT_EQ(BackupPathFor("proj" + kSep + "ZURcfg.h"), "proj" + kSep + "ZURcfg.bak");
    EXPECT_EQ(BackupPathFor("Proj" + kSep + "ZURCFG.H"), "Proj" + kSep + "ZURCFG.bak");
}

}  // namespace
}  // namespace zurcfg
