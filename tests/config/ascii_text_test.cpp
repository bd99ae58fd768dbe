#include "config/ascii_text.h"

#include <gtest/gtest.h>

namespace zurcfg {
namespace {

TEST(AsciiTextTest, LowersOnlyTheAsciiCapitals) {
    // '@' and '[' stand right before 'A' and after 'Z'; 0xC4 and 0xD6 are capitals in Latin-1
    // that a locale-aware lowering would change.
    EXPECT_EQ(AsciiLower("@AZ[ ZURcfg.H \xC4\xD6 az09_"), "@az[ zurcfg.h \xC4\xD6 az09_");
    EXPECT_EQ(AsciiLower(""), "");
    static_assert(AsciiLower('Q') == 'q' && AsciiLower('q') == 'q');
}

}  // namespace
}  // namespace zurcfg
