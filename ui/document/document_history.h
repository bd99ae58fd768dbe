#pragma once

// The undo history of the window's document on Qt's undo stack: records each edit as one step
// named for what it changed, merges typing in one control until the focus leaves it, and offers
// the names of the steps that Undo and Redo would take.

#include <QObject>
#include <QString>
#include <QUndoStack>

#include "ui/document/edit_commands.h"

namespace zurcfg {

class DocumentHistory : public QObject {
    Q_OBJECT

public:
    DocumentHistory(EditTarget& target, QObject* parent = nullptr);

    // Records the edit from `before` to `after` as the next step, which the target's document
    // then holds. Typing in `typingControl` joins the step before while the typing goes on.
    void Record(const Document& before, const Document& after, const QString& name,
                int typingControl = EditCommand::kNoTyping);
    // The typing goes no further: the next edit is a step of its own.
    void EndTyping() { ++typingRun_; }
    // Forgets every step.
    void Clear() { stack_.clear(); }

    void Undo() { stack_.undo(); }
    void Redo() { stack_.redo(); }
    bool CanUndo() const { return stack_.canUndo(); }
    bool CanRedo() const { return stack_.canRedo(); }
    QString UndoText() const { return stack_.undoText(); }
    QString RedoText() const { return stack_.redoText(); }

signals:
    // A step was recorded, taken back or made again, or the history was cleared.
    void Changed();

private:
    EditTarget& target_;
    QUndoStack stack_;
    int typingRun_ = 0;
};

}  // namespace zurcfg
