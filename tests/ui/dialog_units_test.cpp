#include "ui/layout/dialog_units.h"

#include <gtest/gtest.h>

namespace zurcfg {
namespace {

TEST(DialogUnitsTest, BaseUnitsAreTheRoundedAverageLetterWidthAndTheFontHeight) {
    // 52 letters of 311 pixels average 5.98 pixels; 313 pixels average 6.02.
    EXPECT_EQ(BaseUnitsFor(311, 13).horizontal, 6);
    EXPECT_EQ(BaseUnitsFor(313, 13).horizontal, 6);
    // 364 pixels average exactly 7; 337 pixels average 6.48 and round down.
    EXPECT_EQ(BaseUnitsFor(364, 16).horizontal, 7);
    EXPECT_EQ(BaseUnitsFor(337, 16).horizontal, 6);
    EXPECT_EQ(BaseUnitsFor(364, 16).vertical, 16);
}

TEST(DialogUnitsTest, FourUnitsAcrossAreOneBaseUnitAndEightDownAreOneFontHeight) {
    const DialogUnits units({6, 13});
    EXPECT_EQ(units.X(4), 6);
    EXPECT_EQ(units.Y(8), 13);
    EXPECT_EQ(units.X(522), 783);
    EXPECT_EQ(units.Y(399), 648);  // 648.375
    EXPECT_EQ(units.X(0), 0);
}

TEST(DialogUnitsTest, PixelsAreRoundedToTheNearestWithHalvesUp) {
    const DialogUnits units({6, 13});
    EXPECT_EQ(units.X(1), 2);  // 1.5
    EXPECT_EQ(units.X(3), 5);  // 4.5
    EXPECT_EQ(units.Y(1), 2);  // 1.625
    EXPECT_EQ(units.Y(3), 5);  // 4.875
    EXPECT_EQ(units.Y(2), 3);  // 3.25
    EXPECT_EQ(units.X(-1), -2);
}

TEST(DialogUnitsTest, EachEdgeIsMappedOnItsOwnSoNeighboursShareTheirEdge) {
    const DialogUnits units({7, 16});
    // 2 units from x = 1: the edges 1.75 and 5.25 round to 2 and 5, so 3 pixels, though 2
    // units alone would be 3.5 pixels, rounded to 4.
    const PixelRect left = units.Map(1, 0, 2, 8);
    const PixelRect right = units.Map(3, 0, 2, 8);
    EXPECT_EQ(left.x, 2);
    EXPECT_EQ(left.width, 3);
    EXPECT_EQ(right.x, left.x + left.width);
    EXPECT_EQ(units.X(2), 4);

    const PixelRect pathBox = DialogUnits({6, 13}).Map(25, 3, 435, 338);
    EXPECT_EQ(pathBox.x, 38);        // 37.5
    EXPECT_EQ(pathBox.y, 5);         // 4.875
    EXPECT_EQ(pathBox.width, 652);   // 690 - 38
    EXPECT_EQ(pathBox.height, 549);  // 554 (554.125) - 5
}

}  // namespace
}  // namespace zurcfg
