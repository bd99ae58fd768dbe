#pragma once

#include <gtest/gtest.h>

#include <memory>
#include <string>

#include <QAbstractButton>
#include <QAbstractItemView>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QTest>

#include "resources/control_ids.h"
#include "support/fake_prompter.h"
#include "support/temp_dir.h"
#include "ui/support/fake_file_chooser.h"
#include "ui/window/config_dialog.h"

namespace zurcfg::testing {

// The control numbered `id` in `window`; fails the test when there is none.
template <typename Widget = QWidget>
Widget* ControlOf(const QWidget& window, int id) {
    auto* widget = window.findChild<Widget*>(QString::number(id));
    EXPECT_NE(widget, nullptr) << "no control " << id;
    return widget;
}

// The program's window on a settings file in a fresh folder, message boxes and file dialogs
// answered from scripts, and the user's steps on its controls, named by their ids.
class DialogHarness : public ::testing::Test {
protected:
    // Creates the window on the settings file; `tipPresenter` shows the start-up tip.
    void Create(TipPresenter* tipPresenter = nullptr) {
        dialog_ =
            std::make_unique<ConfigDialog>(settingsPath_, prompter_, fileChooser_, tipPresenter);
    }

    // Shows the window and makes it the active one, so that keys reach its focus.
    void ShowActive() const {
        dialog_->show();
        QApplication::setActiveWindow(dialog_.get());
        EXPECT_TRUE(QTest::qWaitForWindowActive(dialog_.get()));
    }

    void Open() {
        Create();
        ShowActive();
    }

    void OpenWithSettings(const std::string& ini) {
        WriteBytes(settingsPath_, ini);
        Open();
    }

    template <typename Widget = QWidget>
    Widget* Find(int id) const {
        return ControlOf<Widget>(*dialog_, id);
    }

    void Click(int id) const { QTest::mouseClick(Find<QAbstractButton>(id), Qt::LeftButton); }

    // Replaces an edit's text from the keyboard: selects all and types over it, or deletes it.
    void Type(int id, const QString& text) const {
        auto* edit = Find<QLineEdit>(id);
        edit->setFocus();
        QTest::keyClick(edit, Qt::Key_A, Qt::ControlModifier);
        if (text.isEmpty()) {
            QTest::keyClick(edit, Qt::Key_Backspace);
        }
        QTest::keyClicks(edit, text);
    }

    // Chooses a list entry from the keyboard: Home, then Down.
    void Choose(int id, int position) const {
        auto* list = Find<QComboBox>(id);
        list->setFocus();
        QTest::keyClick(list, Qt::Key_Home);
        for (int i = 0; i < position; ++i) {
            QTest::keyClick(list, Qt::Key_Down);
        }
    }

    // Opens the path box's list and confirms the entry in `row` with Enter.
    void ChooseFromPathList(int row) const {
        auto* box = Find<QComboBox>(kPathBox);
        box->showPopup();
        box->view()->setCurrentIndex(box->model()->index(row, 0));
        QTest::keyClick(box->view(), Qt::Key_Return);
    }

    bool Checked(int id) const { return Find<QCheckBox>(id)->isChecked(); }
    bool Enabled(int id) const { return Find(id)->isEnabled(); }
    QString Text(int id) const { return Find<QLineEdit>(id)->text(); }
    QString Label(int id) const { return Find<QLabel>(id)->text(); }
    int Selected(int id) const { return Find<QComboBox>(id)->currentIndex(); }
    QString Title() const { return dialog_->windowTitle(); }
    const Configuration& Current() const { return dialog_->CurrentConfiguration(); }

    TempDir dir_;
    std::string settingsPath_ = dir_.File("ZURcfg_Tool.ini");
    FakePrompter prompter_;
    FakeFileChooser fileChooser_;
    std::unique_ptr<ConfigDialog> dialog_;
};

}  // namespace zurcfg::testing
