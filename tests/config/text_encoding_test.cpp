#include <gtest/gtest.h>

#include <clocale>
#include <string>

#include "config/text_encoding.h"

namespace zurcfg {
namespace {

TEST(TextEncodingTest, SingleByteCountsBytes) {
    EXPECT_EQ(CharacterCount("", TextEncoding::SingleByte), 0u);
    EXPECT_EQ(CharacterCount("BS_READY", TextEncoding::SingleByte), 8u);
    EXPECT_EQ(CharacterCount("\xC4_READY", TextEncoding::SingleByte), 7u);
    EXPECT_EQ(CharacterCount("\xC3\x84_READY", TextEncoding::SingleByte), 8u);
}

TEST(TextEncodingTest, Utf8CountsCodePoints) {
    EXPECT_EQ(CharacterCount("", TextEncoding::Utf8), 0u);
    EXPECT_EQ(CharacterCount("BS_READY", TextEncoding::Utf8), 8u);
    EXPECT_EQ(CharacterCount("\xC3\x84_READY", TextEncoding::Utf8), 7u);      // two-byte Ä
    EXPECT_EQ(CharacterCount("\xE2\x82\xAC", TextEncoding::Utf8), 1u);        // euro sign
    EXPECT_EQ(CharacterCount("a\xF0\x9F\x98\x80z", TextEncoding::Utf8), 3u);  // emoji
    // A stray continuation byte is no character of its own; a lone lead byte is one.
    EXPECT_EQ(CharacterCount("a\x84", TextEncoding::Utf8), 1u);
    EXPECT_EQ(CharacterCount("\xC4_", TextEncoding::Utf8), 2u);
}

#ifndef _WIN32
// Restores the character classification locale the test changed.
class CtypeLocale {
public:
    CtypeLocale() : saved_(std::setlocale(LC_CTYPE, nullptr)) {}
    ~CtypeLocale() { std::setlocale(LC_CTYPE, saved_.c_str()); }
    bool Set(const char* name) { return std::setlocale(LC_CTYPE, name) != nullptr; }

private:
    std::string saved_;
};

TEST(TextEncodingTest, LocalEncodingFollowsTheLocaleTheProgramSet) {
    CtypeLocale locale;
    ASSERT_TRUE(locale.Set("C"));
    EXPECT_EQ(LocalTextEncoding(), TextEncoding::SingleByte);
    if (!locale.Set("C.UTF-8")) {
        GTEST_SKIP() << "no C.UTF-8 locale on this machine";
    }
    EXPECT_EQ(LocalTextEncoding(), TextEncoding::Utf8);
}
#endif

}  // namespace
}  // namespace zurcfg
