#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <random>
#include <sstream>
#include <string>
#include <vector>

#include "config/unified_diff.h"
#include "support/temp_dir.h"

namespace zurcfg {
namespace {

using testing::ReadBytes;
using testing::TempDir;
using testing::WriteBytes;

std::string Numbered(int count, int from = 1) {
    std::string text;
    for (int line = from; line < from + count; ++line) {
        text += "line " + std::to_string(line) + '\n';
    }
    return text;
}

std::vector<std::string> Lines(const std::string& text) {
    std::vector<std::string> lines;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);) {
        lines.push_back(line);
    }
    return lines;
}

// Applies a diff of texts whose lines all end in a line break; fails the test where the diff's
// context or removed lines disagree with the old text.
std::string Apply(const std::string& oldText, const std::string& diff) {
    const std::vector<std::string> oldLines = Lines(oldText);
    std::string result;
    std::size_t next = 0;
    const std::vector<std::string> diffLines = Lines(diff);
    for (std::size_t at = 2; at < diffLines.size(); ++at) {
        const std::string& line = diffLines[at];
        if (line.rfind("@@ -", 0) == 0) {
            // "-start,count" or "-start"; an empty range names the line before it.
            const std::size_t start = std::stoul(line.substr(4));
            const std::size_t comma = line.find(',');
            const std::size_t count =
                comma < line.find(' ', 4) ? std::stoul(line.substr(comma + 1)) : 1;
            for (const std::size_t first = count == 0 ? start : start - 1; next < first; ++next) {
                result += oldLines[next] + '\n';
            }
        } else if (line[0] == ' ' || line[0] == '-') {
            EXPECT_EQ(line.substr(1), oldLines.at(next));
            if (line[0] == ' ') {
                result += oldLines[next] + '\n';
            }
            ++next;
        } else if (line[0] == '+') {
            result += line.substr(1) + '\n';
        }
    }
    for (; next < oldLines.size(); ++next) {
        result += oldLines[next] + '\n';
    }
    return result;
}

int LongestCommonLines(const std::vector<std::string>& a, const std::vector<std::string>& b) {
    std::vector<std::vector<int>> length(a.size() + 1, std::vector<int>(b.size() + 1, 0));
    for (std::size_t i = 1; i <= a.size(); ++i) {
        for (std::size_t j = 1; j <= b.size(); ++j) {
            length[i][j] = a[i - 1] == b[j - 1] ? length[i - 1][j - 1] + 1
                                                : std::max(length[i - 1][j], length[i][j - 1]);
        }
    }
    return length[a.size()][b.size()];
}

TEST(UnifiedDiffTest, EqualTextsGiveNothingAndANewFileIsAllAdded) {
    EXPECT_EQ(UnifiedDiff("", "", "a", "b"), "");
    EXPECT_EQ(UnifiedDiff(Numbered(50), Numbered(50), "a", "b"), "");
    EXPECT_EQ(UnifiedDiff("", "x\ny\n", "ZURcfg.h", "new file"),
              "--- ZURcfg.h\n+++ new file\n@@ -0,0 +1,2 @@\n+x\n+y\n");
    EXPECT_EQ(UnifiedDiff("x\ny", "x\ny\n", "a", "b"),
              "--- a\n+++ b\n@@ -1,2 +1,2 @@\n x\n-y\n\\ No newline at end of file\n+y\n");
}

// The same texts through the system's "diff -u", where there is one.
TEST(UnifiedDiffTest, MatchesTheDiffCommand) {
    const TempDir folder;
    const std::string oldPath = folder.File("old.txt");
    const std::string newPath = folder.File("new.txt");
    const std::string outPath = folder.File("out.txt");
    const std::string command = "diff -u --label old --label new \"" + oldPath + "\" \"" + newPath +
                                "\" > \"" + outPath + "\"";
    // Under Wine a Linux diff may run, but it cannot read the Windows paths it is given.
    WriteBytes(oldPath, "a\n");
    WriteBytes(newPath, "b\n");
    std::system(command.c_str());
    if (ReadBytes(outPath).empty()) {
        GTEST_SKIP() << "no diff command that reads these files";
    }
    const std::string twenty = Numbered(20);
    const std::vector<std::pair<std::string, std::string>> cases{
        {twenty, Numbered(9) + "changed\n" + Numbered(10, 11)},
        // Six unchanged lines between two changes share a hunk; seven do not.
        {twenty, "first\n" + Numbered(6, 2) + "eighth\n" + Numbered(12, 9)},
        {twenty, "first\n" + Numbered(7, 2) + "ninth\n" + Numbered(11, 10)},
        {twenty, Numbered(17, 4) + "appended\n"},
        {twenty, ""},
        {twenty, Numbered(19) + "line 20"},
        {"a\r\nb\r\nc\r\n", "a\r\nB\r\nc\r\n"},
    };
    for (const auto& [oldText, newText] : cases) {
        WriteBytes(oldPath, oldText);
        WriteBytes(newPath, newText);
        std::system(command.c_str());
        EXPECT_EQ(UnifiedDiff(oldText, newText, "old", "new"), ReadBytes(outPath)) << newText;
    }
}

// Random texts of few distinct lines, where many shortest differences exist: the diff leads
// from the old text to the new one and keeps a longest common subsequence.
TEST(UnifiedDiffTest, RandomTextsGiveAShortestDifference) {
    std::mt19937 random(12345);
    const auto randomText = [&] {
        std::string text;
        for (int line = std::uniform_int_distribution<int>(0, 30)(random); line > 0; --line) {
            text += std::string(1, "abcd"[std::uniform_int_distribution<int>(0, 3)(random)]) + '\n';
        }
        return text;
    };
    for (int round = 0; round < 500; ++round) {
        const std::string oldText = randomText();
        const std::string newText = randomText();
        const std::string diff = UnifiedDiff(oldText, newText, "old", "new");
        ASSERT_EQ(Apply(oldText, diff), newText) << oldText << "=>\n" << newText << diff;
        int changedLines = 0;
        const std::vector<std::string> diffLines = Lines(diff);
        for (std::size_t at = 2; at < diffLines.size(); ++at) {
            changedLines += diffLines[at][0] == '-' || diffLines[at][0] == '+';
        }
        const int common = LongestCommonLines(Lines(oldText), Lines(newText));
        EXPECT_EQ(changedLines,
                  static_cast<int>(Lines(oldText).size() + Lines(newText).size()) - 2 * common);
    }
}

}  // namespace
}  // namespace zurcfg
