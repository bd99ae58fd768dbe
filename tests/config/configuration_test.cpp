#include <gtest/gtest.h>

#include "config/configuration.h"
#include "config/option_lists.h"

namespace zurcfg {
namespace {

TEST(ConfigurationTest, FreshRecordHoldsTheDefaults) {
    const Configuration fresh;
    EXPECT_EQ(fresh.OS_TASKS, 0);
    EXPECT_EQ(fresh.PLATFORM, 0);
    EXPECT_EQ(fresh.OS_ENABLE_ALL, 0);
    EXPECT_TRUE(fresh.OST_MSG.empty());
    EXPECT_TRUE(fresh.PROJECT_NAME.empty());
}

TEST(ConfigurationTest, CopyIsNotDifferent) {
    Configuration original;
    original.OS_TASKS = 7;
    original.OST_MSG = "unsigned char *";
    const Configuration copy = original;
    EXPECT_FALSE(copy.IsDifferent(original));
    EXPECT_FALSE(original.IsDifferent(copy));
}

TEST(ConfigurationTest, EveryFieldTakesPartInTheComparison) {
    const Configuration base;
    auto differs = [&](auto change) {
        Configuration changed = base;
        change(changed);
        return changed.IsDifferent(base) && base.IsDifferent(changed);
    };
    for (const auto& field : kCountFields) {
        EXPECT_TRUE(differs([&](Configuration& c) { c.*field.member = 1; })) << field.name;
    }
    for (const auto& field : kServiceSwitchFields) {
        EXPECT_TRUE(differs([&](Configuration& c) { c.*field.member = 1; })) << field.name;
    }
    for (const auto& field : kInterruptSwitchFields) {
        EXPECT_TRUE(differs([&](Configuration& c) { c.*field.member = 1; })) << field.name;
    }
    for (const auto& field : kBankFields) {
        EXPECT_TRUE(differs([&](Configuration& c) { c.*field.member = -1; })) << field.name;
    }
    for (const auto& field : kSizeFields) {
        EXPECT_TRUE(differs([&](Configuration& c) { c.*field.member = 3; })) << field.name;
    }
    for (const auto& field : kMessageTypeFields) {
        EXPECT_TRUE(differs([&](Configuration& c) { c.*field.member = "char"; })) << field.name;
    }
    EXPECT_TRUE(differs([](Configuration& c) { c.PROJECT_NAME = "Clock"; }));
}

TEST(ConfigurationTest, TextsCompareByteForByteAndNoPlatformIsNotPlatformZero) {
    Configuration lower;
    lower.OST_MSG = "char";
    Configuration upper = lower;
    upper.OST_MSG = "Char";
    EXPECT_TRUE(lower.IsDifferent(upper));

    Configuration trailingBlank = lower;
    trailingBlank.OST_MSG = "char ";
    EXPECT_TRUE(lower.IsDifferent(trailingBlank));

    Configuration none;
    none.PLATFORM = -1;
    EXPECT_TRUE(none.IsDifferent(Configuration{}));
}

TEST(OptionListsTest, SizesTranslateBothWays) {
    EXPECT_EQ(SizeBytes(0), 0);
    EXPECT_EQ(SizeBytes(1), 1);
    EXPECT_EQ(SizeBytes(2), 2);
    EXPECT_EQ(SizeBytes(3), 4);
    EXPECT_EQ(SizeBytes(-1), 0);
    EXPECT_EQ(SizeBytes(4), 0);
    EXPECT_EQ(SizeIndexForBytes(1), 1);
    EXPECT_EQ(SizeIndexForBytes(2), 2);
    EXPECT_EQ(SizeIndexForBytes(4), 3);
    for (int bytes : {0, 3, 8, -2}) {
        EXPECT_EQ(SizeIndexForBytes(bytes), 0) << bytes;
    }
}

TEST(OptionListsTest, PlatformHeaderNamesOnlyForRealPlatforms) {
    EXPECT_EQ(PlatformHeaderName(-1), "");
    EXPECT_EQ(PlatformHeaderName(0), "");
    EXPECT_EQ(PlatformHeaderName(3), "HT-PICC18");
    EXPECT_EQ(PlatformHeaderName(5), "Microchip C30");
    EXPECT_EQ(PlatformHeaderName(6), "");
}

}  // namespace
}  // namespace zurcfg
