#include <gtest/gtest.h>

#include <functional>
#include <memory>

#include <QApplication>
#include <QCheckBox>
#include <QDialog>
#include <QLabel>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include "resources/control_ids.h"
#include "settings/app_settings.h"
#include "support/fake_prompter.h"
#include "support/temp_dir.h"
#include "ui/config_dialog.h"
#include "ui/fake_file_chooser.h"
#include "ui/tips_dialog.h"

namespace zurcfg {
namespace {

using testing::FakeFileChooser;
using testing::FakePrompter;
using testing::TempDir;
using testing::WriteBytes;

// Answers the modal box that the next steps open, from inside its modal loop, and closes it
// whatever the answer did, so that no test ever hangs on it.
class ModalAnswer {
public:
    explicit ModalAnswer(std::function<void(QDialog&)> answer) : answer_(std::move(answer)) {
        QObject::connect(&timer_, &QTimer::timeout, [this] { AnswerOpenBox(); });
        timer_.start(10);
    }

    // The caption of the box answered; empty when none came.
    QString Caption() const { return caption_; }
    bool ClosedByAnswer() const { return closedByAnswer_; }

private:
    void AnswerOpenBox() {
        auto* box = qobject_cast<QDialog*>(QApplication::activeModalWidget());
        if (box == nullptr) {
            return;
        }
        timer_.stop();
        caption_ = box->windowTitle();
        answer_(*box);
        closedByAnswer_ = !box->isVisible();
        if (!closedByAnswer_) {
            box->reject();
        }
    }

    std::function<void(QDialog&)> answer_;
    QTimer timer_;
    QString caption_;
    bool closedByAnswer_ = false;
};

template <typename Widget>
Widget* ControlOf(const QDialog& box, int id) {
    auto* widget = box.findChild<Widget*>(QString::number(id));
    EXPECT_NE(widget, nullptr) << "no control " << id;
    return widget;
}

void PressOk(QDialog& box) {
    QTest::mouseClick(ControlOf<QPushButton>(box, 1), Qt::LeftButton);
}
void PressEsc(QDialog& box) {
    QTest::keyClick(&box, Qt::Key_Escape);
}
void CheckDontShowAgain(QDialog& box) {
    QTest::mouseClick(ControlOf<QCheckBox>(box, 1068), Qt::LeftButton);
}

class TipsAndAboutTest : public ::testing::Test {
protected:
    // Starts the program's window; `answer` answers the tip if it comes. The caption of the tip,
    // or empty when none came.
    QString Start(const std::function<void(QDialog&)>& answer = PressEsc) {
        dialog_.reset();  // the previous window writes the settings file first
        ModalAnswer tip(answer);
        dialog_ =
            std::make_unique<ConfigDialog>(settingsPath_, prompter_, fileChooser_, &tipPresenter_);
        return tip.Caption();
    }

    bool OldStyleNamesChecked() const {
        return dialog_->findChild<QCheckBox*>(QString::number(kOldStyleNamesCheck))->isChecked();
    }

    // What the settings file holds once the window has gone.
    std::pair<int32_t, int> StoredVersionAndTip() {
        dialog_.reset();
        const AppSettings stored(settingsPath_);
        return {stored.ZURVERSION, stored.ZURVERSIONTIP};
    }

    TempDir dir_;
    std::string settingsPath_ = dir_.File("ZURcfg_Tool.ini");
    FakePrompter prompter_;
    FakeFileChooser fileChooser_;
    TipsDialogPresenter tipPresenter_;
    std::unique_ptr<ConfigDialog> dialog_;
};

TEST_F(TipsAndAboutTest, AFirstStartShowsTheTipWithTheFocusOnItsCheckBox) {
    QString tip;
    bool focusOnCheckBox = false;
    EXPECT_EQ(Start([&](QDialog& box) {
                  tip = ControlOf<QLabel>(box, 1090)->text();
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
    EXPECT_TRUE(focusOnCheckBox);
    // No style chosen: the old-style names are written.
    EXPECT_TRUE(OldStyleNamesChecked());
    EXPECT_EQ(StoredVersionAndTip(), std::make_pair(0, 1));
}

TEST_F(TipsAndAboutTest, OkWithTheBoxCheckedChoosesTheOldStyleNamesAndStopsTheTip) {
    Start([](QDialog& box) {
        CheckDontShowAgain(box);
        PressOk(box);
    });
    EXPECT_TRUE(OldStyleNamesChecked());
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
        EXPECT_EQ(OldStyleNamesChecked(), checked) << version;
        dialog_.reset();
    }
}

TEST_F(TipsAndAboutTest, F1AndTheHelpButtonOpenTheAboutBoxWhichOkAndEscClose) {
    WriteBytes(settingsPath_, "[SETUP]\r\nZURVERSION=90200\r\n");
    Start();
    dialog_->show();
    QApplication::setActiveWindow(dialog_.get());
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

}  // namespace
}  // namespace zurcfg
