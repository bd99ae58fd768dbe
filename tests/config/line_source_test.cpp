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

TEST(LineSourceTest, LinesEndAtLineFeedsCarriageReturnsBothOrTheEndOfTheText) {
    EXPECT_EQ(LinesOf(""), Lines{});
    EXPECT_EQ(LinesOf("\n"), Lines{""});
    EXPECT_EQ(LinesOf("a"), Lines{"a"});
    EXPECT_EQ(LinesOf("a\n"), Lines{"a"});
    EXPECT_EQ(LinesOf("a\n\nb"), (Lines{"a", "", "b"}));
    // As a compiler splits them: CR LF is one line break, a carriage return alone is one too.
    EXPECT_EQ(LinesOf("a\r\nb\r\n"), (Lines{"a", "b"}));
    EXPECT_EQ(LinesOf("a\rb\r\r\n\r"), (Lines{"a", "b", "", ""}));
    EXPECT_EQ(LinesOf("a\n\rb"), (Lines{"a", "", "b"}));
}

TEST(LineSourceTest, TheFirstLineBreakGivesTheStyle) {
    const auto styleOf = [](std::string_view text) {
        LineSource source(text);
        AllLines(source);
        return source.FirstLineEnding();
    };
    EXPECT_EQ(styleOf("a"), std::nullopt);
    EXPECT_EQ(styleOf("a\r\nb\n"), LineEnding::CrLf);
    EXPECT_EQ(styleOf("a\nb\r\n"), LineEnding::Lf);
    EXPECT_EQ(styleOf("a\rb\r\n"), LineEnding::Cr);
}

TEST(LineSourceTest, ControlBytesButTheTabAreDroppedAndTold) {
    using namespace std::string_literals;
    const std::string text = "\tx\0y\x1b\x1f\x7f\x80\xff\nclean\n"s;
    LineSource source(text);
    EXPECT_EQ(source.Next(), "\txy\x7f\x80\xff");
    const std::vector<LineSource::DroppedByte>& dropped = source.Dropped();
    ASSERT_EQ(dropped.size(), 3u);
    EXPECT_EQ(dropped[0].at, 2u);
    EXPECT_EQ(dropped[0].byte, '\0');
    EXPECT_EQ(dropped[2].at, 3u);
    EXPECT_EQ(dropped[2].byte, '\x1f');
    EXPECT_EQ(source.Next(), "clean");
    EXPECT_TRUE(source.Dropped().empty());
    // Eight bytes and more, so that whole words are looked at.
    EXPECT_EQ(LinesOf("abcdefgh\x01ijklmnop\tqrstuvw\x02\r\n"), Lines{"abcdefghijklmnop\tqrstuvw"});
}

TEST(LineSourceTest, FileReadInPiecesGivesTheLinesOfTheWholeText) {
    using namespace std::string_literals;
    const std::string text = "#define OS_TASKS 3\r\n\r\nabc\r\r\n\t\x01x\0y\n"s +
                             std::string(100, 'z') + "\r\n" + "a\rb\r\nlast\r";
    const Lines expected = LinesOf(text);
    ASSERT_EQ(expected.size(), 9u);
    for (std::size_t chunkBytes : {1, 2, 3, 7, 8, 9, 16, 63, 1000}) {
        std::istringstream file(text);
        LineSource source(
            [&file](char* into, std::size_t most) {
                file.read(into, static_cast<std::streamsize>(most));
                return static_cast<std::size_t>(file.gcount());
            },
            chunkBytes);
        EXPECT_EQ(AllLines(source), expected) << chunkBytes;
        EXPECT_EQ(source.FirstLineEnding(), LineEnding::CrLf) << chunkBytes;
    }
}

}  // namespace
}  // namespace zurcfg
