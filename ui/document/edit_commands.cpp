#include "ui/document/edit_commands.h"

#include <utility>

namespace zurcfg {

EditCommand::EditCommand(EditTarget& target, DocumentEdit edit, const QString& name,
                         int typingControl, int typingRun)
    : QUndoCommand(name),
      target_(target),
      edit_(std::move(edit)),
      typingControl_(typingControl),
      typingRun_(typingRun) {}

void EditCommand::undo() {
    edit_.Undo(target_.EditedDocument());
    target_.ShowEdit(edit_);
    shown_ = false;
}

void EditCommand::redo() {
    edit_.Redo(target_.EditedDocument());
    if (!shown_) {
        target_.ShowEdit(edit_);
    }
}

bool EditCommand::mergeWith(const QUndoCommand* other) {
    const auto* later = static_cast<const EditCommand*>(other);
    if (later->typingRun_ != typingRun_ || !edit_.Absorb(later->edit_)) {
        return false;
    }
    // Typing that came back to its start leaves nothing to take back.
    setObsolete(!edit_.OptionsBefore().IsDifferent(edit_.OptionsAfter()));
    return true;
}

}  // namespace zurcfg
