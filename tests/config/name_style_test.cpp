#include <gtest/gtest.h>

#include <sstream>

#include "config/header_reader.h"
#include "config/header_writer.h"
#include "config/name_style.h"
#include "support/temp_dir.h"

namespace zurcfg {
namespace {

NameStyle StyleOfText(const std::string& text) {
    std::istringstream in(text);
    return NameStyleOf(ReadHeaderStream(in).definedMacros);
}

TEST(NameStyleTest, TheRenamedSwitchesTellTheStyleAndAHeaderWithoutThemHasNone) {
    Configuration queues;
    queues.OS_ENABLE_QMSG = 1;
    EXPECT_EQ(StyleOfText(FormatHeader(queues, {}, {}, true)), NameStyle::Old);
    EXPECT_EQ(StyleOfText(FormatHeader(queues, {}, {}, false)), NameStyle::New);
    EXPECT_EQ(StyleOfText(FormatHeader(Configuration(), {}, {}, false)), NameStyle::Neither);
    Configuration messages;
    messages.OST_MSG = "char *";
    EXPECT_EQ(StyleOfText(FormatHeader(messages, {}, {}, true)), NameStyle::Old);
    EXPECT_EQ(StyleOfText(FormatHeader(messages, {}, {}, false)), NameStyle::New);
    EXPECT_EQ(StyleOfText("#define OS_ENABLE_QMSG\r\n#define OS_ENABLE_SQUEUE\r\n"),
              NameStyle::Neither);
    EXPECT_EQ(StyleOfText("#define\tOST_SMSG int"), NameStyle::Old);
    // The compiler sees an indented define, and no define in a comment.
    EXPECT_EQ(StyleOfText("  #define OS_ENABLE_QUEUE\n// #define OS_ENABLE_QMSG\n"),
              NameStyle::New);

    const testing::TempDir dir;
    testing::WriteBytes(dir.File("ZURcfg.h"), FormatHeader(queues, {}, {}, false));
    EXPECT_EQ(NameStyleOfFile(dir.File("ZURcfg.h")), NameStyle::New);
    EXPECT_EQ(NameStyleOfFile(dir.File("missing.h")), NameStyle::Neither);
    EXPECT_EQ(NameStyleOfFile(dir.Path().string()), NameStyle::Neither);
}

}  // namespace
}  // namespace zurcfg
