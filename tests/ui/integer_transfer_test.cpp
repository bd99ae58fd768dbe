#include "ui/window/integer_transfer.h"

#include <gtest/gtest.h>

#include <limits>
#include <string>

namespace zurcfg {
namespace {

constexpr int32_t kMax = std::numeric_limits<int32_t>::max();
constexpr int32_t kMin = std::numeric_limits<int32_t>::min();

TEST(TransferIntegerTest, AcceptsASignedIntegerBetweenBlanksAndTabs) {
    EXPECT_EQ(TransferInteger("12"), 12);
    EXPECT_EQ(TransferInteger("  \t-3\t "), -3);
    EXPECT_EQ(TransferInteger("+7"), 7);
    EXPECT_EQ(TransferInteger("007"), 7);
    EXPECT_EQ(TransferInteger("0"), 0);
    EXPECT_EQ(TransferInteger(" 000 "), 0);
}

TEST(TransferIntegerTest, RefusesAnythingElse) {
    for (const char* text :
         {"", " ", "abc", "12abc", "1 2", "- 5", "+", "-", "0x10", "1.5", "\n1", "1\n"}) {
        EXPECT_FALSE(TransferInteger(text).has_value()) << '"' << text << '"';
    }
}

TEST(TransferIntegerTest, ZeroCountsOnlyWhenItsTextBeginsWithTheDigitZero) {
    EXPECT_FALSE(TransferInteger("-0").has_value());
    EXPECT_FALSE(TransferInteger("+0").has_value());
    EXPECT_FALSE(TransferInteger("-000").has_value());
    EXPECT_EQ(TransferInteger("  0"), 0);
}

TEST(TransferIntegerTest, NumbersBeyondThirtyTwoBitsSaturate) {
    EXPECT_EQ(TransferInteger("2147483647"), kMax);
    EXPECT_EQ(TransferInteger("2147483648"), kMax);
    EXPECT_EQ(TransferInteger("99999999999999999999"), kMax);
    EXPECT_EQ(TransferInteger("-2147483648"), kMin);
    EXPECT_EQ(TransferInteger("-99999999999999999999"), kMin);
}

TEST(TransferIntegerTest, LooksOnlyAtTheFirstThirtyOneCharacters) {
    const std::string blanks(30, ' ');
    EXPECT_EQ(TransferInteger("5" + blanks + "x"), 5);
    EXPECT_FALSE(TransferInteger("5" + std::string(29, ' ') + "x").has_value());
    // 31 digits of 1 and then a letter: the letter is not looked at.
    EXPECT_EQ(TransferInteger(std::string(31, '1') + "z"), kMax);
}

TEST(LeadingIntegerTest, TakesTheLeadingIntegerAndZeroWithoutDigits) {
    EXPECT_EQ(LeadingInteger("12abc"), 12);
    EXPECT_EQ(LeadingInteger("abc"), 0);
    EXPECT_EQ(LeadingInteger("-3"), -3);
    EXPECT_EQ(LeadingInteger(" \t+4 5"), 4);
    EXPECT_EQ(LeadingInteger(""), 0);
    EXPECT_EQ(LeadingInteger("-"), 0);
    EXPECT_EQ(LeadingInteger("99999999999"), kMax);
    EXPECT_EQ(LeadingInteger("-99999999999"), kMin);
}

}  // namespace
}  // namespace zurcfg
