#pragma once

#include <QObject>

#include <vector>

#include "config/configuration.h"

class QFont;
class QLineEdit;

namespace zurcfg {

class FlexGrid;

// One name table (binary semaphores or static timers) shown in its grid: entry r lives in grid
// row r + 1, its identifier in column 1 and its comment in column 2; the cells are the only store
// of the entries. Cells are edited in place in an overlay edit box, and Insert and Delete move
// whole entries. The entry numbers in column 0 are never edited.
class NameTable : public QObject {
    Q_OBJECT

public:
    // What changed the table.
    enum class Edit { Cell, Insert, Delete };

    // Sets `grid` up for `entryCount` entries: rows, headings, column widths, entry numbers and
    // the hidden edit box in `editFont`. The grid must have its final width already. `name` names
    // the table to the user ("BSEMS").
    NameTable(FlexGrid* grid, const char* name, int entryCount, const QFont& editFont,
              QObject* parent = nullptr);

    FlexGrid* Grid() const { return grid_; }
    const char* Name() const { return name_; }
    int EntryCount() const { return entryCount_; }

    NameEntry Entry(int entry) const;
    void SetEntry(int entry, const NameEntry& value);
    std::vector<NameEntry> Entries() const;

    // True while the edit box is open.
    bool IsEditing() const { return editing_; }
    // True when keys are meant for this table: its edit box is open or its grid has the focus.
    bool WantsKeys() const;

    // Opens the edit box over the cell the selection ends in, unless that is an entry number.
    void BeginCellEdit();
    // Closes the edit box; with `commit` its text goes into the cell and Modified is sent, even
    // when the text is unchanged.
    void EndCellEdit(bool commit);
    // Stores the open edit box's text as Enter would; nothing when the box is closed.
    void CommitOpenEdit();

    // Applies the table's key rules to a key press (Qt::Key); true when the key is consumed.
    // Keys that are not consumed go on to the focused widget, normally the open edit box.
    bool HandleKey(int key);

signals:
    // A commit changed or touched the table, or an Insert or Delete changed it.
    void Modified(zurcfg::NameTable::Edit edit);
    // Insert was refused because the last entry holds an identifier that it would push out.
    void Full();

private:
    void ChangeRows(Edit edit);
    void InsertEntry();
    void DeleteEntry();
    void CopyRow(int from, int to);
    void EmptyRow(int row);

    FlexGrid* grid_;
    const char* name_;
    QLineEdit* editBox_;
    int entryCount_;
    bool editing_ = false;
    int editRow_ = 0;
    int editCol_ = 0;
};

}  // namespace zurcfg
