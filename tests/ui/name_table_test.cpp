#include <QAbstractItemView>
#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QSignalSpy>
#include <QTest>

#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "ui/name_tables/name_tables.h"
#include "ui/support/grid_input.h"
#include "ui/widgets/flex_grid.h"
#include "ui/window/key_pre_filter.h"

namespace zurcfg {
namespace {

using testing::ClickCell;
using testing::DoubleClickCell;
using testing::PressKey;
using testing::TypeText;

std::string Id(int entry) {
    return "ID_" + std::to_string(entry);
}
std::string Comment(int entry) {
    return "comment " + std::to_string(entry);
}

// A window with both tables, the path box and one more control, with the key pre-filter active,
// shown offscreen and active so that focus and keys behave as on screen.
class NameTablesTest : public ::testing::Test {
protected:
    NameTablesTest() {
        window_.resize(520, 460);
        pathBox_ = new QComboBox(&window_);
        pathBox_->setGeometry(10, 5, 400, 22);
        pathBox_->addItems({"first", "second", "third"});
        otherControl_ = new QLineEdit(&window_);
        otherControl_->setGeometry(420, 5, 80, 22);
        stimersGrid_ = new FlexGrid(&window_);
        stimersGrid_->setGeometry(10, 40, 460, 130);
        bsemsGrid_ = new FlexGrid(&window_);
        bsemsGrid_->setGeometry(10, 190, 460, 200);
        tables_ = std::make_unique<NameTables>(stimersGrid_, bsemsGrid_, QFont("Courier New"));
        filter_ = std::make_unique<KeyPreFilter>(&window_, *tables_, pathBox_);
        modified_ = std::make_unique<QSignalSpy>(tables_.get(), &NameTables::Modified);
        window_.show();
        window_.activateWindow();
        EXPECT_TRUE(QTest::qWaitForWindowActive(&window_));
    }

    NameTable& Stimers() { return tables_->Stimers(); }
    NameTable& Bsems() { return tables_->Bsems(); }

    static QLineEdit* EditBox(const NameTable& table) {
        return table.Grid()->findChild<QLineEdit*>();
    }

    static void Fill(NameTable& table) {
        for (int entry = 0; entry < table.EntryCount(); ++entry) {
            table.SetEntry(entry, {Id(entry), Comment(entry)});
        }
    }

    void OpenBothTables() {
        testing::OpenBothTables(stimersGrid_, bsemsGrid_);
        ASSERT_TRUE(Stimers().IsEditing());
        ASSERT_TRUE(Bsems().IsEditing());
    }

    QWidget window_;
    QComboBox* pathBox_;
    QLineEdit* otherControl_;
    FlexGrid* stimersGrid_;
    FlexGrid* bsemsGrid_;
    std::unique_ptr<NameTables> tables_;
    std::unique_ptr<KeyPreFilter> filter_;
    std::unique_ptr<QSignalSpy> modified_;
};

TEST_F(NameTablesTest, StartUpShapesBothGrids) {
    for (NameTable* table : {&Stimers(), &Bsems()}) {
        FlexGrid* grid = table->Grid();
        EXPECT_EQ(grid->Rows(), table->EntryCount() + 1);
        EXPECT_EQ(grid->Cols(), 3);
        EXPECT_EQ(grid->TextMatrix(0, 0), "N");
        EXPECT_EQ(grid->TextMatrix(0, 1), "ID name");
        EXPECT_EQ(grid->TextMatrix(0, 2), "Comment");
        EXPECT_EQ(grid->TextMatrix(1, 0), "0");
        EXPECT_EQ(grid->TextMatrix(table->EntryCount(), 0),
                  QString::number(table->EntryCount() - 1));
        const int usable = grid->contentsRect().width() - 20;
        EXPECT_EQ(grid->ColWidth(0), usable * 7 / 100);
        EXPECT_EQ(grid->ColWidth(1), usable * 33 / 100);
        EXPECT_EQ(grid->ColWidth(2), usable * 60 / 100);
        EXPECT_FALSE(table->IsEditing());
        EXPECT_FALSE(EditBox(*table)->isVisible());
        EXPECT_EQ(grid->RowSel(), 1);
        EXPECT_EQ(grid->ColSel(), 1);
    }
    EXPECT_EQ(Stimers().EntryCount(), 64);
    EXPECT_EQ(Bsems().EntryCount(), 200);
    EXPECT_EQ(Bsems().Entries(), std::vector<NameEntry>(200));
}

TEST_F(NameTablesTest, EntriesRoundTripThroughTheCells) {
    // Texts are bytes of the local 8-bit encoding on both sides.
    const std::string accented = QString::fromUtf8("caf\u00e9 \u00fc").toLocal8Bit().toStdString();
    Bsems().SetEntry(0, {"SEM_0", accented});
    Bsems().SetEntry(199, {"LAST", ""});
    EXPECT_EQ(Bsems().Entry(0), (NameEntry{"SEM_0", accented}));
    EXPECT_EQ(bsemsGrid_->TextMatrix(1, 2), QString::fromUtf8("caf\u00e9 \u00fc"));
    EXPECT_EQ(bsemsGrid_->TextMatrix(200, 1), "LAST");
    EXPECT_EQ(Bsems().Entries()[199], (NameEntry{"LAST", ""}));

    Fill(Stimers());
    for (int entry = 0; entry < 64; ++entry) {
        Stimers().SetEntry(entry, {});
    }
    EXPECT_EQ(Stimers().Entries(), std::vector<NameEntry>(64));
    EXPECT_EQ(stimersGrid_->TextMatrix(64, 0), "63") << "entry numbers stay";
    EXPECT_EQ(modified_->count(), 0) << "filling by program is no user change";
}

TEST_F(NameTablesTest, EnterOpensTheBoxOverTheCellAndEnterCommitsEvenUnchanged) {
    Stimers().SetEntry(2, {"TIMER_2", ""});
    ClickCell(stimersGrid_, 3, 1);
    ASSERT_TRUE(stimersGrid_->hasFocus());

    PressKey(Qt::Key_Return);
    QLineEdit* box = EditBox(Stimers());
    ASSERT_TRUE(Stimers().IsEditing());
    EXPECT_TRUE(box->isVisible());
    EXPECT_TRUE(box->hasFocus());
    EXPECT_EQ(box->text(), "TIMER_2");
    EXPECT_EQ(box->selectedText(), "TIMER_2");
    EXPECT_EQ(box->geometry(), stimersGrid_->CellRect());

    PressKey(Qt::Key_Return);
    EXPECT_FALSE(Stimers().IsEditing());
    EXPECT_FALSE(box->isVisible());
    EXPECT_TRUE(stimersGrid_->hasFocus());
    EXPECT_EQ(Stimers().Entry(2).identifier, "TIMER_2");
    EXPECT_EQ(modified_->count(), 1);
}

TEST_F(NameTablesTest, DoubleClickOpensAndTypedTextIsStored) {
    DoubleClickCell(bsemsGrid_, 6, 2);
    ASSERT_TRUE(Bsems().IsEditing());
    TypeText("free text, any length");
    PressKey(Qt::Key_Enter);
    EXPECT_EQ(Bsems().Entry(5).comment, "free text, any length");
    EXPECT_EQ(modified_->count(), 1);
}

TEST_F(NameTablesTest, EscapeDropsTheText) {
    Stimers().SetEntry(0, {"KEEP", ""});
    ClickCell(stimersGrid_, 1, 1);
    PressKey(Qt::Key_Return);
    TypeText("LOST");
    PressKey(Qt::Key_Escape);
    EXPECT_FALSE(Stimers().IsEditing());
    EXPECT_FALSE(EditBox(Stimers())->isVisible());
    EXPECT_EQ(Stimers().Entry(0).identifier, "KEEP");
    EXPECT_EQ(modified_->count(), 0);
}

TEST_F(NameTablesTest, TabCommitsAndSwitchesBetweenTheTwoTextColumns) {
    ClickCell(bsemsGrid_, 4, 1);
    PressKey(Qt::Key_Return);
    TypeText("SEM_3");
    PressKey(Qt::Key_Tab);
    EXPECT_FALSE(Bsems().IsEditing());
    EXPECT_EQ(Bsems().Entry(3).identifier, "SEM_3");
    EXPECT_EQ(bsemsGrid_->Col(), 2) << "the entry number is no place to type";
    EXPECT_TRUE(bsemsGrid_->hasFocus()) << "Tab does not leave the grid";

    PressKey(Qt::Key_Return);
    TypeText("note");
    PressKey(Qt::Key_Tab);
    EXPECT_EQ(Bsems().Entry(3).comment, "note");
    EXPECT_EQ(bsemsGrid_->Col(), 1);
    EXPECT_EQ(modified_->count(), 2);
}

TEST_F(NameTablesTest, TheEntryNumbersAreNeverEdited) {
    Fill(Bsems());
    ClickCell(bsemsGrid_, 4, 1);
    bsemsGrid_->SetCol(0);
    for (int key : {int(Qt::Key_Return), int(Qt::Key_Delete), int(Qt::Key_Insert)}) {
        PressKey(key);
    }
    EXPECT_FALSE(Bsems().IsEditing());
    EXPECT_EQ(bsemsGrid_->TextMatrix(4, 0), "3");
    EXPECT_EQ(Bsems().Entry(3), (NameEntry{Id(3), Comment(3)}));
    EXPECT_EQ(modified_->count(), 0);
}

TEST_F(NameTablesTest, TabOnAClosedTableMovesTheFocusOn) {
    ClickCell(stimersGrid_, 2, 1);
    PressKey(Qt::Key_Tab);
    EXPECT_FALSE(stimersGrid_->hasFocus());
    EXPECT_EQ(modified_->count(), 0);
}

TEST_F(NameTablesTest, ClickingAnotherCellCommitsTheOpenEdit) {
    ClickCell(stimersGrid_, 5, 1);
    PressKey(Qt::Key_Return);
    TypeText("BY_LEAVING");
    ClickCell(stimersGrid_, 7, 2);
    EXPECT_FALSE(Stimers().IsEditing());
    EXPECT_EQ(Stimers().Entry(4).identifier, "BY_LEAVING");
    EXPECT_EQ(modified_->count(), 1);
}

TEST_F(NameTablesTest, KeysGoToTheOpenEditBoxNotToTheTable) {
    Fill(Stimers());
    ClickCell(stimersGrid_, 2, 1);
    PressKey(Qt::Key_Return);
    QLineEdit* box = EditBox(Stimers());
    PressKey(Qt::Key_Home);
    EXPECT_EQ(box->cursorPosition(), 0);
    PressKey(Qt::Key_Right);
    PressKey(Qt::Key_Delete);
    PressKey(Qt::Key_Insert);
    PressKey(Qt::Key_End);
    PressKey(Qt::Key_Left);
    EXPECT_EQ(box->text(), "I_1");
    EXPECT_EQ(box->cursorPosition(), 2);
    EXPECT_TRUE(Stimers().IsEditing());
    EXPECT_EQ(Stimers().Entry(1), (NameEntry{Id(1), Comment(1)})) << "the table is untouched";
    EXPECT_EQ(Stimers().Entry(2), (NameEntry{Id(2), Comment(2)}));
    EXPECT_EQ(modified_->count(), 0);
}

TEST_F(NameTablesTest, DeleteOnACommentClearsOnlyThatComment) {
    Fill(Bsems());
    ClickCell(bsemsGrid_, 6, 2);
    PressKey(Qt::Key_Delete);
    EXPECT_EQ(Bsems().Entry(5), (NameEntry{Id(5), ""}));
    EXPECT_EQ(Bsems().Entry(6), (NameEntry{Id(6), Comment(6)}));
    EXPECT_EQ(modified_->count(), 1);
}

TEST_F(NameTablesTest, InsertOnACommentChangesNothingAndIsNoEdit) {
    Fill(Bsems());
    const std::vector<NameEntry> before = Bsems().Entries();
    ClickCell(bsemsGrid_, 6, 2);
    PressKey(Qt::Key_Insert);
    EXPECT_EQ(Bsems().Entries(), before);
    EXPECT_EQ(modified_->count(), 0);
}

TEST_F(NameTablesTest, BothTablesOpenTheBsemsTableTakesTheKeys) {
    OpenBothTables();
    PressKey(Qt::Key_Escape);
    EXPECT_FALSE(Bsems().IsEditing());
    EXPECT_TRUE(Stimers().IsEditing());
    EXPECT_EQ(Bsems().Entry(2).identifier, "");
    EXPECT_TRUE(bsemsGrid_->hasFocus());
}

TEST_F(NameTablesTest, LeavingACellOfEitherGridCommitsBothOpenEdits) {
    OpenBothTables();
    ClickCell(stimersGrid_, 9, 1);
    EXPECT_FALSE(Stimers().IsEditing());
    EXPECT_FALSE(Bsems().IsEditing());
    EXPECT_EQ(Stimers().Entry(1).identifier, "TMR");
    EXPECT_EQ(Bsems().Entry(2).identifier, "SEM");
    EXPECT_EQ(modified_->count(), 2);
}

TEST_F(NameTablesTest, KeysElsewhereAreLeftAlone) {
    Fill(Stimers());
    otherControl_->setFocus();
    PressKey(Qt::Key_Delete);
    PressKey(Qt::Key_Return);
    EXPECT_FALSE(Stimers().IsEditing());
    EXPECT_FALSE(Bsems().IsEditing());
    EXPECT_EQ(Stimers().Entry(0), (NameEntry{Id(0), Comment(0)}));
    EXPECT_EQ(modified_->count(), 0);
}

TEST_F(NameTablesTest, EnterAndDownOpenTheClosedPathBoxList) {
    for (int key : {int(Qt::Key_Return), int(Qt::Key_Down)}) {
        pathBox_->setCurrentIndex(0);
        pathBox_->setFocus();
        PressKey(key);
        EXPECT_TRUE(pathBox_->view()->isVisible());
        EXPECT_EQ(pathBox_->currentIndex(), 0) << "the key does not step the selection";
        pathBox_->hidePopup();
    }
}

TEST_F(NameTablesTest, DownOnThePathBoxListMovesThroughTheOpenList) {
    pathBox_->setCurrentIndex(0);
    pathBox_->setFocus();
    PressKey(Qt::Key_Down);
    ASSERT_TRUE(pathBox_->view()->isVisible());
    QTest::keyClick(pathBox_->view(), Qt::Key_Down);
    QTest::keyClick(pathBox_->view(), Qt::Key_Return);
    EXPECT_FALSE(pathBox_->view()->isVisible());
    EXPECT_EQ(pathBox_->currentIndex(), 1);
}

// Insert and Delete on the identifier column, for both table sizes.
class InsertDeleteTest : public NameTablesTest, public ::testing::WithParamInterface<bool> {
protected:
    NameTable& Table() { return GetParam() ? Bsems() : Stimers(); }
    int Last() { return Table().EntryCount() - 1; }

    // Fills every entry but the last, which Insert needs free.
    void PressOnIdentifier(int entry, int key) {
        Fill(Table());
        Table().SetEntry(Last(), {});
        ClickCell(Table().Grid(), entry + 1, 1);
        const int modifiedBefore = modified_->count();
        PressKey(key);
        EXPECT_EQ(modified_->count(), modifiedBefore + 1);
    }
};

TEST_P(InsertDeleteTest, DeleteInTheMiddleMovesTheEntriesBelowUp) {
    PressOnIdentifier(5, Qt::Key_Delete);
    EXPECT_EQ(Table().Entry(4), (NameEntry{Id(4), Comment(4)}));
    for (int entry = 5; entry < Last() - 1; ++entry) {
        ASSERT_EQ(Table().Entry(entry), (NameEntry{Id(entry + 1), Comment(entry + 1)}));
    }
    EXPECT_EQ(Table().Entry(Last() - 1), NameEntry{});
    EXPECT_EQ(Table().Entry(Last()), NameEntry{});
}

TEST_P(InsertDeleteTest, InsertInTheMiddleMovesTheEntriesBelowDownIntoTheFreeLastRow) {
    PressOnIdentifier(5, Qt::Key_Insert);
    EXPECT_EQ(Table().Entry(4), (NameEntry{Id(4), Comment(4)}));
    EXPECT_EQ(Table().Entry(5), NameEntry{});
    for (int entry = 6; entry <= Last(); ++entry) {
        ASSERT_EQ(Table().Entry(entry), (NameEntry{Id(entry - 1), Comment(entry - 1)}));
    }
}

TEST_P(InsertDeleteTest, DeleteOnTheLastRowEmptiesThatRowOnlyAndAnEmptyRowIsNoEdit) {
    Fill(Table());
    ClickCell(Table().Grid(), Last() + 1, 1);
    PressKey(Qt::Key_Delete);
    EXPECT_EQ(Table().Entry(Last()), NameEntry{});
    EXPECT_EQ(Table().Entry(Last() - 1), (NameEntry{Id(Last() - 1), Comment(Last() - 1)}));
    EXPECT_EQ(modified_->count(), 1);
    // The last row is empty now: nothing to move in, nothing to take out.
    PressKey(Qt::Key_Insert);
    PressKey(Qt::Key_Delete);
    EXPECT_EQ(Table().Entry(Last()), NameEntry{});
    EXPECT_EQ(modified_->count(), 1);
}

TEST_P(InsertDeleteTest, InsertInAFullTableChangesNothing) {
    QSignalSpy full(&Table(), &NameTable::Full);
    Fill(Table());
    for (int entry : {5, Last()}) {
        ClickCell(Table().Grid(), entry + 1, 1);
        PressKey(Qt::Key_Insert);
    }
    EXPECT_EQ(full.count(), 2);
    EXPECT_EQ(Table().Entry(5), (NameEntry{Id(5), Comment(5)}));
    EXPECT_EQ(Table().Entry(Last()), (NameEntry{Id(Last()), Comment(Last())}));
    EXPECT_EQ(modified_->count(), 0);
}

INSTANTIATE_TEST_SUITE_P(BothTables, InsertDeleteTest, ::testing::Values(false, true),
                         [](const auto& info) { return info.param ? "Bsems" : "Stimers"; });

}  // namespace
}  // namespace zurcfg
