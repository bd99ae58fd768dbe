#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

#include "config/line_source.h"

namespace zurcfg {
namespace {

std::vector<std::string> AllLines(LineSource& source) {
    std::vector<std::string> lines;
    while (const std::optional<std::string_view> line = source.Next()) {
        lines.emplace_back(*line);
    }
    return lines;
}

std::vector<std::string> LinesOf(std::string_view text) {
    LineSource source(text);
    return AllLines(source);
}

using Lines = std::vector<std::string>;

TEST(LineSourceTest, LinesEndAtLineFeedsOrTheEndOfTheText) {
    EXPECT_EQ(LinesOf(""), Lines{});
    EXPECT_EQ(LinesOf("\n"), Lines{""});
    EXPECT_EQ(LinesOf("a"), Lines{"a"});
    EXPECT_EQ(LinesOf("a\n"), Lines{"a"});
    EXPECT_EQ(LinesOf("a\n\nb"), (Lines{"a", "", "b"}));
}

TEST(LineSourceTest, ControlBytesButTheTabAreDropped) {
    using namespace std::string_literals;
    EXPECT_EQ(LinesOf("a\r\nb\r\n"), (Lines{"a", "b"}));
    EXPECT_EQ(LinesOf("a\rb\r\r\n\r"), (Lines{"ab", ""}));
    EXPECT_EQ(LinesOf("\tx\0y\x1b\x1f\x7f\x80\xff\n"s), Lines{"\txy\x7f\x80\xff"});
    // Eight bytes and more, so that whole words are looked at.
    EXPECT_EQ(LinesOf("abcdefgh\x01ijklmnop\tqrstuvw\x02\r\n"), Lines{"abcdefghijklmnop\tqrstuvw"});
}

TEST(LineSourceTest, FileReadInPiecesGivesTheLinesOfTheWholeText) {
    using namespace std::string_literals;
    const std::string text = "#define OS_TASKS 3\r\n\r\nabc\r\r\n\t\x01x\0y\n"s +
                             std::string(100, 'z') + "\r\n" + "a\rb\r\nlast\r";
    const Lines expected = LinesOf(text);
    ASSERT_EQ(expected.size(), 7u);
    for (std::size_t chunkBytes : {1, 2, 3, 7, 8, 9, 16, 63, 1000}) {
        std::istringstream file(text);
        LineSource source(
            [&file](char* into, std::size_t most) {
                file.read(into, static_cast<std::streamsize>(most));
                return static_cast<std::size_t>(file.gcount());
            },
            chunkBytes);
        EXPECT_EQ(AllLines(source), expected) << chunkBytes;
    }
}

}  // namespace
}  // namespace zurcfg
