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

    // Stores the text of every open edit box, as Enter would.
    void CommitOpenEdits();

signals:
    // A commit, Insert or Delete in either table.
    void Modified();
    // Insert was refused in `table`: its last entry holds an identifier.
    void Full(const NameTable& table);

private:
    NameTable stimers_;
    NameTable bsems_;
};

}  // namespace zurcfg
