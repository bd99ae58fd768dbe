#include <gtest/gtest.h>

#include "config/header_writer.h"
#include "config/name_style.h"
#include "support/temp_dir.h"

namespace zurcfg {
namespace {

TEST(NameStyleTest, TheRenamedSwitchesTellTheStyleAndAHeaderWithoutThemHasNone) {
    Configuration queues;
    queues.OS_ENABLE_QMSG = 1;
    EXPECT_EQ(NameStyleOf(FormatHeader(queues, {}, {}, true)), NameStyle::Old);
    EXPECT_EQ(NameStyleOf(FormatHeader(queues, {}, {}, false)), NameStyle::New);
    EXPECT_EQ(NameStyleOf(FormatHeader(Configuration(), {}, {}, false)), NameStyle::Neither);
    Configuration messages;
    messages.OST_MSG = "char *";
    EXPECT_EQ(NameStyleOf(FormatHeader(messages, {}, {}, true)), NameStyle::Old);
    EXPECT_EQ(NameStyleOf(FormatHeader(messages, {}, {}, false)), NameStyle::New);
    EXPECT_EQ(NameStyleOf("#define OS_ENABLE_QMSG\r\n#define OS_ENABLE_SQUEUE\r\n"),
              NameStyle::Neither);
    EXPECT_EQ(NameStyleOf("#define\tOST_SMSG int"), NameStyle::Old);
    EXPECT_EQ(NameStyleOf("  #define OS_ENABLE_QUEUE\n// #define OS_ENABLE_QMSG\n"),
              NameStyle::Neither);

    const testing::TempDir dir;
    testing::WriteBytes(dir.File("ZURcfg.h"), FormatHeader(queues, {}, {}, false));
    EXPECT_EQ(NameStyleOfFile(dir.File("ZURcfg.h")), NameStyle::New);
    EXPECT_EQ(NameStyleOfFile(dir.File("missing.h")), NameStyle::Neither);
    EXPECT_EQ(NameStyleOfFile(dir.Path().string()), NameStyle::Neither);
}

}  // namespace
}  // namespace zurcfg
