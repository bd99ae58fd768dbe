#include "ui/name_tables/name_table.h"

#include <QLineEdit>
#include <QScrollBar>

#include <array>

#include "ui/common/local_text.h"
#include "ui/widgets/flex_grid.h"

namespace zurcfg {

namespace {

constexpr int kNumberColumn = 0;
constexpr int kIdentifierColumn = 1;
constexpr int kCommentColumn = 2;
constexpr int kColumns = 3;
constexpr std::array<const char*, kColumns> kHeadings{"N", "ID name", "Comment"};
// Percentages of the width left beside the vertical scroll bar.
constexpr std::array<int, kColumns> kColumnPercent{7, 33, 60};
constexpr int kScrollBarReserve = 20;

}  // namespace

NameTable::NameTable(FlexGrid* grid, const char* name, int entryCount, const QFont& editFont,
                     QObject* parent)
    : QObject(parent),
      grid_(grid),
      name_(name),
      editBox_(new QLineEdit(grid)),
      entryCount_(entryCount) {
    const int width = grid_->contentsRect().width();
    grid_->SetRows(entryCount_ + 1);
    grid_->SetCols(kColumns);
    for (int col = 0; col < kColumns; ++col) {
        grid_->SetTextMatrix(0, col, QString::fromLatin1(kHeadings[col]));
        grid_->SetColWidth(col, (width - kScrollBarReserve) * kColumnPercent[col] / 100);
    }

    editBox_->hide();
    editBox_->setFont(editFont);

    for (int entry = 0; entry < entryCount_; ++entry) {
        grid_->SetTextMatrix(entry + 1, kNumberColumn, QString::number(entry));
    }

    connect(grid_, &FlexGrid::DblClick, this, &NameTable::BeginCellEdit);
    // The box sits over its cell's place, not the cell: once the cells scroll it would store
    // into a row it no longer covers, so scrolling stores it first.
    for (const QScrollBar* bar : {grid_->verticalScrollBar(), grid_->horizontalScrollBar()}) {
        connect(bar, &QScrollBar::valueChanged, this, &NameTable::CommitOpenEdit);
    }
}

NameEntry NameTable::Entry(int entry) const {
    return {ToLocal8Bit(grid_->TextMatrix(entry + 1, kIdentifierColumn)),
            ToLocal8Bit(grid_->TextMatrix(entry + 1, kCommentColumn))};
}

void NameTable::SetEntry(int entry, const NameEntry& value) {
    grid_->SetTextMatrix(entry + 1, kIdentifierColumn, FromLocal8Bit(value.identifier));
    grid_->SetTextMatrix(entry + 1, kCommentColumn, FromLocal8Bit(value.comment));
}

std::vector<NameEntry> NameTable::Entries() const {
    std::vector<NameEntry> entries;
    entries.reserve(entryCount_);
    for (int entry = 0; entry < entryCount_; ++entry) {
        entries.push_back(Entry(entry));
    }
    return entries;
}

bool NameTable::WantsKeys() const {
    return editing_ || grid_->hasFocus();
}

// The entry numbers are the grid's own: never edited.
void NameTable::BeginCellEdit() {
    if (grid_->ColSel() == kNumberColumn) {
        return;
    }
    editCol_ = grid_->ColSel();
    editRow_ = grid_->RowSel();
    // "Binary semaphores table, entry 3, ID name"
    editBox_->setAccessibleName(QObject::tr("%1, entry %2, %3")
                                    .arg(grid_->accessibleName(),
                                         grid_->TextMatrix(editRow_, kNumberColumn),
                                         grid_->TextMatrix(0, editCol_)));
    editBox_->setText(grid_->TextMatrix(editRow_, editCol_));
    editBox_->setGeometry(grid_->CellRect());
    editBox_->show();
    editBox_->raise();
    editBox_->selectAll();
    editBox_->setFocus();
    editing_ = true;
}

void NameTable::EndCellEdit(bool commit) {
    if (commit) {
        grid_->SetTextMatrix(editRow_, editCol_, editBox_->text());
        emit Modified(Edit::Cell);
    }
    grid_->setFocus();
    editBox_->hide();
    editing_ = false;
}

void NameTable::CommitOpenEdit() {
    if (editing_) {
        EndCellEdit(true);
    }
}

bool NameTable::HandleKey(int key) {
    const bool enter = key == Qt::Key_Return || key == Qt::Key_Enter;
    if (editing_) {
        if (enter) {
            EndCellEdit(true);
            return true;
        }
        // The other text column of the row: the entry number is no place to type.
        if (key == Qt::Key_Tab || key == Qt::Key_Backtab) {
            const bool onIdentifier = grid_->ColSel() == kIdentifierColumn;
            EndCellEdit(true);
            grid_->SetCol(onIdentifier ? kCommentColumn : kIdentifierColumn);
            return true;
        }
        if (key == Qt::Key_Escape) {
            EndCellEdit(false);
            return true;
        }
        return false;
    }
    if (enter) {
        BeginCellEdit();
        return true;
    }
    if (key == Qt::Key_Insert || key == Qt::Key_Delete) {
        ChangeRows(key == Qt::Key_Insert ? Edit::Insert : Edit::Delete);
        return true;
    }
    return false;
}

// Insert or Delete that leaves every text as it was is no change of the table.
void NameTable::ChangeRows(Edit edit) {
    if (grid_->ColSel() == kNumberColumn) {
        return;
    }
    const std::vector<NameEntry> before = Entries();
    if (edit == Edit::Insert) {
        InsertEntry();
    } else {
        DeleteEntry();
    }
    if (Entries() != before) {
        emit Modified(edit);
    }
}

// On the identifier column an empty entry is inserted and the entries below move down, unless
// the last entry holds an identifier that would be lost. On any other column nothing changes.
void NameTable::InsertEntry() {
    const int row = grid_->RowSel();
    const int lastRow = grid_->Rows() - 1;
    if (grid_->ColSel() != kIdentifierColumn) {
        return;
    }
    if (!grid_->TextMatrix(lastRow, kIdentifierColumn).isEmpty()) {
        emit Full();
        return;
    }
    for (int from = lastRow - 1; from >= row; --from) {
        CopyRow(from, from + 1);
    }
    EmptyRow(row);
}

// On the identifier column the entry is removed and the entries below move up; on any other
// column only that cell is emptied.
void NameTable::DeleteEntry() {
    const int row = grid_->RowSel();
    const int col = grid_->ColSel();
    const int lastRow = grid_->Rows() - 1;
    if (col == kIdentifierColumn) {
        for (int from = row + 1; from <= lastRow; ++from) {
            CopyRow(from, from - 1);
        }
        EmptyRow(lastRow);
    } else {
        grid_->SetTextMatrix(row, col, QString());
    }
}

void NameTable::CopyRow(int from, int to) {
    grid_->SetTextMatrix(to, kIdentifierColumn, grid_->TextMatrix(from, kIdentifierColumn));
    grid_->SetTextMatrix(to, kCommentColumn, grid_->TextMatrix(from, kCommentColumn));
}

void NameTable::EmptyRow(int row) {
    grid_->SetTextMatrix(row, kIdentifierColumn, QString());
    grid_->SetTextMatrix(row, kCommentColumn, QString());
}

}  // namespace zurcfg
