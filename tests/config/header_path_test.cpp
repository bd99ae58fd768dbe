#include <gtest/gtest.h>

#include "config/header_path.h"

namespace zurcfg {
namespace {

const std::string kSep(1, kNativeSeparator);

TEST(HeaderPathTest, FolderGetsTheHeaderNameAppended) {
    EXPECT_EQ(HeaderPathFor("proj"), "proj" + kSep + "ZURcfg.h");
    EXPECT_EQ(HeaderPathFor("proj" + kSep), "proj" + kSep + kSep + "ZURcfg.h");
    EXPECT_EQ(HeaderPathFor(""), kSep + "ZURcfg.h");
}

TEST(HeaderPathTest, HeaderNameInAnyLetterCaseIsKept) {
    EXPECT_EQ(HeaderPathFor("Proj" + kSep + "ZURCFG.H"), "Proj" + kSep + "ZURCFG.H");
    EXPECT_EQ(HeaderPathFor("a" + kSep + "zurcfg.h"), "a" + kSep + "zurcfg.h");
    // Contained anywhere, not only at the end.
    EXPECT_EQ(HeaderPathFor("zurcfg.hold"), "zurcfg.hold");
}

TEST(HeaderPathTest, OtherFileNameBecomesAFolder) {
    EXPECT_EQ(HeaderPathFor("proj" + kSep + "other.h"),
              "proj" + kSep + "other.h" + kSep + "ZURcfg.h");
}

TEST(HeaderPathTest, BackupReplacesTheLastCharacter) {
    EXPECT_EQ(BackupPathFor("proj" + kSep + "ZURcfg.h"), "proj" + kSep + "ZURcfg.bak");
    EXPECT_EQ(BackupPathFor("Proj" + kSep + "ZURCFG.H"), "Proj" + kSep + "ZURCFG.bak");
}

}  // namespace
}  // namespace zurcfg
