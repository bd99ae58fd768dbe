#include "config/document_edit.h"

namespace zurcfg {

namespace {

using RowChanges = std::vector<DocumentEdit::RowChange>;

RowChanges ChangedRows(const std::vector<NameEntry>& before, const std::vector<NameEntry>& after) {
    RowChanges rows;
    for (std::size_t row = 0; row < before.size(); ++row) {
        if (before[row] != after[row]) {
            rows.push_back({static_cast<int>(row), before[row], after[row]});
        }
    }
    return rows;
}

void SetRows(std::vector<NameEntry>& table, const RowChanges& rows,
             NameEntry DocumentEdit::RowChange::*side) {
    for (const DocumentEdit::RowChange& change : rows) {
        table[static_cast<std::size_t>(change.row)] = change.*side;
    }
}

}  // namespace

DocumentEdit::DocumentEdit(const Document& before, const Document& after)
    : optionsBefore_(before.configuration),
      optionsAfter_(after.configuration),
      bsemsRows_(ChangedRows(before.bsems, after.bsems)),
      stimersRows_(ChangedRows(before.stimers, after.stimers)),
      tablesEditBefore_(before.tablesEdit),
      tablesEditAfter_(after.tablesEdit) {}

void DocumentEdit::Undo(Document& document) const {
    document.configuration = optionsBefore_;
    SetRows(document.bsems, bsemsRows_, &RowChange::before);
    SetRows(document.stimers, stimersRows_, &RowChange::before);
    document.tablesEdit = tablesEditBefore_;
}

void DocumentEdit::Redo(Document& document) const {
    document.configuration = optionsAfter_;
    SetRows(document.bsems, bsemsRows_, &RowChange::after);
    SetRows(document.stimers, stimersRows_, &RowChange::after);
    document.tablesEdit = tablesEditAfter_;
}

bool DocumentEdit::Absorb(const DocumentEdit& later) {
    if (!ChangesOptionsOnly() || !later.ChangesOptionsOnly()) {
        return false;
    }
    optionsAfter_ = later.optionsAfter_;
    return true;
}

bool DocumentEdit::ChangesOptionsOnly() const {
    return bsemsRows_.empty() && stimersRows_.empty() && tablesEditBefore_ == tablesEditAfter_;
}

}  // namespace zurcfg
