#include "ui/name_tables/name_tables.h"

#include "ui/widgets/flex_grid.h"

namespace zurcfg {

NameTables::NameTables(FlexGrid* stimersGrid, FlexGrid* bsemsGrid, const QFont& editFont,
                       QObject* parent)
    : QObject(parent),
      stimers_(stimersGrid, "STIMERS", kStimersEntries, editFont),
      bsems_(bsemsGrid, "BSEMS", kBsemsEntries, editFont) {
    for (NameTable* table : {&stimers_, &bsems_}) {
        connect(table->Grid(), &FlexGrid::LeaveCell, this, &NameTables::CommitOpenEdits);
        connect(table, &NameTable::Modified, this, &NameTables::Modified);
        connect(table, &NameTable::Full, this, [this, table] { emit Full(*table); });
    }
}

bool NameTables::HandleKey(int key) {
    if (bsems_.WantsKeys()) {
        return bsems_.HandleKey(key);
    }
    if (stimers_.WantsKeys()) {
        return stimers_.HandleKey(key);
    }
    return false;
}

void NameTables::CommitOpenEdits() {
    stimers_.CommitOpenEdit();
    bsems_.CommitOpenEdit();
}

}  // namespace zurcfg
