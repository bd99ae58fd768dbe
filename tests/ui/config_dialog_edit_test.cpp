// Undo and redo of every kind of edit, the header preview and the look at the file on disk,
// through the real window with scripted answers.
#include <gtest/gtest.h>

#include <QAction>
#include <QDialogButtonBox>
#include <QPushButton>
#include <QRegularExpression>
#include <QScreen>
#include <QTabWidget>
#include <QToolButton>

#include "config/header_path.h"
#include "config/header_writer.h"
#include "ui/dialogs/header_preview.h"
#include "ui/support/dialog_harness.h"
#include "ui/support/grid_input.h"
#include "ui/widgets/flex_grid.h"
#include "ui/widgets/up_down_control.h"
#include "ui/window/control_bindings.h"

namespace zurcfg {
namespace {

using testing::ClickCell;
using testing::DoubleClickCell;
using testing::PressKey;
using testing::ReadBytes;
using testing::TypeText;
using testing::WithCrLf;
using testing::WriteBytes;

// The window on a settings file that lists the header of one project, opened from the path box.
class ConfigDialogEditTest : public testing::DialogHarness {
protected:
    ConfigDialogEditTest() {
        project_.configuration.OS_TASKS = 3;
        project_.configuration.PROJECT_NAME = "Alpha";
        project_.configuration.OS_ENABLE_QMSG = 1;  // its macro name differs by name style
        project_.SetTables({{"BS_ONE", "first"}, {"BS_TWO", ""}}, {});
        WriteProject(project_);
        OpenWithSettings("[PATHS]\r\npath0=" + path_ + "\r\n[SETUP]\r\nZURVERSION=90200\r\n");
        ChooseFromPathList(0);
        // The closed list's pop-up would stay the active window once its events are handled.
        QCoreApplication::processEvents();
        ShowActive();
    }

    void WriteProject(const Document& document) const {
        WriteBytes(path_, WithCrLf(document.HeaderText(false)));
    }

    const Document& Doc() const { return dialog_->CurrentDocument(); }
    FlexGrid* Bsems() const { return Find<FlexGrid>(kBsemsGrid); }
    // The commands follow the focus once the events of the moment are handled, as the user's
    // next step would find them.
    static QAction* Command(QAction* action) {
        QCoreApplication::processEvents();
        return action;
    }
    QString UndoText() const { return Command(dialog_->UndoAction())->text(); }
    bool CanUndo() const { return Command(dialog_->UndoAction())->isEnabled(); }
    bool CanRedo() const { return Command(dialog_->RedoAction())->isEnabled(); }
    void Undo() const { Command(dialog_->UndoAction())->trigger(); }
    void Redo() const { Command(dialog_->RedoAction())->trigger(); }
    bool Marked() const { return Title().endsWith(" (*)"); }

    void ClickArrow(int upDownId, int delta) const {
        QTest::mouseClick(Find<UpDownControl>(upDownId)->findChild<QToolButton*>(
                              delta < 0 ? QStringLiteral("up") : QStringLiteral("down")),
                          Qt::LeftButton);
    }

    // The controls and both grids show `document`.
    void ExpectShown(const Document& document) const {
        const Configuration& shown = document.configuration;
        for (const auto& count : kCountControls) {
            EXPECT_EQ(Text(count.controlId), QString::number(shown.*count.field));
        }
        for (const auto& flag : kSwitchControls) {
            EXPECT_EQ(Checked(flag.controlId), shown.*flag.field != 0) << flag.stepName;
        }
        for (const auto& list : kListControls) {
            EXPECT_EQ(Selected(list.controlId), shown.*list.field) << list.stepName;
        }
        for (const auto& text : kTextControls) {
            EXPECT_EQ(Text(text.controlId).toStdString(), shown.*text.field);
        }
        for (int entry = 0; entry < kBsemsEntries; ++entry) {
            const NameEntry& row = document.bsems[static_cast<std::size_t>(entry)];
            ASSERT_EQ(Bsems()->TextMatrix(entry + 1, 1).toStdString(), row.identifier) << entry;
            ASSERT_EQ(Bsems()->TextMatrix(entry + 1, 2).toStdString(), row.comment) << entry;
        }
    }

    std::string path_ = HeaderPathFor(dir_.File(""));
    Document project_;
};

TEST_F(ConfigDialogEditTest, EveryEditIsOneStepThatUndoAndRedoTakeBackAndForth) {
    EXPECT_FALSE(CanUndo());
    std::vector<Document> states{Doc()};
    const auto step = [&](const char* name) {
        EXPECT_EQ(UndoText(), QString("&Undo ") + name);
        EXPECT_NE(Doc(), states.back()) << name;
        states.push_back(Doc());
    };
    Click(kCsemEnableCheck);
    step("CSEM Enable change");
    Choose(kPlatformList, 1);
    step("Platform change");
    Type(kStimersEdit, "4");
    step("Static timers change");
    ClickArrow(kBsemsUpDown, -1);
    step("Binary semaphores change");
    Type(kProjectNameEdit, "Beta");
    step("Name change");
    Type(kTasksEdit, "9");  // taken by the next window read, here the Undo command's
    Undo();
    EXPECT_EQ(Text(kTasksEdit), "3");
    EXPECT_EQ(dialog_->RedoAction()->text(), "&Redo Tasks change");
    Type(kTasksEdit, "8");
    Click(kDisablePriorityCheck);
    step("Options change");
    DoubleClickCell(Bsems(), 2, 2);
    TypeText("second");
    PressKey(Qt::Key_Return);
    step("Binary semaphores cell change");
    ClickCell(Bsems(), 1, 1);
    PressKey(Qt::Key_Insert);
    step("Binary semaphores Insert");
    PressKey(Qt::Key_Delete);
    step("Binary semaphores Delete");
    EXPECT_EQ(Bsems()->TextMatrix(1, 1), "BS_ONE");
    prompter_.Will(Answer::Yes);
    Click(kRestoreDefaultButton);
    step("Restore default");

    for (std::size_t state = states.size() - 1; state > 0; --state) {
        Undo();
        EXPECT_EQ(Doc(), states[state - 1]) << state;
        ExpectShown(states[state - 1]);
    }
    EXPECT_FALSE(CanUndo());
    EXPECT_FALSE(Marked());
    for (std::size_t state = 1; state < states.size(); ++state) {
        Redo();
        EXPECT_EQ(Doc(), states[state]) << state;
    }
    ExpectShown(states.back());
    EXPECT_FALSE(CanRedo());
    // The control rules and figures follow as well: "Enable all" of the defaults is clear.
    EXPECT_TRUE(Enabled(kCsemEnableCheck));
}

TEST_F(ConfigDialogEditTest, TheCommandsNameTheStepTheyTakeAndTheKeysWorkInEveryControl) {
    EXPECT_FALSE(CanUndo()) << "nothing to take back yet";
    EXPECT_FALSE(CanRedo());
    EXPECT_EQ(UndoText(), "&Undo");
    Choose(kPlatformList, 1);
    Undo();
    EXPECT_EQ(dialog_->RedoAction()->text(), "&Redo Platform change");

    // Typing not yet read is the step Undo takes, and leaves nothing to redo.
    Type(kTasksEdit, "9");
    EXPECT_EQ(UndoText(), "&Undo Tasks change");
    EXPECT_FALSE(CanRedo());
    EXPECT_EQ(Command(dialog_->RedoAction())->text(), "&Redo");
    QTest::keyClick(Find(kTasksEdit), Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(Text(kTasksEdit), "3");
    EXPECT_EQ(Doc().configuration.OS_TASKS, 3);
    QTest::keyClick(Find(kTasksEdit), Qt::Key_Y, Qt::ControlModifier);
    EXPECT_EQ(Text(kTasksEdit), "9");

    // An open cell edit box is named too, and the keys reach the window from it.
    DoubleClickCell(Bsems(), 2, 1);
    EXPECT_EQ(UndoText(), "&Undo Binary semaphores cell change");
    TypeText("SEM");
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(Bsems()->TextMatrix(2, 1), "BS_TWO");
    QTest::keyClick(Find(kProjectNameEdit), Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(Text(kTasksEdit), "3");
    QTest::keyClick(Find(kProjectNameEdit), Qt::Key_Z, Qt::ShiftModifier | Qt::ControlModifier);
    EXPECT_EQ(Text(kTasksEdit), "9");
}

TEST_F(ConfigDialogEditTest, TypingInOneEditIsOneStepUntilTheFocusLeaves) {
    Type(kProjectNameEdit, "Be");
    TypeText("ta");
    EXPECT_EQ(UndoText(), "&Undo Name change");
    Find(kTasksEdit)->setFocus();
    Find(kProjectNameEdit)->setFocus();
    TypeText("s");
    Undo();
    EXPECT_EQ(Text(kProjectNameEdit), "Beta");
    Undo();
    EXPECT_EQ(Text(kProjectNameEdit), "Alpha");
    EXPECT_FALSE(CanUndo());

    // Typing that comes back to where it began leaves no step.
    Find(kProjectNameEdit)->setFocus();
    TypeText("x");
    PressKey(Qt::Key_Backspace);
    EXPECT_FALSE(CanUndo());
    EXPECT_FALSE(Marked());
}

TEST_F(ConfigDialogEditTest, TheMarkGoesWhenUndoReturnsToWhatWasLastReadOrWritten) {
    ClickCell(Bsems(), 1, 1);
    PressKey(Qt::Key_Return);
    PressKey(Qt::Key_Return);  // committed unchanged: still a change of the tables
    EXPECT_TRUE(Marked());
    Undo();
    EXPECT_FALSE(Marked());
    Redo();
    EXPECT_TRUE(Marked());

    prompter_.Will(Answer::Ok);
    Click(kSaveButton);
    EXPECT_FALSE(Marked());
    EXPECT_TRUE(CanUndo()) << "saving keeps the history";
    Undo();
    EXPECT_TRUE(Marked()) << "undone past the save";
    Redo();
    EXPECT_FALSE(Marked());

    // Opening a header starts its history afresh.
    ChooseFromPathList(0);
    EXPECT_FALSE(CanUndo());
    EXPECT_FALSE(CanRedo());
}

TEST_F(ConfigDialogEditTest, UndoStoresAnOpenCellFirstAndStopsAtARefusedCount) {
    ClickCell(Bsems(), 1, 1);
    PressKey(Qt::Key_Return);
    TypeText("BS_NEW");
    Undo();  // from the menu, with the cell's edit box open

    EXPECT_EQ(Bsems()->TextMatrix(1, 1), "BS_ONE");
    Redo();
    EXPECT_EQ(Bsems()->TextMatrix(1, 1), "BS_NEW");

    Type(kTasksEdit, "");
    prompter_.Will(Answer::Ok);
    Undo();
    EXPECT_EQ(prompter_.Last().text, "Please enter an integer.");
    EXPECT_EQ(Bsems()->TextMatrix(1, 1), "BS_NEW");
}

TEST_F(ConfigDialogEditTest, ThePreviewShowsWhatSaveWritesAndFollowsTheDocument) {
    dialog_->HeaderPreviewAction()->trigger();
    HeaderPreview* preview = dialog_->Preview();
    ASSERT_TRUE(preview != nullptr && preview->isVisible());
    EXPECT_TRUE(preview->Changes()->toPlainText().isEmpty()) << "worked out only when seen";
    preview->Tabs()->setCurrentWidget(preview->Changes());
    EXPECT_EQ(preview->Changes()->toPlainText(), "Save would write the file on disk as it is.");

    Type(kProjectNameEdit, "Gamma");
    const std::string shown = preview->HeaderView()->toPlainText().toStdString();
    EXPECT_NE(shown.find("Gamma"), std::string::npos);
    const QString changes = preview->Changes()->toPlainText();
    EXPECT_TRUE(changes.startsWith(QString::fromStdString("--- " + path_ + "\n+++ " + path_)));
    EXPECT_TRUE(changes.contains("\n+") && changes.contains("Gamma"));

    Undo();
    EXPECT_TRUE(preview->HeaderView()->toPlainText().contains("PROJECT NAME: Alpha"));
    Redo();
    EXPECT_EQ(preview->HeaderView()->toPlainText().toStdString(), shown);

    // Old-style names, as the check box chooses, and then exactly the bytes Save writes.
    Click(kOldStyleNamesCheck);
    const std::string oldStyle = preview->HeaderView()->toPlainText().toStdString();
    EXPECT_NE(oldStyle, shown);
    prompter_.Will(Answer::Yes).Will(Answer::Ok);  // the file's style changes
    Click(kSaveButton);
    EXPECT_EQ(ReadBytes(path_), WithCrLf(oldStyle));
    EXPECT_EQ(preview->Changes()->toPlainText(), "Save would write the file on disk as it is.");

    // The last save's changes, from the backup.
    dialog_->CompareWithBackupAction()->trigger();
    const QString sinceBackup = dialog_->BackupComparison()->Changes()->toPlainText();
    EXPECT_TRUE(sinceBackup.startsWith(QString::fromStdString("--- " + BackupPathFor(path_))));
    EXPECT_TRUE(sinceBackup.contains("\n-// PROJECT NAME: Alpha\n+// PROJECT NAME: Gamma\n"));
}

TEST_F(ConfigDialogEditTest, TheSideWindowsOpenOverTheWindowCloseAsWindowsDoAndFollowEachSave) {
    dialog_->move(200, 150);
    dialog_->CompareWithBackupAction()->trigger();
    BackupWindow* backup = dialog_->BackupComparison();
    ASSERT_TRUE(backup != nullptr && backup->isVisible());
    // Over the window's middle, as far as the screen lets it.
    EXPECT_TRUE(backup->frameGeometry().contains(dialog_->frameGeometry().center()));
    EXPECT_TRUE(backup->screen()->availableGeometry().contains(backup->frameGeometry()));
    EXPECT_TRUE(backup->Changes()->toPlainText().startsWith("There is no backup of "));

    Type(kProjectNameEdit, "First");
    prompter_.Will(Answer::Ok);
    Click(kSaveButton);
    EXPECT_TRUE(backup->Changes()->toPlainText().contains("+// PROJECT NAME: First"));
    Type(kProjectNameEdit, "Second");
    prompter_.Will(Answer::Ok);
    Click(kSaveButton);
    EXPECT_TRUE(backup->Changes()->toPlainText().contains(
        "\n-// PROJECT NAME: First\n+// PROJECT NAME: Second\n"))
        << "not the comparison of the save before";

    dialog_->HeaderPreviewAction()->trigger();
    HeaderPreview* preview = dialog_->Preview();
    for (const QKeySequence& key :
         {QKeySequence(Qt::Key_Escape), QKeySequence(Qt::CTRL | Qt::Key_W)}) {
        for (QWidget* window : {static_cast<QWidget*>(preview), static_cast<QWidget*>(backup)}) {
            window->show();
            QApplication::setActiveWindow(window);
            QTest::keySequence(window, key);
            EXPECT_FALSE(window->isVisible()) << key.toString().toStdString();
        }
    }
    dialog_->HeaderPreviewAction()->trigger();
    auto* close = preview->findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Close);
    ASSERT_NE(close, nullptr);
    QTest::mouseClick(close, Qt::LeftButton);
    EXPECT_FALSE(preview->isVisible());
}

TEST_F(ConfigDialogEditTest, ThePreviewShowsTypingNotYetRead) {
    dialog_->HeaderPreviewAction()->trigger();
    Type(kTasksEdit, "12");
    Type(kMsgTypeEdit, "long");
    const QString shown = dialog_->Preview()->HeaderView()->toPlainText();
    EXPECT_TRUE(shown.contains(QRegularExpression("OS_TASKS\\s+12\\b"))) << shown.toStdString();
    EXPECT_TRUE(shown.contains(QRegularExpression("OS_MSG_TYPE\\s+long\\b")));
    EXPECT_EQ(Doc().configuration.OS_TASKS, 3) << "not read yet";
    prompter_.Will(Answer::Ok);
    Click(kSaveButton);
    EXPECT_EQ(ReadBytes(path_), WithCrLf(shown.toStdString()));
}

TEST_F(ConfigDialogEditTest, ThePreviewOfAHeaderNotYetOnDiskIsANewFile) {
    std::filesystem::remove(path_);
    dialog_->HeaderPreviewAction()->trigger();
    dialog_->Preview()->Tabs()->setCurrentIndex(1);
    EXPECT_TRUE(dialog_->Preview()->Changes()->toPlainText().startsWith(
        QString::fromStdString("--- new file\n+++ " + path_ + "\n@@ -0,0 +1,")));
}

TEST_F(ConfigDialogEditTest, SaveAsksBeforeWritingOverAChangeOnDisk) {
    Document theirs = project_;
    theirs.configuration.PROJECT_NAME = "Theirs";
    WriteProject(theirs);
    const std::string theirBytes = ReadBytes(path_);
    Type(kProjectNameEdit, "Mine");

    prompter_.Will(Answer::No);
    Click(kSaveButton);
    EXPECT_EQ(prompter_.Last().text,
              "File " + path_ + " was changed on disk since it was opened. Overwrite it?");
    EXPECT_EQ(prompter_.Last().buttons, Buttons::YesNo);
    EXPECT_EQ(ReadBytes(path_), theirBytes);
    EXPECT_TRUE(Marked());

    prompter_.Will(Answer::Yes).Will(Answer::Ok);
    Click(kSaveButton);
    EXPECT_EQ(prompter_.Last().caption, "OK!");
    EXPECT_FALSE(Marked());
    // What was written is what the window now knows of the file: no question on the next save.
    prompter_.Will(Answer::Ok);
    Click(kSaveButton);
    EXPECT_EQ(prompter_.Last().caption, "OK!");
}

// Another window takes the front, then the main window comes back.
class ConfigDialogDiskTest : public ConfigDialogEditTest {
protected:
    void ComeBack() const {
        QWidget other;
        other.show();
        QApplication::setActiveWindow(&other);
        ShowActive();
        QCoreApplication::processEvents();
    }
};

TEST_F(ConfigDialogDiskTest, ComingBackOffersToReadAChangedFileOncePerChange) {
    ComeBack();  // unchanged: no question, which the prompter would fail

    Document theirs = project_;
    theirs.configuration.PROJECT_NAME = "Theirs";
    WriteProject(theirs);
    prompter_.Will(Answer::No);
    ComeBack();
    EXPECT_EQ(prompter_.Last().text,
              "File " + path_ + " was changed on disk.\nDo you want to read it again?");
    EXPECT_EQ(Text(kProjectNameEdit), "Alpha");
    const std::size_t asked = prompter_.Messages().size();
    ComeBack();
    EXPECT_EQ(prompter_.Messages().size(), asked) << "asked again without a further change";

    theirs.configuration.PROJECT_NAME = "Theirs again";
    WriteProject(theirs);
    Type(kProjectNameEdit, "Mine");
    // Read it again, dropping the change in the window.
    prompter_.Will(Answer::Yes).Will(Answer::No);
    ComeBack();
    EXPECT_EQ(prompter_.Last().caption, "Save changes?");
    EXPECT_EQ(Text(kProjectNameEdit), "Theirs again");
    EXPECT_FALSE(Marked());

    // Asked once per change, whatever came of the answer: here the window stays.
    theirs.configuration.PROJECT_NAME = "Theirs once more";
    WriteProject(theirs);
    Type(kProjectNameEdit, "Mine");
    prompter_.Will(Answer::Yes).Will(Answer::Cancel);
    ComeBack();
    EXPECT_EQ(prompter_.Last().caption, "Save changes?");
    ComeBack();
    EXPECT_EQ(prompter_.Last().caption, "Save changes?") << "not asked again";
    EXPECT_EQ(Text(kProjectNameEdit), "Mine");
}

TEST_F(ConfigDialogDiskTest, AFileThatCanNoLongerBeReadIsToldAndTheValuesStayUnsaved) {
    Type(kProjectNameEdit, "Kept");
    prompter_.Will(Answer::Ok);
    Click(kSaveButton);
    ASSERT_FALSE(Marked());

    std::filesystem::remove(path_);
    prompter_.Will(Answer::Ok);
    ComeBack();
    EXPECT_EQ(prompter_.Last().text, "File " + path_ +
                                         " was deleted.\nThe window keeps its values, which are "
                                         "now the only copy. Save writes it again.");
    EXPECT_EQ(Text(kProjectNameEdit), "Kept");
    EXPECT_TRUE(Marked());
    EXPECT_TRUE(CanUndo());
    ComeBack();  // told once
    prompter_.Will(Answer::Cancel);
    dialog_->close();  // the close box asks before the only copy goes
    EXPECT_EQ(prompter_.Last().caption, "Save changes?");
    EXPECT_TRUE(dialog_->isVisible());

    std::filesystem::create_directory(path_);
    prompter_.Will(Answer::Ok);
    ComeBack();
    EXPECT_NE(prompter_.Last().text.find(" is no longer a regular file"), std::string::npos);
    EXPECT_EQ(Text(kProjectNameEdit), "Kept");
    std::filesystem::remove(path_);

    // Saving writes the file again; then nothing is unsaved.
    prompter_.Will(Answer::Ok);
    Click(kSaveButton);
    EXPECT_EQ(prompter_.Last().caption, "OK!");
    EXPECT_FALSE(Marked());
}

TEST_F(ConfigDialogDiskTest, SaveAsMakesTheNewHeaderTheOneLookedAfter) {
    const std::string other = HeaderPathFor(dir_.File("other"));
    std::filesystem::create_directory(dir_.File("other"));
    Type(kProjectNameEdit, "Moved");
    fileChooser_.Will(other);
    prompter_.Will(Answer::Ok);
    Click(kSaveAsButton);
    EXPECT_EQ(Title().toStdString(), "ZURcfg: \"" + other + "\"");

    Document theirs = project_;
    theirs.configuration.PROJECT_NAME = "Old file changed";
    WriteProject(theirs);
    ComeBack();  // the old file is no longer the document's: no question

    WriteBytes(other, ReadBytes(path_));
    prompter_.Will(Answer::No);
    ComeBack();
    EXPECT_EQ(prompter_.Last().text,
              "File " + other + " was changed on disk.\nDo you want to read it again?");
    Type(kProjectNameEdit, "Mine");
    prompter_.Will(Answer::No);
    Click(kSaveButton);
    EXPECT_EQ(prompter_.Last().text,
              "File " + other + " was changed on disk since it was opened. Overwrite it?");
    EXPECT_EQ(ReadBytes(other), ReadBytes(path_));
}

}  // namespace
}  // namespace zurcfg
