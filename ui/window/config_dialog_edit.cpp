// The Edit and View commands of the main window: the undo history of the document, the preview
// of the header Save would write, the comparison with the backup, and the look at the file on
// disk whenever the window comes back to the front.

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QEvent>
#include <QTimer>

#include "config/header_changes.h"
#include "config/header_path.h"
#include "resources/control_ids.h"
#include "ui/common/local_text.h"
#include "ui/dialogs/header_preview.h"
#include "ui/document/document_history.h"
#include "ui/name_tables/name_tables.h"
#include "ui/window/config_dialog.h"

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

}  // namespace

void ConfigDialog::ConnectEditCommands() {
    // The commands stay enabled with no step to take: an open cell edit box or text typed but
    // not yet read becomes one when they run.
    const auto followHistory = [this] {
        undoAction_->setText(tr("&Undo %1").arg(history_->UndoText()).trimmed());
        redoAction_->setText(tr("&Redo %1").arg(history_->RedoText()).trimmed());
    };
    connect(history_.get(), &DocumentHistory::Changed, this, followHistory);
    followHistory();
    // Typing joins one step until the focus leaves the control typed in.
    connect(qApp, &QApplication::focusChanged, history_.get(), &DocumentHistory::EndTyping);
}

bool ConfigDialog::ReadPendingEdits() {
    history_->EndTyping();
    return ReadWindow();
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
    const QString name = bsems ? tr("Binary semaphores") : tr("Static timers");
    const QString what = edit == NameTable::Edit::Cell     ? tr("cell change")
                         : edit == NameTable::Edit::Insert ? tr("Insert")
                                                           : tr("Delete");
    history_->Record(document_, edited, name + ' ' + what);
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
    preview_->show();
    preview_->raise();
    RefreshPreview();
}

// The text Save would write now, against the file it would write over.
void ConfigDialog::RefreshPreview() {
    if (preview_ == nullptr || !preview_->isVisible()) {
        return;
    }
    std::string header = document_.HeaderText(settings_.OldStyleNames());
    const QString shown = FromLocal8Bit(header);
    preview_->ShowTexts(shown,
                        [header = std::move(header),
                         savePath = ToLocal8Bit(Control<QComboBox>(kPathBox)->currentText())] {
                            return FromLocal8Bit(ChangesToHeader(savePath, header));
                        });
}

// What the last save to the header in the path box changed.
void ConfigDialog::OnCompareWithBackup() {
    if (backupView_ == nullptr) {
        backupView_ = new ChangesView(this);
        backupView_->setWindowFlag(Qt::Window);
        backupView_->setWindowTitle(tr("Compare with backup"));
        backupView_->resize(760, 560);
    }
    const std::string savePath = ToLocal8Bit(Control<QComboBox>(kPathBox)->currentText());
    const std::string headerPath = savePath.empty() ? std::string() : HeaderPathFor(savePath);
    const std::optional<std::string> changes =
        headerPath.empty() ? std::nullopt : ChangesSinceBackup(headerPath);
    backupView_->ShowChanges(
        FromLocal8Bit(changes.value_or(std::string())),
        changes ? tr("The header and its backup are the same.")
                : tr("There is no backup of %1 yet: it is made when Save replaces the header.")
                      .arg(FromLocal8Bit(headerPath.empty() ? "the header" : headerPath)));
    backupView_->show();
    backupView_->raise();
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
