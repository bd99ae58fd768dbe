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
        connect(table, &NameTable::Modified, this,
                [this, table](NameTable::Edit edit) { emit Modified(table, edit); });
        connect(table, &NameTable::Full, this, [this, table] { emit Full(*table); });
    }
}

NameTable* NameTables::KeyTable() {
    if (bsems_.WantsKeys()) {
        return &bsems_;
    }
    return stimers_.WantsKeys() ? &stimers_ : nullptr;
}

bool NameTables::HandleKey(int key) {
    NameTable* table = KeyTable();
    return table != nullptr && table->HandleKey(key);
}

bool NameTables::TakesRowKeys() {
    const NameTable* table = KeyTable();
    return table != nullptr && !table->IsEditing();
}

void NameTables::CommitOpenEdits() {
    stimers_.CommitOpenEdit();
    bsems_.CommitOpenEdit();
}

const NameTable* NameTables::LastOpenEdit() const {
    if (bsems_.IsEditing()) {
        return &bsems_;
    }
    return stimers_.IsEditing() ? &stimers_ : nullptr;
}

}  // namespace zurcfg
