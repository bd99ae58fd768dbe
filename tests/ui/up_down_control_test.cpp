#include "ui/widgets/up_down_control.h"

#include <gtest/gtest.h>

#include <QSignalSpy>
#include <QTest>
#include <QToolButton>

namespace zurcfg {
namespace {

class UpDownControlTest : public ::testing::Test {
protected:
    UpDownControlTest() : spy_(&control_, &UpDownControl::PositionChanging) {
        control_.resize(17, 21);
        control_.show();
    }

    std::vector<int> Deltas() const {
        std::vector<int> deltas;
        for (const QList<QVariant>& call : spy_) {
            deltas.push_back(call.at(0).toInt());
        }
        return deltas;
    }

    UpDownControl control_;
    QSignalSpy spy_;
};

TEST_F(UpDownControlTest, TheUpArrowProposesMinusOneAndTheDownArrowPlusOne) {
    auto* up = control_.findChild<QToolButton*>("up");
    auto* down = control_.findChild<QToolButton*>("down");
    ASSERT_NE(up, nullptr);
    ASSERT_NE(down, nullptr);
    QTest::mouseClick(up, Qt::LeftButton);
    QTest::mouseClick(down, Qt::LeftButton);
    QTest::mouseClick(down, Qt::LeftButton);
    EXPECT_EQ(Deltas(), (std::vector<int>{-1, +1, +1}));
    // The up arrow sits above the down arrow and they share the height.
    EXPECT_LT(up->geometry().bottom(), down->geometry().top());
    EXPECT_EQ(up->height() + down->height(), control_.height());
}

TEST_F(UpDownControlTest, TheArrowKeysStepWhileItHasTheFocus) {
    QTest::keyClick(&control_, Qt::Key_Up);
    QTest::keyClick(&control_, Qt::Key_Down);
    QTest::keyClick(&control_, Qt::Key_Left);
    EXPECT_EQ(Deltas(), (std::vector<int>{-1, +1}));
}

}  // namespace
}  // namespace zurcfg
