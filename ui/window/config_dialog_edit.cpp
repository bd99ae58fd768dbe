// The Edit and View commands of the main window: the undo history of the document, the preview
// of the header Save would write, the comparison with the backup, and the look at the file on
// disk whenever the window comes back to the front.

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QEvent>
#include <QLineEdit>
#include <QTimer>

#include "config/header_changes.h"
#include "config/header_path.h"
#include "resources/control_ids.h"
#include "ui/common/local_text.h"
#include "ui/dialogs/header_preview.h"
#include "ui/document/document_history.h"
#include "ui/name_tables/name_tables.h"
#include "ui/window/config_dialog.h"
#include "ui/window/key_pre_filter.h"
#include "ui/window/option_step.h"

namespace zurcfg {

namespace {

void ShowRows(NameTable& table, const std::vector<NameEntry>& entries,
              const std::vector<DocumentEdit::RowChange>& rows) {
    for (const DocumentEdit::RowChange& change : rows) {
        table.SetEntry(change.row, entries[static_cast<std::size_t>(change.row)]);
    }
}

void ShowAllRows(NameTable& table, const std::vector<NameEntry>& entries) {
    for (int entry = 0; entry < table.EntryCount(); ++entry) {
        table.SetEntry(entry, entries[static_cast<std::size_t>(entry)]);
    }
}

// "Binary semaphores Insert"
QString TableStepName(bool bsems, NameTable::Edit edit) {
    const QString name = bsems ? QObject::tr("Binary semaphores") : QObject::tr("Static timers");
    const QString what = edit == NameTable::Edit::Cell     ? QObject::tr("cell change")
                         : edit == NameTable::Edit::Insert ? QObject::tr("Insert")
                                                           : QObject::tr("Delete");
    return name + ' ' + what;
}

}  // namespace

void ConfigDialog::ConnectEditCommands() {
    connect(history_.get(), &DocumentHistory::Changed, this, &ConfigDialog::UpdateUndoCommands);
    // Text typed in these waits for the next window read; the preview and the commands show
    // what it will be all the same.
    for (int id : {kTasksEdit, kMsgTypeEdit, kSmsgTypeEdit}) {
        connect(Control<QLineEdit>(id), &QLineEdit::textChanged, this, [this] {
            RefreshPreview();
            UpdateUndoCommands();
        });
    }
    UpdateUndoCommands();
    // Typing joins one step until the focus leaves the control typed in.
    connect(qApp, &QApplication::focusChanged, history_.get(), &DocumentHistory::EndTyping);
    // Ctrl+Z and Ctrl+Y take the window's steps in its edits too, not the edits' own.
    keyPreFilter_->KeepShortcuts(undoAction_->shortcuts() + redoAction_->shortcuts());
}

bool ConfigDialog::ReadPendingEdits() {
    history_->EndTyping();
    return ReadWindow();
}

// Undo stores an open cell edit box first, then reads typing pending elsewhere: the step it
// takes back is the last of these.
QString ConfigDialog::PendingStep() const {
    if (!filling_) {
        const Configuration shown = ShownConfiguration();
        if (shown.IsDifferent(document_.configuration)) {
            return FromLocal8Bit(StepFor(document_.configuration, shown).name);
        }
    }
    if (const NameTable* table = nameTables_->LastOpenEdit()) {
        return TableStepName(table == &nameTables_->Bsems(), NameTable::Edit::Cell);
    }
    return {};
}

// A pending step goes on top of the history, where it would leave nothing to redo.
void ConfigDialog::UpdateUndoCommands() {
    const QString pending = PendingStep();
    const QString undo = pending.isEmpty() ? history_->UndoText() : pending;
    const bool canUndo = !pending.isEmpty() || history_->CanUndo();
    const bool canRedo = pending.isEmpty() && history_->CanRedo();
    undoAction_->setText(tr("&Undo %1").arg(canUndo ? undo : QString()).trimmed());
    redoAction_->setText(tr("&Redo %1").arg(canRedo ? history_->RedoText() : QString()).trimmed());
    undoAction_->setEnabled(canUndo);
    redoAction_->setEnabled(canRedo);
}

void ConfigDialog::OnUndo() {
    if (ReadPendingEdits()) {
        history_->Undo();
    }
}

void ConfigDialog::OnRedo() {
    if (ReadPendingEdits()) {
        history_->Redo();
    }
}

// Every committed cell, Insert and Delete is a step and marks the document, even when no text
// changed.
void ConfigDialog::OnTablesModified(NameTable* table, NameTable::Edit edit) {
    const bool bsems = table == &nameTables_->Bsems();
    Document edited = document_;
    (bsems ? edited.bsems : edited.stimers) = table->Entries();
    edited.StampTablesEdit();
    history_->Record(document_, edited, TableStepName(bsems, edit));
    RefreshWindow();
}

void ConfigDialog::ShowEdit(const DocumentEdit& edit) {
    ShowConfiguration();
    ShowRows(nameTables_->Bsems(), document_.bsems, edit.BsemsRows());
    ShowRows(nameTables_->Stimers(), document_.stimers, edit.StimersRows());
    RefreshWindow();
}

void ConfigDialog::ShowDocument() {
    ShowConfiguration();
    ShowAllRows(nameTables_->Bsems(), document_.bsems);
    ShowAllRows(nameTables_->Stimers(), document_.stimers);
    RefreshWindow();
}

void ConfigDialog::OnHeaderPreview() {
    if (!ReadPendingEdits()) {
        return;
    }
    if (preview_ == nullptr) {
        preview_ = new HeaderPreview(this);
    }
    preview_->ShowOverOwner();
    RefreshPreview();
}

// The text Save would write now, typing not yet read included, against the file it would write
// over.
void ConfigDialog::RefreshPreview() {
    if (preview_ == nullptr || !preview_->isVisible()) {
        return;
    }
    Document saved = document_;
    if (!filling_) {
        saved.configuration = ShownConfiguration();
    }
    std::string header = saved.HeaderText(settings_.OldStyleNames());
    const QString shown = FromLocal8Bit(header);
    preview_->ShowTexts(shown, [header = std::move(header), savePath = ShownPath()] {
        return FromLocal8Bit(ChangesToHeader(savePath, header));
    });
}

void ConfigDialog::OnCompareWithBackup() {
    if (backupWindow_ == nullptr) {
        backupWindow_ = new BackupWindow(this);
    }
    backupWindow_->ShowOverOwner();
    RefreshBackupComparison();
}

// What the last save to the header in the path box changed.
void ConfigDialog::RefreshBackupComparison() {
    if (backupWindow_ == nullptr || !backupWindow_->isVisible()) {
        return;
    }
    const std::string savePath = ShownPath();
    const std::string headerPath = savePath.empty() ? std::string() : HeaderPathFor(savePath);
    const std::optional<std::string> changes =
        headerPath.empty() ? std::nullopt : ChangesSinceBackup(headerPath);
    backupWindow_->Changes()->ShowChanges(
        FromLocal8Bit(changes.value_or(std::string())),
        changes ? tr("The header and its backup are the same.")
                : tr("There is no backup of %1 yet: it is made when Save replaces the header.")
                      .arg(FromFileName(headerPath.empty() ? "the header" : headerPath)));
}

void ConfigDialog::changeEvent(QEvent* event) {
    QDialog::changeEvent(event);
    if (event->type() == QEvent::ActivationChange && isActiveWindow()) {
        // After the event that activated the window, and not while one of its boxes is open.
        QTimer::singleShot(0, this, [this] {
            QWidget* modal = QApplication::activeModalWidget();
            if (modal == nullptr || modal == this) {
                CheckFileOnDisk();
                RefreshPreview();  // against the file as it is now
            }
        });
    }
}

// As a choice of the document in the path box: through the save-changes question. A file that
// can no longer be read marks the document instead.
void ConfigDialog::CheckFileOnDisk() {
    const bool wasLost = diskGuard_.FileLost();
    const bool reload = diskGuard_.WantsReload(document_);
    if (diskGuard_.FileLost() != wasLost) {
        RefreshWindow();
    }
    if (reload && QuerySaveChanges()) {
        LoadHeader(document_.path);
    }
}

}  // namespace zurcfg
