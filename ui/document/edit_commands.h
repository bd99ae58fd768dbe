#pragma once

// The steps of the window's undo history. Each step holds one DocumentEdit and takes the edited
// document, and what shows it, back and forth. Typing in one control is one step: a step made
// while the focus stays in the control it was typed in takes in the next one, and a step whose
// typing came back to where it began drops out of the history.

#include <QString>
#include <QUndoCommand>

#include "config/document_edit.h"

namespace zurcfg {

// What the steps change: the document and its view.
class EditTarget {
public:
    virtual ~EditTarget() = default;
    virtual Document& EditedDocument() = 0;
    // Shows the document again after `edit` was taken back or made again.
    virtual void ShowEdit(const DocumentEdit& edit) = 0;
};

class EditCommand : public QUndoCommand {
public:
    // No typing: the step never takes in another one.
    static constexpr int kNoTyping = -1;

    // The step of `edit`, named `name` ("Tasks change"). Steps with the same `typingControl` and
    // `typingRun` merge.
    EditCommand(EditTarget& target, DocumentEdit edit, const QString& name, int typingControl,
                int typingRun);

    void undo() override;
    // The first time, the view shows the edit already: only the document takes it.
    void redo() override;
    int id() const override { return typingControl_; }
    bool mergeWith(const QUndoCommand* other) override;

private:
    EditTarget& target_;
    DocumentEdit edit_;
    int typingControl_;
    int typingRun_;
    bool shown_ = true;
};

}  // namespace zurcfg
