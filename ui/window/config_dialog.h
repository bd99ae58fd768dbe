#pragma once

#include <array>
#include <chrono>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>

#include <QDialog>
#include <QHash>

#include "config/document.h"
#include "config/header_writer.h"
#include "config/prompter.h"
#include "settings/app_settings.h"
#include "settings/recovery_files.h"
#include "ui/document/disk_guard.h"
#include "ui/document/edit_commands.h"
#include "ui/layout/dialog_fonts.h"
#include "ui/name_tables/name_table.h"
#include "ui/prompts/file_chooser.h"
#include "ui/prompts/tip_presenter.h"

class QAction;

namespace zurcfg {

class AboutEntry;
class BackupWindow;
class DocumentHistory;
class DropDownChoice;
class HeaderPreview;
class KeyPreFilter;
class MainMenu;
class NameMarkers;
class NameTables;
class UnsavedWorkKeeper;
struct CountArrow;

// What the last window read took from the controls before the record: the check state of
// "Enable all" (0 or 1) and the three counts, checked in this order. A read that stops at a bad
// count leaves the later ones as they were.
struct TransferValues {
    int32_t enableAll = 0;
    int32_t tasks = 0;
    int32_t stimers = 0;
    int32_t bsems = 0;
};

// The program's one window: every option of a ZURcfg.h, the two name tables and the document
// commands. The controls and grids show the document; every edit is read back into it as one
// step of the undo history.
class ConfigDialog : public QDialog, private EditTarget {
    Q_OBJECT

public:
    // Reads the settings file at `settingsPath` and opens the window on its defaults. Messages
    // go through `prompter`, file dialogs through `fileChooser`, the start-up tip through
    // `tipPresenter` (without one, no tip is shown).
    ConfigDialog(std::string settingsPath, Prompter& prompter, FileChooser& fileChooser,
                 TipPresenter* tipPresenter = nullptr, QWidget* parent = nullptr);
    // Writes the settings file.
    ~ConfigDialog() override;

    const Configuration& CurrentConfiguration() const { return document_.configuration; }
    const Document& CurrentDocument() const { return document_; }

    // Opens a header, or the header in a project folder, as a choice in the path box does: after
    // the save-changes question, showing the values it holds.
    void OpenDocument(const std::string& path);

    // The window read: checks the three count edits as integers and, when all are integers,
    // rebuilds the current Configuration from the controls and refreshes the window. False when
    // a count was refused; the user has been told and the edit holds the focus.
    bool ReadWindow();

    // Fills the controls from the current Configuration, which stays as it is.
    void ShowConfiguration();
    // Rebuilds the current Configuration from the controls; nothing while they are being filled.
    void ReadConfiguration();
    // What the controls show now, as the next window read will take it, typing not yet read
    // included.
    Configuration ShownConfiguration() const;
    // Greys the controls whose setting cannot matter, sets the title and the RAM figures.
    void RefreshWindow();

    // Edit and View commands. Run as document commands, each first stores an open cell edit and
    // reads the window; a refused count stops it.
    void OnUndo();
    void OnRedo();
    // Opens the preview of what Save would write, or brings it to the front.
    void OnHeaderPreview();
    void OnCompareWithBackup();
    // Offers to read the document's file again when it changed on disk, or says that it can no
    // longer be read; the window does this whenever it becomes the active window.
    void CheckFileOnDisk();

    // Unsaved work outlives the process. How long after a change it is written by default.
    static constexpr std::chrono::milliseconds kUnsavedWorkDelay{3000};
    // Keeps the document's unsaved changes in a file among `files`, `delay` after a change;
    // without this the window keeps none.
    void KeepUnsavedWork(RecoveryFiles files, std::chrono::milliseconds delay = kUnsavedWorkDelay);
    // Offers, one by one, the unsaved work that windows left behind when they ended without
    // saving it: Yes opens its header with the work as unsaved changes, No discards it.
    void OfferUnsavedWork();
    // Writes the unsaved work now, a cell or text being typed included, without asking anything.
    void KeepUnsavedWorkNow();
    // The session ends, or the program was told to stop: the unsaved work is kept now and no more
    // of it is offered. The caller then ends every event loop, and the window goes as at any end.
    void EndSession();

    // The Edit and View commands with their shortcuts, for the menu bar.
    QAction* UndoAction() const { return undoAction_; }
    QAction* RedoAction() const { return redoAction_; }
    QAction* HeaderPreviewAction() const { return previewAction_; }
    QAction* CompareWithBackupAction() const { return compareAction_; }
    HeaderPreview* Preview() const { return preview_; }
    BackupWindow* BackupComparison() const { return backupWindow_; }

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void changeEvent(QEvent* event) override;
    // Esc and the close box.
    void reject() override;

private:
    void OnInitDialog();
    void AddListItems();
    void RegisterTooltips();
    void ConnectNotifications();
    void FillPathBox();
    void RunStartupTip();
    void OnTipOfTheDay();
    // The menu bar above `body`, where the controls are; its entries run the buttons' handlers.
    void SetUpMenu(QWidget* body);

    // Whether the document differs from what was last read or written.
    bool IsModified() const;
    // Takes the document as what was last read or written.
    void MarkUnmodified();
    // Shows the whole document: controls, both tables, rules, title and figures.
    void ShowDocument();
    // Undo steps.
    Document& EditedDocument() override { return document_; }
    void ShowEdit(const DocumentEdit& edit) override;
    void ConnectEditCommands();
    // Takes text typed but not yet read as a step of its own; false when a count was refused.
    bool ReadPendingEdits();
    // The name of the step that typing not yet read, or an open cell edit box, becomes once a
    // command runs; empty when there is none.
    QString PendingStep() const;
    // Undo and Redo are named for the step they take and enabled when there is one.
    void UpdateUndoCommands();
    void RefreshPreview();
    // Shows what the last save to the header in the path box changed, while its window is open.
    void RefreshBackupComparison();
    bool TransferCount(int editId, int32_t& value);
    void ShowRamFigures();
    // The control's own tooltip, followed by the line saying why it is greyed, if it is.
    void ShowGreyedReason(int controlId, const std::string& reason);
    // Marks each text edit whose text would break the header or not read back as written.
    void MarkTextProblems();
    // The reason joins the edit's tooltip and its description for screen readers, and its
    // background is drawn reddish like a marked name cell. An empty reason takes the mark away.
    void ShowTextProblem(int editId, const std::string& problem);

    void OnOK();
    void OnEnableAll();
    void OnControlChanged();

    // Document lifecycle: opening, saving, the save-changes question and the defaults.
    void ConnectDocumentCommands();
    // Every document command (Save, Save as, a path box choice, Browse, Restore default, Save as
    // default, Exit, Esc, the close box) runs through here, so that an open cell edit box is
    // stored first, as Enter would, and its text is saved or asked about like any other change.
    void RunDocumentCommand(const std::function<void()>& command);
    // The handler as a document command, for a button or a menu entry.
    std::function<void()> DocumentCommand(void (ConfigDialog::*handler)());
    // Puts `path` at the head of the recent paths list and shows it in the path box.
    void AddRecentPath(const std::string& path);
    // The header Save writes to: the one the path box shows; empty for none, which makes Save a
    // "Save as...".
    std::string ShownPath() const;
    // Asks whether to save a changed document before it is dropped. True when the caller may go
    // on: nothing was changed, the user said No, or the header was written.
    bool QuerySaveChanges();
    // The path box shows the document again after the user chose to stay with it.
    void ShowDocumentInPathBox();
    void LoadHeader(const std::string& path);
    // Writes the window's values to `path`; an empty path asks for a file first. True when the
    // header was written.
    bool SaveHeaderFile(std::string path);
    // Writes the document to the header at headerPath: nothing when another save holds the
    // header (said so), or the user chose to keep a change made on disk or the header's name
    // style.
    std::optional<HeaderWriteReport> WriteDocument(const std::string& headerPath);
    // Whether the header at `headerPath` uses the name style Save writes, or the user wants it
    // changed.
    bool KeepsNameStyle(const std::string& headerPath);
    // The save-as flow's file, with the user's leave to replace an existing one.
    std::optional<std::string> ChooseSavePath();
    // Whether the folder of a chosen file exists; the user is told when it does not.
    bool InExistingFolder(const std::string& path);
    // The header the user picks in the file dialog that Browse shows.
    std::optional<std::string> ChooseHeaderToOpen();
    // Shows the default Configuration with empty name tables; the document stays as it is.
    void ApplyDefaults();
    void OnPathSelected();
    void OnBrowse();
    void OnOpen();
    void OnRestoreDefault();
    void OnSave();
    void OnSaveAs();
    void OnOldStyleNames();
    void OnSaveAsDefault();
    void OnCancel();

    // Unsaved work and the backup.
    // Opens the work's header with the work as unsaved changes; false when the user chose to
    // stay with the current document.
    bool RestoreUnsavedWork(const Document& work);
    // Back to the start: no header, the defaults, nothing to undo.
    void CloseHeader();
    // Whether the document's header has a backup beside it.
    bool HasBackup() const;
    void OnRevertToBackup();
    // The option values and name tables of `values` as one undo step named `stepName`; the
    // document's path and its file stay.
    void ReplaceValues(const Document& values, const QString& stepName);

    // Name tables and count arrows.
    void SetUpNameTables();
    void OnTablesModified(NameTable* table, NameTable::Edit edit);
    void OnTableFull(const NameTable& table);
    void OnCountArrow(const CountArrow& arrow, int delta);

    template <typename Widget = QWidget>
    Widget* Control(int id) const {
        return qobject_cast<Widget*>(controls_.value(id));
    }
    int32_t CheckState(int checkBoxId) const;

    Prompter& prompter_;
    FileChooser& fileChooser_;
    TipPresenter* tipPresenter_;

    bool filling_ = false;
    DialogFonts fonts_;
    // What screen readers say before each RAM figure, banks 0 to 3.
    std::array<QString, 4> ramBankCaptions_;
    // The window's controls by id; the window reads and sets them on every change.
    QHash<int, QWidget*> controls_;
    // The tooltips of the template, by control id, without any greyed reason.
    QHash<int, QString> tooltips_;
    Document document_;
    // The document as last read or written.
    Document saved_;
    RecentPaths recentPaths_;
    AppSettings settings_;
    TransferValues transfer_;
    // Released before the grids, so that no grid signal reaches them while the window goes.
    std::unique_ptr<NameTables> nameTables_;
    std::unique_ptr<NameMarkers> nameMarkers_;
    std::unique_ptr<KeyPreFilter> keyPreFilter_;
    std::unique_ptr<DropDownChoice> pathChoice_;
    std::unique_ptr<DocumentHistory> history_;
    std::unique_ptr<UnsavedWorkKeeper> unsavedWork_;
    bool sessionEnding_ = false;
    DiskGuard diskGuard_;
    QAction* undoAction_ = nullptr;
    QAction* redoAction_ = nullptr;
    QAction* previewAction_ = nullptr;
    QAction* compareAction_ = nullptr;
    QAction* revertAction_ = nullptr;
    HeaderPreview* preview_ = nullptr;
    BackupWindow* backupWindow_ = nullptr;
    std::unique_ptr<MainMenu> menu_;
    AboutEntry* aboutEntry_ = nullptr;
};

}  // namespace zurcfg
