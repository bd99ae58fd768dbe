#include "ui/document/document_history.h"

namespace zurcfg {

DocumentHistory::DocumentHistory(EditTarget& target, QObject* parent)
    : QObject(parent), target_(target) {
    connect(&stack_, &QUndoStack::indexChanged, this, &DocumentHistory::Changed);
    connect(&stack_, &QUndoStack::undoTextChanged, this, &DocumentHistory::Changed);
}

void DocumentHistory::Record(const Document& before, const Document& after, const QString& name,
                             int typingControl) {
    stack_.push(
        new EditCommand(target_, DocumentEdit(before, after), name, typingControl, typingRun_));
}

}  // namespace zurcfg
