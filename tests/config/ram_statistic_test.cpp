#include "config/ram_statistic.h"

#include <gtest/gtest.h>

#include <limits>

namespace zurcfg {
namespace {

using Banks = std::array<int64_t, 4>;

Configuration OnPlatform(int32_t platform) {
    Configuration c;
    c.PLATFORM = platform;
    return c;
}

std::array<std::string, 4> Texts(const Configuration& c) {
    const auto figures = RamFigures(c);
    return {figures[0].text, figures[1].text, figures[2].text, figures[3].text};
}

std::array<bool, 4> Enabled(const Configuration& c) {
    const auto figures = RamFigures(c);
    return {figures[0].enabled, figures[1].enabled, figures[2].enabled, figures[3].enabled};
}

TEST(ComputeRamUsageTest, NeedsAPlatformOfTheList) {
    for (int32_t platform : {-1, 0, 6, 100}) {
        EXPECT_FALSE(ComputeRamUsage(OnPlatform(platform)).has_value()) << platform;
    }
}

TEST(ComputeRamUsageTest, OneTaskOnThe12BitPlatform) {
    Configuration c = OnPlatform(1);
    c.OS_TASKS = 1;
    EXPECT_EQ(ComputeRamUsage(c), (Banks{14, 0, 0, 0}));  // 9 + 3 + 2
    c.OS_DISABLE_PRIORITY = 1;
    EXPECT_EQ(ComputeRamUsage(c), (Banks{11, 0, 0, 0}));
}

TEST(ComputeRamUsageTest, Pic18MergesBanksOneToThreeIntoBankOne) {
    Configuration c = OnPlatform(3);
    c.OS_BANK_OS = 3;  // bank2
    c.OS_TASKS = 8;
    c.OS_BANK_TASKS = 2;  // bank1
    // Before the merge: 8 in bank 0, 32 in bank 1, 3 in bank 2.
    EXPECT_EQ(ComputeRamUsage(c), (Banks{8, 35, 0, 0}));
    c.PLATFORM = 4;
    EXPECT_EQ(ComputeRamUsage(c), (Banks{8, 35, 0, 0}));
}

TEST(ComputeRamUsageTest, Pic24MergesEveryBankIntoBankZero) {
    Configuration c = OnPlatform(5);
    c.OS_BANK_OS = 4;  // bank3
    c.OS_TASKS = 2;
    c.OS_BANK_TASKS = 3;  // bank2
    c.OS_DISABLE_PRIORITY = 1;
    // 16 base, 0 - 6 system variables, 2 x 20 task descriptors.
    EXPECT_EQ(ComputeRamUsage(c), (Banks{50, 0, 0, 0}));
}

TEST(ComputeRamUsageTest, TheSmallPlatformsKeepTheirFourBanks) {
    Configuration c = OnPlatform(2);
    c.OS_BANK_OS = 2;  // bank1
    c.OS_TASKS = 3;    // BANK_OS: bank1 as well
    c.OS_BSEMS = 9;
    c.OS_BANK_BSEMS = 4;  // bank3
    c.OS_STIMERS = 2;
    c.OS_BANK_STIMERS = 3;  // bank2
    EXPECT_EQ(ComputeRamUsage(c), (Banks{6, 3 + 9, 2 * 2, 2}));
}

TEST(ComputeRamUsageTest, BinarySemaphoresTakeOneBytePerEightOrPerSixteenOnPic24) {
    Configuration c = OnPlatform(1);
    const auto bsemBytes = [&c](int32_t count) {
        c.OS_BSEMS = count;
        return (*ComputeRamUsage(c))[0] - 12;
    };
    EXPECT_EQ(bsemBytes(0), 0);
    EXPECT_EQ(bsemBytes(8), 1);
    EXPECT_EQ(bsemBytes(9), 2);
    EXPECT_EQ(bsemBytes(-3), 0);    // (-3 + 7) / 8 truncates to 0
    EXPECT_EQ(bsemBytes(-17), -1);  // (-17 + 7) / 8 truncates towards zero
    c.PLATFORM = 5;
    const auto pic24BsemBytes = [&c](int32_t count) {
        c.OS_BSEMS = count;
        return (*ComputeRamUsage(c))[0] - 16;
    };
    EXPECT_EQ(pic24BsemBytes(10), 1);
    EXPECT_EQ(pic24BsemBytes(16), 1);
    EXPECT_EQ(pic24BsemBytes(17), 2);
}

TEST(ComputeRamUsageTest, TaskTimersTakeTheirOwnSizeElseTheSystemSizeElseTwoBytes) {
    Configuration c = OnPlatform(1);
    c.OS_TASKS = 1;
    c.OS_ENABLE_TTIMERS = 1;
    const auto perTask = [&c] { return (*ComputeRamUsage(c))[0] - 12; };
    EXPECT_EQ(perTask(), 2 + 2);  // "(system)" with "default (int)"
    c.OS_TIMER_SIZE = 3;          // long
    EXPECT_EQ(perTask(), 2 + 4);
    c.OS_TTIMER_SIZE = 1;  // char
    EXPECT_EQ(perTask(), 2 + 1);
    c.OS_ENABLE_TTIMERS = 0;
    EXPECT_EQ(perTask(), 2);
}

TEST(ComputeRamUsageTest, EnableAllCountsTaskAndDynamicTimersWithTheirBoxesClear) {
    Configuration c = OnPlatform(2);
    c.OS_TASKS = 2;
    EXPECT_EQ((*ComputeRamUsage(c))[0], 6 + 3 + 2 * 3);
    c.OS_ENABLE_ALL = 1;
    EXPECT_EQ((*ComputeRamUsage(c))[0], 6 + 3 + 2 * (3 + 2) + 3);
    c.OS_ENABLE_ALL = 0;
    c.OS_ENABLE_DTIMERS = 1;
    EXPECT_EQ((*ComputeRamUsage(c))[0], 6 + 3 + 2 * 3 + 3);
}

TEST(ComputeRamUsageTest, StaticTimersCountWheneverThereAreAny) {
    Configuration c = OnPlatform(1);
    c.OS_ENABLE_ALL = 1;
    c.OS_STIMERS = 3;
    c.OS_TIMER_SIZE = 1;  // char; the static timers are "(system)" in BANK_OS
    // 9 + 3, dynamic timers 2, three one-byte static timers.
    EXPECT_EQ(ComputeRamUsage(c), (Banks{9 + 3 + 2 + 3, 0, 0, 0}));
    c.OS_ENABLE_ALL = 0;
    EXPECT_EQ(ComputeRamUsage(c), (Banks{9 + 3 + 3, 0, 0, 0}));
    c.OS_STIMER_SIZE = 2;   // int
    c.OS_BANK_STIMERS = 2;  // bank1
    EXPECT_EQ(ComputeRamUsage(c), (Banks{12, 6, 0, 0}));
}

TEST(ComputeRamUsageTest, PositionsBeyondTheListsCountAsNotStated) {
    Configuration c = OnPlatform(1);
    c.OS_BANK_OS = 9;  // like "default (near)": bank 0
    c.OS_TASKS = 1;
    c.OS_BANK_TASKS = 7;  // like "BANK_OS"
    c.OS_ENABLE_TTIMERS = 1;
    c.OS_TTIMER_SIZE = 8;  // like "(system)"
    c.OS_TIMER_SIZE = 5;   // like "default (int)"
    EXPECT_EQ(ComputeRamUsage(c), (Banks{9 + 3 + 2 + 2, 0, 0, 0}));
    c.OS_BANK_OS = 3;  // bank2: the tasks follow it
    EXPECT_EQ(ComputeRamUsage(c), (Banks{9, 0, 3 + 4, 0}));
}

TEST(RamFiguresTest, FiguresBeyond32BitsAreCountedAndShownAsBeyondTheRange) {
    constexpr int32_t kLargest = std::numeric_limits<int32_t>::max();
    Configuration c = OnPlatform(1);
    c.OS_TASKS = kLargest;
    c.OS_BSEMS = kLargest;
    c.OS_BANK_BSEMS = 2;  // bank1
    // 9 + 3 + 2 bytes per task; one byte per eight binary semaphores.
    EXPECT_EQ(ComputeRamUsage(c),
              (Banks{12 + 2 * int64_t{kLargest}, (int64_t{kLargest} + 7) / 8, 0, 0}));
    EXPECT_EQ(Texts(c), (std::array<std::string, 4>{"> 2147483647", "268435456", "0", "0"}));
    c.OS_TASKS = std::numeric_limits<int32_t>::min();
    EXPECT_EQ(Texts(c)[0], "< -2147483648");
}

TEST(RamFiguresTest, AskForAPlatformWithAllFourLabelsEnabled) {
    for (int32_t platform : {-1, 0, 6}) {
        const Configuration c = OnPlatform(platform);
        EXPECT_EQ(Texts(c), (std::array<std::string, 4>{"? (select platform)", "?", "?", "?"}));
        EXPECT_EQ(Enabled(c), (std::array<bool, 4>{true, true, true, true}));
    }
}

TEST(RamFiguresTest, ShowTheFiguresAndGreyTheBanksThePlatformLacks) {
    Configuration c = OnPlatform(3);
    c.OS_BANK_OS = 3;
    c.OS_TASKS = 8;
    c.OS_BANK_TASKS = 2;
    EXPECT_EQ(Texts(c), (std::array<std::string, 4>{"8", "35", "0", "0"}));
    EXPECT_EQ(Enabled(c), (std::array<bool, 4>{true, true, false, false}));
    EXPECT_EQ(RamFigures(c)[2].whyGreyed,
              "Greyed: platform PIC18 (ht-picc18) has no bank2; its variables count in bank1");
    EXPECT_EQ(RamFigures(c)[1].whyGreyed, "");
    c.PLATFORM = 5;
    EXPECT_EQ(Enabled(c), (std::array<bool, 4>{true, false, false, false}));
    EXPECT_EQ(RamFigures(c)[1].whyGreyed,
              "Greyed: platform PIC24, dsPIC (Microchip C30) has no bank1; its variables count in "
              "bank0");
    c.PLATFORM = 2;
    EXPECT_EQ(Enabled(c), (std::array<bool, 4>{true, true, true, true}));
    c.PLATFORM = 1;
    c.OS_BANK_OS = 0;
    c.OS_BANK_TASKS = 0;
    c.OS_TASKS = 1;
    EXPECT_EQ(Texts(c), (std::array<std::string, 4>{"14", "0", "0", "0"}));
}

}  // namespace
}  // namespace zurcfg
