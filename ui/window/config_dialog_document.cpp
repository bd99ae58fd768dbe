// The document lifecycle of the main window: opening a header from the path box or with Browse,
// saving it, the save-changes question, the defaults, and leaving the window.

#include <utility>

#include <QAbstractButton>
#include <QCheckBox>
#include <QComboBox>
#include <QWindow>

#include "config/file_lock.h"
#include "config/header_messages.h"
#include "config/header_path.h"
#include "config/header_reader.h"
#include "config/header_writer.h"
#include "config/name_style.h"
#include "config/regular_file.h"
#include "resources/control_ids.h"
#include "settings/recent_paths.h"
#include "ui/common/local_text.h"
#include "ui/document/document_history.h"
#include "ui/document/unsaved_work.h"
#include "ui/name_tables/name_markers.h"
#include "ui/name_tables/name_tables.h"
#include "ui/widgets/drop_down_choice.h"
#include "ui/widgets/native_window_watch.h"
#include "ui/window/config_dialog.h"
#include "ui/window/file_drop.h"

namespace zurcfg {

namespace {

// Asked before Save changes the spelling of the macros renamed with kernel version 90200.
Message NameStyleQuestion(const std::string& headerPath, bool writesOldNames) {
    const std::string onDisk = writesOldNames ? "new-style" : "old-style";
    const std::string written = writesOldNames ? "old-style" : "new-style";
    const std::string box = writesOldNames ? "is checked" : "is not checked";
    return {"File " + headerPath + " uses the " + onDisk +
                " macro names, but Save will write the " + written +
                " names, as \"Save old style names (<90200)\" " + box +
                ".\nA kernel of version 90200 or later needs the new-style names, an older one "
                "the old-style names: with the other kind the firmware may not build.\n\nSave "
                "with the " +
                written + " names?",
            "Name style", Buttons::YesNo, Icon::Exclamation, Answer::No};
}

}  // namespace

void ConfigDialog::ConnectDocumentCommands() {
    pathChoice_ = std::make_unique<DropDownChoice>(Control<QComboBox>(kPathBox));
    connect(pathChoice_.get(), &DropDownChoice::Chosen, this,
            DocumentCommand(&ConfigDialog::OnPathSelected));
    connect(new FileDrop(this), &FileDrop::Dropped, this, [this](const std::string& path) {
        RunDocumentCommand([this, path] { OpenDocument(path); });
    });
    // A window another program destroyed comes back, in a new native window, to ask about its
    // changes as the close box would.
    connect(new NativeWindowWatch(this), &NativeWindowWatch::Destroyed, this, [this] {
        QWindow* native = windowHandle();
        native->destroy();
        native->setVisible(true);
        reject();
    });
    const std::pair<int, void (ConfigDialog::*)()> buttons[] = {
        {kBrowseButton, &ConfigDialog::OnBrowse},
        {kRestoreDefaultButton, &ConfigDialog::OnRestoreDefault},
        {kSaveButton, &ConfigDialog::OnSave},
        {kSaveAsButton, &ConfigDialog::OnSaveAs},
        {kOldStyleNamesCheck, &ConfigDialog::OnOldStyleNames},
        {kSaveAsDefaultButton, &ConfigDialog::OnSaveAsDefault},
        {kExitButton, &ConfigDialog::OnCancel},
    };
    for (const auto& [id, handler] : buttons) {
        connect(Control<QAbstractButton>(id), &QAbstractButton::clicked, this,
                DocumentCommand(handler));
    }
}

void ConfigDialog::RunDocumentCommand(const std::function<void()>& command) {
    nameTables_->CommitOpenEdits();
    command();
}

std::function<void()> ConfigDialog::DocumentCommand(void (ConfigDialog::*handler)()) {
    return [this, handler] { RunDocumentCommand([this, handler] { (this->*handler)(); }); };
}

// The list is kept a line per path: a path with a line break is shown by no entry.
void ConfigDialog::AddRecentPath(const std::string& path) {
    if (path.find_first_of("\r\n") != std::string::npos) {
        Control<QComboBox>(kPathBox)->setCurrentIndex(-1);
        return;
    }
    AddToRecentPaths(recentPaths_, path);
    settings_.recentPaths = recentPaths_;
    FillPathBox();
    Control<QComboBox>(kPathBox)->setCurrentIndex(0);
}

bool ConfigDialog::QuerySaveChanges() {
    // A count typed since the last read counts as a change too; one that cannot be read keeps
    // the window, so that the typing is neither saved nor silently dropped.
    if (!ReadWindow()) {
        ShowDocumentInPathBox();
        return false;
    }
    if (!IsModified()) {
        return true;
    }
    const Answer answer =
        prompter_.Ask({"File " + document_.path + " was changed.\nDo you want to save changes?",
                       "Save changes?", Buttons::YesNoCancel, Icon::Question});
    if (answer == Answer::No) {
        return true;
    }
    // Changes the user wants kept are dropped only once they are on disk.
    if (answer == Answer::Yes && SaveHeaderFile(document_.path)) {
        return true;
    }
    ShowDocumentInPathBox();
    return false;
}

// The path box may show another entry the user has just picked. Before any header was read there
// is no document to show, and the list keeps its entries.
void ConfigDialog::ShowDocumentInPathBox() {
    if (document_.path.empty()) {
        Control<QComboBox>(kPathBox)->setCurrentIndex(-1);
    } else {
        AddRecentPath(document_.path);
    }
}

// A file that cannot be read still becomes the document, with empty values. The history of the
// document before starts afresh.
void ConfigDialog::LoadHeader(const std::string& path) {
    const HeaderReadResult read = ReadHeader(path, prompter_);
    document_.configuration = read.contents.configuration;
    document_.SetTables(read.contents.bsems, read.contents.stimers);
    document_.path = read.path;
    document_.lineEnding = read.contents.lineEnding;
    document_.onDisk = TakeFingerprint(read.path);
    diskGuard_.Reset();
    AddRecentPath(read.path);
    history_->Clear();
    MarkUnmodified();
    ShowDocument();
}

// A refused count stops the save before anything is asked or written, and so do names the user
// chose to mend, before any file is chosen. A header written becomes the document.
bool ConfigDialog::SaveHeaderFile(std::string path) {
    if (!ReadWindow() || !nameMarkers_->ConfirmSave(prompter_)) {
        return false;
    }
    if (path.empty()) {
        std::optional<std::string> chosen = ChooseSavePath();
        if (!chosen) {
            return false;
        }
        path = std::move(*chosen);
        AddRecentPath(path);
    }
    const std::optional<HeaderWriteReport> report = WriteDocument(HeaderPathFor(path));
    if (!report) {
        return false;
    }
    prompter_.Ask(WriteMessage(*report));
    if (!report->Written()) {
        return false;
    }
    MarkUnmodified();
    ShowConfiguration();
    RefreshWindow();
    RefreshBackupComparison();
    return true;
}

// The header's lock is taken before the look at the file on disk and let go before the report is
// shown, so that no other save comes in between and none waits on the user's reading.
std::optional<HeaderWriteReport> ConfigDialog::WriteDocument(const std::string& headerPath) {
    const FileLock lock(headerPath);
    if (!lock.Held()) {
        prompter_.Ask(BusyMessage(headerPath));
        return std::nullopt;
    }
    // Nothing can be written over a folder, pipe or device, so no question is asked about it.
    if (RegularFile(headerPath).OpenStatus() == RegularFile::Status::NotRegular) {
        HeaderWriteReport refused;
        refused.path = headerPath;
        refused.outcome = HeaderWriteReport::Outcome::NotRegularFile;
        return refused;
    }
    if (!diskGuard_.MayOverwrite(document_, headerPath) || !KeepsNameStyle(headerPath)) {
        return std::nullopt;
    }
    WriteOptions options;
    options.heldLock = &lock;
    options.lineEnding = document_.lineEnding;
    HeaderWriteReport report =
        WriteHeaderFile(headerPath, document_.configuration, document_.bsems, document_.stimers,
                        settings_.OldStyleNames(), options);
    if (report.Written()) {
        // The header written is the document from now on, wherever it was read from, so that
        // the guard looks after the file the next Save writes.
        document_.path = headerPath;
        document_.onDisk = TakeFingerprint(headerPath);
        diskGuard_.Reset();
    }
    return report;
}

// A header that spells the renamed macros the other way is rewritten in the chosen style only when
// the user says so.
bool ConfigDialog::KeepsNameStyle(const std::string& headerPath) {
    const bool oldNames = settings_.OldStyleNames();
    const NameStyle onDisk = NameStyleOfFile(headerPath);
    if (onDisk == NameStyle::Neither || (onDisk == NameStyle::Old) == oldNames) {
        return true;
    }
    return prompter_.Ask(NameStyleQuestion(headerPath, oldNames)) == Answer::Yes;
}

std::optional<std::string> ConfigDialog::ChooseSavePath() {
    FileRequest request;
    request.purpose = FileRequest::Purpose::Save;
    std::optional<std::string> path = fileChooser_.Choose(request);
    if (path && !InExistingFolder(*path)) {
        return std::nullopt;
    }
    if (path && CanOpenForUpdate(*path) &&
        prompter_.Ask({"File already exists. Do you want to overwrite it?", "Info",
                       Buttons::YesNoCancel, Icon::Question}) != Answer::Yes) {
        return std::nullopt;
    }
    return path;
}

// The file dialogs ask for an existing folder; this holds when a dialog lets one through.
bool ConfigDialog::InExistingFolder(const std::string& path) {
    if (const std::optional<Message> missing = MissingFolderMessage(path)) {
        prompter_.Ask(*missing);
        return false;
    }
    return true;
}

void ConfigDialog::ApplyDefaults() {
    document_.ClearTables();
    document_.configuration = settings_.defaultConfiguration;
    ShowDocument();
}

void ConfigDialog::OpenDocument(const std::string& path) {
    if (QuerySaveChanges()) {
        LoadHeader(path);
    }
}

void ConfigDialog::OnPathSelected() {
    const int index = Control<QComboBox>(kPathBox)->currentIndex();
    if (index >= 0) {
        OpenDocument(recentPaths_[static_cast<std::size_t>(index)]);
    }
}

std::optional<std::string> ConfigDialog::ChooseHeaderToOpen() {
    FileRequest request;
    request.initialFolder = ShownPath();
    std::optional<std::string> path = fileChooser_.Choose(request);
    if (path && !InExistingFolder(*path)) {
        return std::nullopt;
    }
    return path;
}

// The chosen file becomes the document, but the window starts it from the defaults; the file is
// left as it is until the user saves.
void ConfigDialog::OnBrowse() {
    const std::optional<std::string> path = ChooseHeaderToOpen();
    if (path && QuerySaveChanges()) {
        LoadHeader(*path);
        ApplyDefaults();
    }
}

// The menu's Open... picks a file as Browse does, then shows what it holds, as the path box does.
void ConfigDialog::OnOpen() {
    if (const std::optional<std::string> path = ChooseHeaderToOpen()) {
        OpenDocument(*path);
    }
}

void ConfigDialog::OnRestoreDefault() {
    if (prompter_.Ask({"This operation is undoable. Are you sure you want to restore default "
                       "configuration?",
                       "Warning", Buttons::YesNo, Icon::Question}) == Answer::Yes) {
        const Document before = document_;
        ApplyDefaults();
        history_->Record(before, document_, tr("Restore default"));
    }
}

// An empty path box makes this a "Save as...".
void ConfigDialog::OnSave() {
    SaveHeaderFile(ShownPath());
}

// The path box's items are the recent paths in order; the document is shown by none when the
// list cannot hold its path.
std::string ConfigDialog::ShownPath() const {
    const int index = Control<QComboBox>(kPathBox)->currentIndex();
    if (index >= 0) {
        return recentPaths_[static_cast<std::size_t>(index)];
    }
    return document_.path.find_first_of("\r\n") != std::string::npos ? document_.path
                                                                     : std::string();
}

void ConfigDialog::OnSaveAs() {
    SaveHeaderFile({});
}

// The style takes effect at the next save and is kept in the settings file.
void ConfigDialog::OnOldStyleNames() {
    ReadWindow();
    settings_.ZURVERSION = Control<QCheckBox>(kOldStyleNamesCheck)->isChecked()
                               ? AppSettings::kOldStyleNamesVersion
                               : AppSettings::kNewStyleNamesVersion;
    // The style decides which macros the header defines, which the names must not clash with.
    RefreshWindow();
}

// The document itself is not touched: only the defaults of new projects change. They hold for
// the rest of the run even when the file could not take them.
void ConfigDialog::OnSaveAsDefault() {
    ReadConfiguration();
    settings_.defaultConfiguration = document_.configuration;
    if (!settings_.SaveSettings()) {
        prompter_.Ask({"The defaults could not be saved: the settings file " +
                           settings_.SettingsPath() +
                           " could not be written.\nCheck that you may write it and its folder "
                           "and that the disk has room, then save them again. Until then they "
                           "apply only until ZURcfg_Tool ends.",
                       "Error", Buttons::Ok, Icon::Exclamation});
    }
}

// Exit, Esc and the close box. The user has said what becomes of unsaved work, so none is kept.
void ConfigDialog::OnCancel() {
    if (QuerySaveChanges()) {
        if (unsavedWork_) {
            unsavedWork_->Discard();
        }
        QDialog::reject();
    }
}

}  // namespace zurcfg
