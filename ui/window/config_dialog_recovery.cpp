// Getting work back in the main window: unsaved work kept while the window runs and offered again
// after a run that ended without saving it, and the values of the header's backup.

#include <filesystem>
#include <system_error>

#include <QAction>
#include <QComboBox>

#include "config/header_messages.h"
#include "config/header_path.h"
#include "config/header_reader.h"
#include "ui/document/document_history.h"
#include "ui/document/unsaved_work.h"
#include "ui/name_tables/name_tables.h"
#include "ui/window/config_dialog.h"

namespace zurcfg {

namespace {

Message UnsavedWorkOffer(const std::string& headerPath) {
    const std::string what = headerPath.empty() ? "changes made before any header was opened"
                                                : "changes to " + headerPath;
    return {"ZURcfg_Tool ended without saving your " + what +
                ".\n\nYes shows them again as unsaved changes, which you can check, undo or "
                "save.\nNo discards them for good.",
            "Unsaved work", Buttons::YesNo, Icon::Question};
}

Message NoBackupMessage(const std::string& headerPath, const HeaderReadResult& backup) {
    if (headerPath.empty()) {
        return {"No header is open, so there is no backup to revert to.", "Info", Buttons::Ok,
                Icon::Information};
    }
    const bool missing = !backup.contents.findings.empty() &&
                         backup.contents.findings.front().kind == ReadFinding::Kind::Missing;
    if (missing) {
        return {"There is no backup of " + headerPath + " to revert to.\nSave keeps the previous " +
                    "header as " + backup.path + " when it replaces it.",
                "Info", Buttons::Ok, Icon::Information};
    }
    return {"The backup " + backup.path +
                " could not be read: it is not a regular file, or you may not read it.\nNothing "
                "was changed.",
            "Error", Buttons::Ok, Icon::Exclamation};
}

}  // namespace

void ConfigDialog::KeepUnsavedWork(RecoveryFiles files, std::chrono::milliseconds delay) {
    unsavedWork_ = std::make_unique<UnsavedWorkKeeper>(
        std::move(files), [this] { return IsModified() ? &document_ : nullptr; }, delay);
}

// A file that holds no record of this program is passed over; it is offered again by no run.
void ConfigDialog::OfferUnsavedWork() {
    if (!unsavedWork_) {
        return;
    }
    for (const std::string& file : unsavedWork_->Files().ClaimLeftBehind()) {
        const std::optional<Document> work = ReadRecoveryFile(file);
        if (!work || sessionEnding_) {
            continue;
        }
        const Answer answer = prompter_.Ask(UnsavedWorkOffer(work->path));
        // A question closed by the end of the session decided nothing; the file waits for the
        // next run, as it does when the user chooses to stay with the current document.
        if (sessionEnding_ || (answer == Answer::Yes && !RestoreUnsavedWork(*work))) {
            continue;
        }
        RemoveRecoveryFile(file);
    }
}

// The work is on disk again, as this run's own, before the file it came from goes.
bool ConfigDialog::RestoreUnsavedWork(const Document& work) {
    if (!QuerySaveChanges()) {
        return false;
    }
    if (work.path.empty()) {
        CloseHeader();
    } else {
        LoadHeader(work.path);
    }
    ReplaceValues(work, tr("Restore unsaved work"));
    unsavedWork_->KeepNow();
    return true;
}

void ConfigDialog::CloseHeader() {
    document_ = Document();
    document_.configuration = settings_.defaultConfiguration;
    history_->Clear();
    MarkUnmodified();
    ShowDocumentInPathBox();
    ShowDocument();
}

// A count typed but not read is taken as it stands: nobody may be there to hear that it is not a
// number.
void ConfigDialog::KeepUnsavedWorkNow() {
    if (!unsavedWork_) {
        return;
    }
    nameTables_->CommitOpenEdits();
    ReadConfiguration();
    unsavedWork_->KeepNow();
}

void ConfigDialog::EndSession() {
    sessionEnding_ = true;
    KeepUnsavedWorkNow();
}

bool ConfigDialog::HasBackup() const {
    std::error_code error;
    return !document_.path.empty() &&
           std::filesystem::is_regular_file(BackupOfHeader(document_.path), error);
}

// Text typed before is a step of its own, so that Undo takes back the backup's values alone.
void ConfigDialog::OnRevertToBackup() {
    if (!ReadPendingEdits()) {
        return;
    }
    const HeaderReadResult backup = document_.path.empty()
                                        ? HeaderReadResult()
                                        : ReadHeaderFileAt(BackupOfHeader(document_.path));
    if (!backup.opened) {
        prompter_.Ask(NoBackupMessage(document_.path, backup));
        return;
    }
    for (const Message& message : ReadMessages(backup)) {
        prompter_.Ask(message);
    }
    Document values;
    values.configuration = backup.contents.configuration;
    values.SetTables(backup.contents.bsems, backup.contents.stimers);
    ReplaceValues(values, tr("Revert to backup"));
}

// Tables that differ count as edited, as a cell change would; equal ones leave the document as
// unchanged as it was.
void ConfigDialog::ReplaceValues(const Document& values, const QString& stepName) {
    const Document before = document_;
    document_.configuration = values.configuration;
    if (document_.bsems != values.bsems || document_.stimers != values.stimers) {
        document_.bsems = values.bsems;
        document_.stimers = values.stimers;
        document_.StampTablesEdit();
    }
    if (document_ == before) {
        return;
    }
    ShowDocument();
    history_->Record(before, document_, stepName);
}

}  // namespace zurcfg
