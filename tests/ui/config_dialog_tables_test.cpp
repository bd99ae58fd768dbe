#include <QAbstractItemView>
#include <QComboBox>
#include <QLineEdit>
#include <QScrollBar>
#include <QTest>
#include <QToolButton>
#include <QWheelEvent>

#include <gtest/gtest.h>

#include "resources/control_ids.h"
#include "ui/support/dialog_harness.h"
#include "ui/support/grid_input.h"
#include "ui/widgets/flex_grid.h"
#include "ui/widgets/up_down_control.h"

namespace zurcfg {
namespace {

using testing::ClickCell;
using testing::DoubleClickCell;
using testing::PressKey;
using testing::TypeText;

constexpr char kUnchanged[] = "ZURcfg: nofile";
constexpr char kModified[] = "ZURcfg: nofile (*)";

// The main window on a settings file with two recent paths and the name style chosen, shown
// offscreen and active.
class ConfigDialogTablesTest : public testing::DialogHarness {
protected:
    ConfigDialogTablesTest() {
        OpenWithSettings(
            "[PATHS]\r\npath0=/p/one/ZURcfg.h\r\npath1=/p/two/ZURcfg.h\r\n"
            "[SETUP]\r\nZURVERSION=90200\r\n");
    }

    FlexGrid* Grid(int id) const { return Find<FlexGrid>(id); }

    static bool IsEditing(FlexGrid* grid) {
        QLineEdit* box = grid->findChild<QLineEdit*>();
        return box != nullptr && box->isVisible();
    }

    // -1 is the up arrow, +1 the down arrow.
    void ClickArrow(int upDownId, int delta) const {
        auto* arrow = Find<UpDownControl>(upDownId)->findChild<QToolButton*>(
            delta < 0 ? QStringLiteral("up") : QStringLiteral("down"));
        ASSERT_NE(arrow, nullptr);
        QTest::mouseClick(arrow, Qt::LeftButton);
    }
};

TEST_F(ConfigDialogTablesTest, TheTablesStartEmptyWithTheirFixedRows) {
    EXPECT_EQ(Grid(kStimersGrid)->Rows(), 65);
    EXPECT_EQ(Grid(kBsemsGrid)->Rows(), 201);
    EXPECT_EQ(Grid(kBsemsGrid)->TextMatrix(0, 1), "ID name");
    EXPECT_EQ(Grid(kBsemsGrid)->TextMatrix(200, 0), "199");
    EXPECT_EQ(Title(), kUnchanged);
}

TEST_F(ConfigDialogTablesTest, ACommitMarksTheDocumentEvenWithTheTextUnchanged) {
    ClickCell(Grid(kStimersGrid), 2, 1);
    PressKey(Qt::Key_Return);
    ASSERT_TRUE(IsEditing(Grid(kStimersGrid)));
    EXPECT_EQ(Title(), kUnchanged);
    PressKey(Qt::Key_Return);
    EXPECT_FALSE(IsEditing(Grid(kStimersGrid)));
    EXPECT_EQ(Title(), kModified);
}

TEST_F(ConfigDialogTablesTest, EscapeLeavesTheDocumentUnchanged) {
    DoubleClickCell(Grid(kBsemsGrid), 3, 2);
    TypeText("dropped");
    PressKey(Qt::Key_Escape);
    EXPECT_TRUE(dialog_->isVisible()) << "Esc closed the box, not the window";
    EXPECT_EQ(Grid(kBsemsGrid)->TextMatrix(3, 2), "");
    EXPECT_EQ(Title(), kUnchanged);
}

TEST_F(ConfigDialogTablesTest, MarksFollowTheNamesAndCountsAsTheyChange) {
    FlexGrid* bsems = Grid(kBsemsGrid);
    FlexGrid* stimers = Grid(kStimersGrid);
    const auto store = [](FlexGrid* grid, int row, int col, const QString& text) {
        DoubleClickCell(grid, row, col);
        TypeText(text);
        PressKey(Qt::Key_Return);
    };
    store(bsems, 1, 1, "int");
    EXPECT_EQ(bsems->CellMark(1, 1), "a C keyword");
    EXPECT_EQ(bsems->CellMark(0, 1), "OS_BSEMS = 0, but 1 item(s) defined in ENUM_BSEMS");
    store(stimers, 1, 1, "int");
    EXPECT_EQ(bsems->CellMark(1, 1), "a C keyword\nalso used in STIMERS entry 0");
    store(bsems, 1, 2, "ends */ early");
    EXPECT_EQ(bsems->CellMark(1, 2), "");
    store(bsems, 1, 2, "goes on \\");
    EXPECT_EQ(bsems->CellMark(1, 2),
              "the comment ends in \\ (or ?\?/), which makes the next line part of it");
    store(bsems, 3, 2, "lost");
    EXPECT_EQ(bsems->CellMark(3, 1), "comment without an identifier: the row is not written");
    // The sign tells what would stop the build from what only warns.
    EXPECT_EQ(bsems->CellMarkLevel(1, 1), FlexGrid::MarkLevel::Error);
    EXPECT_EQ(bsems->CellMarkLevel(3, 1), FlexGrid::MarkLevel::Warning);

    // Delete moves the entries up, and the marks with them.
    ClickCell(bsems, 1, 1);
    PressKey(Qt::Key_Delete);
    EXPECT_EQ(bsems->CellMark(1, 1), "");
    EXPECT_EQ(bsems->CellMark(1, 2), "");
    EXPECT_EQ(bsems->CellMark(2, 1), "comment without an identifier: the row is not written");
    EXPECT_EQ(bsems->CellMark(3, 1), "");
    EXPECT_EQ(bsems->CellMark(0, 1), "");
    EXPECT_EQ(stimers->CellMark(1, 1), "a C keyword");

    EXPECT_NE(stimers->CellMark(0, 1), "");
    Type(kStimersEdit, "1");
    EXPECT_EQ(stimers->CellMark(0, 1), "") << "the count now matches the names";

    prompter_.Will(Answer::Yes);
    Click(kRestoreDefaultButton);
    EXPECT_EQ(stimers->CellMark(1, 1), "");
    EXPECT_EQ(bsems->CellMark(2, 1), "");
}

// A name clashes with the macros the header defines in the style chosen; with another style's
// macro it is only worth a mark.
TEST_F(ConfigDialogTablesTest, MarksFollowTheNameStyle) {
    FlexGrid* bsems = Grid(kBsemsGrid);
    Click(kQmsgEnableCheck);
    DoubleClickCell(bsems, 1, 1);
    TypeText("OS_ENABLE_QMSG");
    PressKey(Qt::Key_Return);
    const QString other = "a macro the header defines with other settings or the other name style";
    EXPECT_TRUE(bsems->CellMark(1, 1).contains(other)) << bsems->CellMark(1, 1).toStdString();
    Click(kOldStyleNamesCheck);
    EXPECT_TRUE(bsems->CellMark(1, 1).contains("a macro this header defines"));
    Click(kOldStyleNamesCheck);
    EXPECT_TRUE(bsems->CellMark(1, 1).contains(other));
}

// A message type that would break the header is marked in its edit as it is typed, for the eye
// and for screen readers, until it is mended.
TEST_F(ConfigDialogTablesTest, MessageTypesThatWouldBreakTheHeaderAreMarked) {
    auto* type = Find<QLineEdit>(kMsgTypeEdit);
    const QColor plain = type->palette().color(QPalette::Base);
    Type(kMsgTypeEdit, "char /* pointer");
    const QString reason = "/* or // in it would start a comment in the header";
    EXPECT_TRUE(type->toolTip().endsWith(reason)) << type->toolTip().toStdString();
    EXPECT_EQ(type->accessibleDescription(), reason);
    EXPECT_NE(type->palette().color(QPalette::Base), plain);
    EXPECT_TRUE(Find<QLineEdit>(kSmsgTypeEdit)->accessibleDescription().isEmpty());

    Type(kMsgTypeEdit, "char *");
    Type(kSmsgTypeEdit, "int \\");
    EXPECT_FALSE(type->toolTip().contains(reason));
    EXPECT_TRUE(type->accessibleDescription().isEmpty());
    EXPECT_EQ(type->palette().color(QPalette::Base), plain);
    EXPECT_TRUE(Find<QLineEdit>(kSmsgTypeEdit)->accessibleDescription().contains("at its end"));
}

TEST_F(ConfigDialogTablesTest, AnInsertThatChangesNothingLeavesTheDocumentUnmarked) {
    ClickCell(Grid(kBsemsGrid), 1, 2);
    PressKey(Qt::Key_Insert);
    EXPECT_EQ(Title(), kUnchanged);
}

TEST_F(ConfigDialogTablesTest, TabWhileEditingStaysInTheGridAndNeverReachesTheNumbers) {
    ClickCell(Grid(kBsemsGrid), 4, 1);
    PressKey(Qt::Key_Return);
    TypeText("SEM");
    PressKey(Qt::Key_Tab);
    EXPECT_EQ(Grid(kBsemsGrid)->TextMatrix(4, 1), "SEM");
    EXPECT_EQ(Grid(kBsemsGrid)->Col(), 2);
    EXPECT_TRUE(Grid(kBsemsGrid)->hasFocus());
    PressKey(Qt::Key_Return);
    TypeText("99");
    PressKey(Qt::Key_Return);
    EXPECT_EQ(Grid(kBsemsGrid)->TextMatrix(4, 0), "3");
    EXPECT_EQ(Grid(kBsemsGrid)->TextMatrix(4, 2), "99");
}

TEST_F(ConfigDialogTablesTest, BothTablesOpenKeysGoToBsemsAndLeavingACellCommitsBoth) {
    FlexGrid* stimers = Grid(kStimersGrid);
    FlexGrid* bsems = Grid(kBsemsGrid);
    testing::OpenBothTables(stimers, bsems);
    ASSERT_TRUE(IsEditing(stimers));
    ASSERT_TRUE(IsEditing(bsems));

    PressKey(Qt::Key_Return);
    EXPECT_FALSE(IsEditing(bsems));
    EXPECT_EQ(bsems->TextMatrix(3, 1), "SEM");
    EXPECT_TRUE(IsEditing(stimers));
    EXPECT_EQ(stimers->TextMatrix(2, 1), "") << "the STIMERS text is not stored yet";

    DoubleClickCell(bsems, 3, 1);
    TypeText("SEM2");
    ClickCell(bsems, 8, 2);
    EXPECT_FALSE(IsEditing(stimers));
    EXPECT_FALSE(IsEditing(bsems));
    EXPECT_EQ(stimers->TextMatrix(2, 1), "TMR");
    EXPECT_EQ(bsems->TextMatrix(3, 1), "SEM2");
    EXPECT_EQ(Title(), kModified);
}

TEST_F(ConfigDialogTablesTest, InsertInAFullTableKeepsEveryNameAndSaysSo) {
    FlexGrid* stimers = Grid(kStimersGrid);
    stimers->SetTextMatrix(3, 1, "ST_2");
    stimers->SetTextMatrix(64, 1, "ST_LAST");
    ClickCell(stimers, 3, 1);
    prompter_.Will(Answer::Ok);
    PressKey(Qt::Key_Insert);
    ASSERT_EQ(prompter_.Messages().size(), 1u);
    EXPECT_EQ(prompter_.Last().text,
              "The STIMERS table is full: it holds 64 names.\nDelete a row before inserting one.");
    EXPECT_EQ(stimers->TextMatrix(3, 1), "ST_2");
    EXPECT_EQ(stimers->TextMatrix(64, 1), "ST_LAST");
    EXPECT_EQ(Title(), kUnchanged);

    // With the last row free again, Insert makes room as before.
    stimers->SetTextMatrix(64, 1, "");
    PressKey(Qt::Key_Insert);
    EXPECT_EQ(stimers->TextMatrix(3, 1), "");
    EXPECT_EQ(stimers->TextMatrix(4, 1), "ST_2");
    EXPECT_EQ(Title(), kModified);
}

TEST_F(ConfigDialogTablesTest, TypingInAGridThatIsNotEditingKeepsTheCurrentRow) {
    FlexGrid* bsems = Grid(kBsemsGrid);
    for (const auto& [row, name] : {std::pair{1, "ALPHA"}, {2, "BETA"}, {3, "GAMMA"}}) {
        bsems->SetTextMatrix(row, 1, name);
    }
    ClickCell(bsems, 1, 1);
    TypeText("g");
    TypeText("BE");
    EXPECT_EQ(bsems->RowSel(), 1);
    EXPECT_FALSE(IsEditing(bsems));
    PressKey(Qt::Key_Delete);
    EXPECT_EQ(bsems->TextMatrix(1, 1), "BETA") << "Delete acts on the row the user chose";
    EXPECT_EQ(bsems->TextMatrix(3, 1), "");
}

// The box would otherwise stay over another row and store into the one it was opened on.
TEST_F(ConfigDialogTablesTest, ScrollingTheGridStoresTheOpenEdit) {
    FlexGrid* bsems = Grid(kBsemsGrid);
    DoubleClickCell(bsems, 2, 1);
    TypeText("BY_WHEEL");
    const QPoint over = bsems->viewport()->rect().center();
    QWheelEvent wheel(over, bsems->viewport()->mapToGlobal(over), {}, {0, -120}, Qt::NoButton,
                      Qt::NoModifier, Qt::NoScrollPhase, false);
    QApplication::sendEvent(bsems->viewport(), &wheel);
    EXPECT_GT(bsems->verticalScrollBar()->value(), 0);
    EXPECT_FALSE(IsEditing(bsems));
    EXPECT_EQ(bsems->TextMatrix(2, 1), "BY_WHEEL");
    EXPECT_EQ(Title(), kModified);

    FlexGrid* stimers = Grid(kStimersGrid);
    DoubleClickCell(stimers, 1, 2);
    TypeText("by the bar");
    stimers->verticalScrollBar()->setValue(stimers->verticalScrollBar()->maximum());
    EXPECT_FALSE(IsEditing(stimers));
    EXPECT_EQ(stimers->TextMatrix(1, 2), "by the bar");
}

TEST_F(ConfigDialogTablesTest, OneClickOnAnArrowWithARefusedCountTellsOnce) {
    Type(kTasksEdit, "");
    for (int upDown : {kStimersUpDown, kTasksUpDown}) {
        prompter_.Will(Answer::Ok);
        ClickArrow(upDown, -1);
        EXPECT_EQ(prompter_.Messages().size(), upDown == kStimersUpDown ? 1u : 2u);
        EXPECT_EQ(prompter_.Last().text, "Please enter an integer.");
        EXPECT_TRUE(Find(kTasksEdit)->hasFocus());
    }
    EXPECT_EQ(Text(kStimersEdit), "0");
    EXPECT_EQ(Text(kTasksEdit), "");
}

TEST_F(ConfigDialogTablesTest, TheTaskArrowsKeepAtLeastOneTask) {
    ASSERT_EQ(Text(kTasksEdit), "1");
    ClickArrow(kTasksUpDown, -1);
    EXPECT_EQ(Text(kTasksEdit), "2");
    EXPECT_EQ(Current().OS_TASKS, 2);
    ClickArrow(kTasksUpDown, +1);
    ClickArrow(kTasksUpDown, +1);
    EXPECT_EQ(Text(kTasksEdit), "1");
    EXPECT_EQ(Current().OS_TASKS, 1);
}

TEST_F(ConfigDialogTablesTest, TheArrowsStepTheCountAsShownEvenUnread) {
    // Typing into the task count runs no window read; the arrow's own read takes the text.
    Type(kTasksEdit, "007");
    ClickArrow(kTasksUpDown, -1);
    EXPECT_EQ(Text(kTasksEdit), "8");
    EXPECT_EQ(Current().OS_TASKS, 8);
    EXPECT_EQ(Title(), kModified);
}

TEST_F(ConfigDialogTablesTest, TheCountArrowsStopAtZeroButHaveNoUpperBound) {
    ClickArrow(kBsemsUpDown, +1);
    EXPECT_EQ(Text(kBsemsEdit), "0");
    ClickArrow(kStimersUpDown, +1);
    EXPECT_EQ(Text(kStimersEdit), "0");

    Type(kBsemsEdit, "200");
    ClickArrow(kBsemsUpDown, -1);
    Type(kStimersEdit, "64");
    ClickArrow(kStimersUpDown, -1);
    EXPECT_EQ(Text(kBsemsEdit), "201");
    EXPECT_EQ(Current().OS_BSEMS, 201);
    EXPECT_EQ(Current().OS_STIMERS, 65);
    EXPECT_EQ(Grid(kBsemsGrid)->Rows(), 201) << "counts never change the tables";
    EXPECT_EQ(Grid(kStimersGrid)->Rows(), 65);
}

TEST_F(ConfigDialogTablesTest, UpAndDownInACountEditStepItAsItsArrowsDo) {
    // The task count's text is read by the step itself, as by its arrows.
    Type(kTasksEdit, "007");
    PressKey(Qt::Key_Up);
    EXPECT_EQ(Text(kTasksEdit), "8");
    EXPECT_EQ(Current().OS_TASKS, 8);
    Find(kBsemsEdit)->setFocus();
    PressKey(Qt::Key_Down);
    EXPECT_EQ(Text(kBsemsEdit), "0") << "kept at its minimum";
    PressKey(Qt::Key_Up);
    EXPECT_EQ(Current().OS_BSEMS, 1);
}

TEST_F(ConfigDialogTablesTest, TheUpArrowStopsAtTheLargestCount) {
    Type(kStimersEdit, "2147483647");
    ClickArrow(kStimersUpDown, -1);
    EXPECT_EQ(Text(kStimersEdit), "2147483647");
    EXPECT_EQ(Current().OS_STIMERS, 2147483647);
}

TEST_F(ConfigDialogTablesTest, EnterAndDownOpenTheClosedPathBoxList) {
    auto* pathBox = Find<QComboBox>(kPathBox);
    ASSERT_TRUE(pathBox->hasFocus()) << "the path box has the focus at start";
    for (int key : {int(Qt::Key_Down), int(Qt::Key_Return)}) {
        PressKey(key);
        EXPECT_TRUE(pathBox->view()->isVisible());
        EXPECT_EQ(pathBox->currentIndex(), -1) << "the key does not step the selection";
        pathBox->hidePopup();
        ASSERT_TRUE(pathBox->hasFocus());
    }
    EXPECT_TRUE(dialog_->isVisible());
}

TEST_F(ConfigDialogTablesTest, DownElsewhereLeavesThePathBoxClosed) {
    auto* pathBox = Find<QComboBox>(kPathBox);
    Find(kPlatformList)->setFocus();
    PressKey(Qt::Key_Down);
    EXPECT_FALSE(pathBox->view()->isVisible());
}

}  // namespace
}  // namespace zurcfg
