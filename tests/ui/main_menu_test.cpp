// The menu bar and the shortcuts of the real window: each entry reaches the handler of its button
// or key, questions included.
#include <gtest/gtest.h>

#include <QAccessible>

#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

#include <QAction>
#include <QMenu>
#include <QMenuBar>
#include <QTest>

#include "config/header_messages.h"
#include "config/header_path.h"
#include "config/header_writer.h"
#include "resources/control_ids.h"
#include "ui/support/dialog_harness.h"
#include "ui/support/grid_input.h"
#include "ui/support/modal_answer.h"
#include "ui/widgets/flex_grid.h"

namespace zurcfg {
namespace {

using testing::ClickCell;
using testing::PressKey;
using testing::ReadBytes;
using testing::WithCrLf;
using testing::WriteBytes;

// Records how the tip was offered and answers with `dontShowAgain`.
class RecordingTipPresenter : public TipPresenter {
public:
    bool ShowTip(std::string_view, bool box) override {
        offeredWith.push_back(box);
        return dontShowAgain;
    }

    std::vector<bool> offeredWith;
    bool dontShowAgain = false;
};

// The window on a settings file listing the headers of projects "a" and "b".
class MainMenuTest : public testing::DialogHarness {
protected:
    MainMenuTest() {
        for (const auto& [name, path] : {std::pair{"Alpha", &pathA_}, std::pair{"Beta", &pathB_}}) {
            std::filesystem::create_directories(std::filesystem::path(*path).parent_path());
            Configuration configuration;
            configuration.OS_TASKS = 3;
            configuration.OS_BSEMS = 1;
            configuration.PROJECT_NAME = name;
            WriteBytes(*path, WithCrLf(FormatHeader(configuration, {{"BS_READY", ""}}, {}, false)));
        }
        WriteBytes(settingsPath_, "[PATHS]\r\npath0=" + pathA_ + "\r\npath1=" + pathB_ +
                                      "\r\n[SETUP]\r\nZURVERSION=90200\r\n");
    }

    QMenuBar* Bar() const { return dialog_->findChild<QMenuBar*>(); }

    // The entry of `menu` whose text starts with `text`.
    QAction* Entry(const QString& menu, const QString& text) const {
        for (QAction* title : Bar()->actions()) {
            if (title->text() != menu) {
                continue;
            }
            for (QAction* entry : title->menu()->actions()) {
                if (entry->text().startsWith(text)) {
                    return entry;
                }
            }
        }
        ADD_FAILURE() << "no entry " << text.toStdString() << " in " << menu.toStdString();
        return nullptr;
    }

    void Shortcut(QKeyCombination keys) const {
        QTest::keyClick(QApplication::focusWidget(), keys.key(), keys.keyboardModifiers());
    }

    void TypeName(const QString& name) const { Type(kProjectNameEdit, name); }

    FlexGrid* Bsems() const { return Find<FlexGrid>(kBsemsGrid); }

    std::string pathA_ = HeaderPathFor(dir_.File("a"));
    std::string pathB_ = HeaderPathFor(dir_.File("b"));
};

TEST_F(MainMenuTest, TheBarSitsAboveTheControlsAndShowsTheShortcuts) {
    Open();
    QWidget* body = Find(kBrowseButton)->parentWidget();
    EXPECT_GT(Bar()->height(), 0);
    EXPECT_EQ(body->geometry(), QRect(QPoint(0, Bar()->height()), body->size()));
    EXPECT_EQ(dialog_->size(), QSize(body->width(), Bar()->height() + body->height()));

    QStringList menus;
    for (QAction* title : Bar()->actions()) {
        menus << title->text();
    }
    EXPECT_EQ(menus, (QStringList{"&File", "&Edit", "&View", "&Help"}));
    EXPECT_EQ(Entry("&File", "&Open...")->shortcut(), QKeySequence("Ctrl+O"));
    EXPECT_EQ(Entry("&File", "&Save")->shortcut(), QKeySequence("Ctrl+S"));
    EXPECT_EQ(Entry("&File", "Save &as...")->shortcut(), QKeySequence("Ctrl+Shift+S"));
    EXPECT_EQ(Entry("&File", "E&xit")->shortcut(), QKeySequence("Ctrl+Q"));
    EXPECT_EQ(Entry("&Help", "&About ZURcfg_Tool...")->shortcut(), QKeySequence::HelpContents);
    // The keys the tables take are shown, not spelled into the names screen readers read.
    EXPECT_EQ(Entry("&Edit", "&Insert row")->shortcut(), QKeySequence(Qt::Key_Insert));
    EXPECT_EQ(Entry("&Edit", "&Delete row")->shortcut(), QKeySequence(Qt::Key_Delete));
    QStringList spoken;
    QAccessibleInterface* edit = QAccessible::queryAccessibleInterface(Bar()->actions()[1]->menu());
    for (int item = 0; item < edit->childCount(); ++item) {
        spoken << edit->child(item)->text(QAccessible::Name);
    }
    EXPECT_TRUE(spoken.contains("Insert row") && spoken.contains("Delete row"))
        << spoken.join('|').toStdString();
    EXPECT_EQ(Entry("&Edit", "&Undo")->shortcut(), QKeySequence::Undo);
    EXPECT_EQ(Entry("&Edit", "&Redo")->shortcuts(),
              (QList<QKeySequence>{QKeySequence("Ctrl+Y"), QKeySequence("Ctrl+Shift+Z")}));
    EXPECT_EQ(Entry("&View", "Header &preview")->shortcut(), QKeySequence(Qt::Key_F7));
    EXPECT_NE(Entry("&View", "&Compare with backup"), nullptr);

    // The recent paths, numbered, up to the first empty one.
    EXPECT_TRUE(Entry("&File", "&1 ")->isVisible());
    EXPECT_EQ(Entry("&File", "&2 ")->text().toStdString(), "&2 " + pathB_);
}

TEST_F(MainMenuTest, FileEntriesAskAndOpenAsTheButtonsAndThePathBoxDo) {
    Open();
    Entry("&File", "&2 ")->trigger();
    EXPECT_EQ(Current().PROJECT_NAME, "Beta");
    EXPECT_EQ(Title().toStdString(), "ZURcfg: \"" + pathB_ + "\"");
    EXPECT_EQ(Entry("&File", "&1 ")->text().toStdString(), "&1 " + pathB_) << "follows the list";

    // Open... asks for a file as Browse does, and the question comes after it.
    TypeName("Changed");
    fileChooser_.Will(pathA_);
    prompter_.Will(Answer::Cancel);
    Shortcut(Qt::CTRL | Qt::Key_O);
    EXPECT_EQ(fileChooser_.Requests().back().purpose, FileRequest::Purpose::Open);
    EXPECT_EQ(fileChooser_.Requests().back().initialFolder, pathB_);
    EXPECT_EQ(prompter_.Last().caption, "Save changes?");
    EXPECT_EQ(Current().PROJECT_NAME, "Changed");

    // Unlike Browse, the file opened shows its own values.
    fileChooser_.Will(pathA_);
    prompter_.Will(Answer::No);
    Shortcut(Qt::CTRL | Qt::Key_O);
    EXPECT_EQ(Current().PROJECT_NAME, "Alpha");
    EXPECT_EQ(Current().OS_TASKS, 3);
    EXPECT_EQ(Bsems()->TextMatrix(1, 1), "BS_READY");
    EXPECT_EQ(Title().toStdString(), "ZURcfg: \"" + pathA_ + "\"");

    TypeName("Saved");
    prompter_.Will(Answer::Ok);
    Shortcut(Qt::CTRL | Qt::Key_S);
    EXPECT_EQ(prompter_.Last().caption, "OK!");
    EXPECT_EQ(ReadHeader(pathA_, prompter_).contents.configuration.PROJECT_NAME, "Saved");

    fileChooser_.Will(std::nullopt);
    Shortcut(Qt::CTRL | Qt::SHIFT | Qt::Key_S);
    EXPECT_EQ(fileChooser_.Requests().back().purpose, FileRequest::Purpose::Save);

    Entry("&File", "Save as &default")->trigger();
    EXPECT_NE(ReadBytes(settingsPath_).find("OS_TASKS=3"), std::string::npos);
    prompter_.Will(Answer::No);
    Entry("&File", "&Restore default")->trigger();
    EXPECT_EQ(prompter_.Last().caption, "Warning");

    TypeName("Unsaved");
    prompter_.Will(Answer::Cancel);
    Shortcut(Qt::CTRL | Qt::Key_Q);
    EXPECT_EQ(prompter_.Last().caption, "Save changes?");
    EXPECT_TRUE(dialog_->isVisible());
    prompter_.Will(Answer::No);
    Entry("&File", "E&xit")->trigger();
    EXPECT_FALSE(dialog_->isVisible());
}

TEST_F(MainMenuTest, RowEntriesActOnTheFocusedTableAsItsKeysDo) {
    Open();
    Entry("&File", "&1 ")->trigger();
    QAction* insert = Entry("&Edit", "&Insert row");
    QAction* remove = Entry("&Edit", "&Delete row");
    EXPECT_FALSE(insert->isEnabled()) << "the path box has the focus";

    ClickCell(Bsems(), 1, 1);
    QCoreApplication::processEvents();
    EXPECT_TRUE(insert->isEnabled());
    insert->trigger();
    EXPECT_EQ(Bsems()->TextMatrix(1, 1), "");
    EXPECT_EQ(Bsems()->TextMatrix(2, 1), "BS_READY");
    EXPECT_TRUE(Title().endsWith(" (*)"));

    remove->trigger();
    EXPECT_EQ(Bsems()->TextMatrix(1, 1), "BS_READY");

    // While a cell is edited the keys belong to its edit box, and so do Insert and Delete.
    PressKey(Qt::Key_Return);
    QCoreApplication::processEvents();
    EXPECT_FALSE(remove->isEnabled());
    PressKey(Qt::Key_Escape);
    QCoreApplication::processEvents();
    EXPECT_TRUE(remove->isEnabled());

    Find(kProjectNameEdit)->setFocus();
    QCoreApplication::processEvents();
    EXPECT_FALSE(remove->isEnabled());
}

TEST_F(MainMenuTest, HelpEntriesOfferTheStartUpTipAgainAndShowTheAboutBox) {
    WriteBytes(settingsPath_, "[SETUP]\r\nZURVERSION=0\r\n");
    RecordingTipPresenter tip;
    Create(&tip);
    ShowActive();
    Entry("&Help", "&Tip of the day")->trigger();
    tip.dontShowAgain = true;
    Entry("&Help", "&Tip of the day")->trigger();
    EXPECT_TRUE(Checked(kOldStyleNamesCheck)) << "the old-style names are chosen";
    Entry("&Help", "&Tip of the day")->trigger();
    EXPECT_EQ(tip.offeredWith, (std::vector<bool>{false, false, false, true}));

    testing::ModalAnswer about([](QDialog& box) { box.accept(); });
    Entry("&Help", "&About")->trigger();
    EXPECT_EQ(about.Caption(), "About ZURcfg_Tool");

    dialog_.reset();
    EXPECT_NE(ReadBytes(settingsPath_).find("ZURVERSION=90115"), std::string::npos);
}

}  // namespace
}  // namespace zurcfg
