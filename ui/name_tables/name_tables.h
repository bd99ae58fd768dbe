#pragma once

#include <QObject>

#include "ui/name_tables/name_table.h"

namespace zurcfg {

// The window's two name tables, set up STIMERS first. Leaving a cell of either grid commits every
// open edit box, and keys go to the BSEMS table when both tables want them.
class NameTables : public QObject {
    Q_OBJECT

public:
    NameTables(FlexGrid* stimersGrid, FlexGrid* bsemsGrid, const QFont& editFont,
               QObject* parent = nullptr);

    NameTable& Stimers() { return stimers_; }
    NameTable& Bsems() { return bsems_; }

    // The name-table key rules for a key press (Qt::Key); true when the key is consumed.
    bool HandleKey(int key);
    // True when Insert and Delete would act on a table's rows: its grid has the focus and its
    // edit box is closed.
    bool TakesRowKeys();

    // Stores the text of every open edit box, as Enter would.
    void CommitOpenEdits();
    // The table whose open edit box CommitOpenEdits stores last, the BSEMS table when both are
    // open; null when none is.
    const NameTable* LastOpenEdit() const;

signals:
    // A commit, Insert or Delete in `table`.
    void Modified(zurcfg::NameTable* table, zurcfg::NameTable::Edit edit);
    // Insert was refused in `table`: its last entry holds an identifier.
    void Full(const NameTable& table);

private:
    // The table keys are meant for, the BSEMS table when both want them; null for none.
    NameTable* KeyTable();

    NameTable stimers_;
    NameTable bsems_;
};

}  // namespace zurcfg
