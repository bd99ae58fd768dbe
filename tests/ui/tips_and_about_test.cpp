#include <gtest/gtest.h>

#include <functional>

#include <QApplication>
#include <QCheckBox>
#include <QDialog>
#include <QImage>
#include <QLabel>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include "resources/control_ids.h"
#include "resources/tips_dialog_template.h"
#include "settings/app_settings.h"
#include "ui/dialogs/tips_dialog.h"
#include "ui/support/dialog_harness.h"
#include "ui/support/modal_answer.h"

namespace zurcfg {
namespace {

using testing::ControlOf;
using testing::ModalAnswer;
using testing::WriteBytes;

void PressOk(QDialog& box) {
    QTest::mouseClick(ControlOf<QPushButton>(box, 1), Qt::LeftButton);
}
void PressEsc(QDialog& box) {
    QTest::keyClick(&box, Qt::Key_Escape);
}
void CheckDontShowAgain(QDialog& box) {
    QTest::mouseClick(ControlOf<QCheckBox>(box, 1068), Qt::LeftButton);
}

class TipsAndAboutTest : public testing::DialogHarness {
protected:
    // Starts the program's window; `answer` answers the tip if it comes. The caption of the tip,
    // or empty when none came.
    QString Start(const std::function<void(QDialog&)>& answer = PressEsc) {
        dialog_.reset();  // the previous window writes the settings file first
        ModalAnswer tip(answer);
        Create(&tipPresenter_);
        return tip.Caption();
    }

    // What the settings file holds once the window has gone.
    std::pair<int32_t, int> StoredVersionAndTip() {
        dialog_.reset();
        const AppSettings stored(settingsPath_);
        return {stored.ZURVERSION, stored.ZURVERSIONTIP};
    }

    // The window asks the presenter only while it starts, so it may go before the window.
    TipsDialogPresenter tipPresenter_;
};

TEST_F(TipsAndAboutTest, AFirstStartShowsTheTipWithTheFocusOnItsCheckBox) {
    QString tip;
    bool tipFits = false;
    bool focusOnCheckBox = false;
    EXPECT_EQ(Start([&](QDialog& box) {
                  const QLabel* text = ControlOf<QLabel>(box, 1090);
                  tip = text->text();
                  tipFits = text->heightForWidth(text->width()) <= text->height() &&
                            box.rect().contains(ControlOf<QCheckBox>(box, 1068)->geometry());
                  focusOnCheckBox = box.focusWidget() == ControlOf<QCheckBox>(box, 1068);
                  EXPECT_EQ(ControlOf<QCheckBox>(box, 1068)->text(),
                            "Don't show this message again");
                  EXPECT_FALSE(ControlOf<QCheckBox>(box, 1068)->isChecked());
                  PressOk(box);
              }),
              "New tips");
    EXPECT_EQ(tip,
              "New control aviable: \"Save old style names\"\n\n(near \"Save\" button).\n\nCheck "
              "box allows to select format of names in saved file:\n- for old versions (below "
              "90200) when checked\n- for new versions (other) when unchecked\n\nNew ZUR version "
              "is compatible with old projects, but some times it may be usefull to work with "
              "your old projects with old ZUR versions");
    EXPECT_TRUE(tipFits);
    EXPECT_TRUE(focusOnCheckBox);
    // No style chosen: the old-style names are written.
    EXPECT_TRUE(Checked(kOldStyleNamesCheck));
    EXPECT_EQ(StoredVersionAndTip(), std::make_pair(0, 1));
}

TEST_F(TipsAndAboutTest, OkWithTheBoxCheckedChoosesTheOldStyleNamesAndStopsTheTip) {
    Start([](QDialog& box) {
        CheckDontShowAgain(box);
        PressOk(box);
    });
    EXPECT_TRUE(Checked(kOldStyleNamesCheck));
    EXPECT_EQ(StoredVersionAndTip(), std::make_pair(90115, 0));
    EXPECT_EQ(Start(), "");
}

TEST_F(TipsAndAboutTest, EscAndTheCloseBoxIgnoreTheCheckedBoxAndTheTipComesAgain) {
    const auto checkThen = [](void (*close)(QDialog&)) {
        return [close](QDialog& box) {
            CheckDontShowAgain(box);
            close(box);
        };
    };
    for (auto close : {PressEsc, +[](QDialog& box) { box.close(); }}) {
        EXPECT_EQ(Start(checkThen(close)), "New tips");
        EXPECT_EQ(StoredVersionAndTip(), std::make_pair(0, 1));
    }
    EXPECT_EQ(Start(), "New tips");
}

TEST_F(TipsAndAboutTest, AChosenNameStyleShowsNoTipAndSetsTheCheckBox) {
    for (const auto& [version, checked] : {std::pair{90115, true}, std::pair{90200, false}}) {
        WriteBytes(settingsPath_, "[SETUP]\r\nZURVERSION=" + std::to_string(version) + "\r\n");
        EXPECT_EQ(Start(), "") << version;
        EXPECT_EQ(Checked(kOldStyleNamesCheck), checked) << version;
        dialog_.reset();
    }
}

TEST_F(TipsAndAboutTest, F1AndTheHelpButtonOpenTheAboutBoxWhichOkAndEscClose) {
    WriteBytes(settingsPath_, "[SETUP]\r\nZURVERSION=90200\r\n");
    Start();
    ShowActive();
    EXPECT_FALSE(dialog_->windowIcon().pixmap(32, 32).isNull());
    EXPECT_TRUE(dialog_->windowFlags().testFlag(Qt::WindowContextHelpButtonHint));

    QStringList texts;
    int icons = 0;
    ModalAnswer ok([&](QDialog& box) {
        for (QLabel* label : box.findChildren<QLabel*>()) {
            if (label->pixmap().isNull()) {
                texts.append(label->text());
            } else {
                ++icons;
            }
        }
        PressOk(box);
    });
    QTest::keyClick(dialog_.get(), Qt::Key_F1);
    EXPECT_EQ(ok.Caption(), "About ZURcfg_Tool");
    EXPECT_EQ(texts, QStringList{"ZURcfg_Tool Version 1.0"});
    EXPECT_EQ(icons, 1);
    EXPECT_TRUE(ok.ClosedByAnswer());

    // The caption's help button asks the application for the help mode.
    ModalAnswer esc(PressEsc);
    QEvent helpMode(QEvent::EnterWhatsThisMode);
    QCoreApplication::sendEvent(qApp, &helpMode);
    EXPECT_EQ(esc.Caption(), "About ZURcfg_Tool");
    EXPECT_TRUE(esc.ClosedByAnswer());
}

TEST(TipsDialogTest, TheTipShowsABlueLetterIInABlueCircleOnWhite) {
    const TipsDialog tip(kStartupTip, false);
    QImage sign;
    for (const QLabel* label : tip.findChildren<QLabel*>()) {
        if (!label->pixmap().isNull()) {
            sign = label->pixmap().toImage();
        }
    }
    ASSERT_FALSE(sign.isNull());
    // Sampled on a 32 by 32 grid of the sign, whatever its size.
    const auto at = [&sign](double x, double y) {
        return sign.pixelColor(static_cast<int>(x * sign.width() / 32),
                               static_cast<int>(y * sign.height() / 32));
    };
    const QColor blue(0, 0, 255);
    EXPECT_EQ(at(16, 8.5), blue) << "the dot";
    EXPECT_EQ(at(16, 20), blue) << "the stem";
    EXPECT_EQ(at(1, 16), blue) << "the circle";
    EXPECT_EQ(at(8, 16), QColor(Qt::white));
    EXPECT_EQ(at(16, 12), QColor(Qt::white)) << "between the dot and the stem";
    EXPECT_EQ(at(0, 0).alpha(), 0) << "outside the circle";
}

}  // namespace
}  // namespace zurcfg
