// The main window's menu bar. Each entry runs the handler of the button or key that does the same,
// so it asks the same questions; the entries' keys are the program's shortcuts.

#include <QAction>
#include <QApplication>
#include <QKeySequence>
#include <QMenu>
#include <QMenuBar>

#include "resources/main_dialog_template.h"
#include "ui/common/local_text.h"
#include "ui/dialogs/about_entry.h"
#include "ui/name_tables/name_tables.h"
#include "ui/window/config_dialog.h"
#include "ui/window/main_menu.h"

namespace zurcfg {

void ConfigDialog::SetUpMenu(QWidget* body) {
    menu_ = std::make_unique<MainMenu>(this, body);

    QMenu* file = menu_->AddMenu(QStringLiteral("&File"));
    menu_->AddCommand(file,
                      {"&Open...", Qt::CTRL | Qt::Key_O, DocumentCommand(&ConfigDialog::OnOpen)});
    file->addSeparator();
    menu_->AddRecentPaths(file, [this](int position) {
        RunDocumentCommand([this, path = recentPaths_[position]] { OpenDocument(path); });
    });
    file->addSeparator();
    menu_->AddCommand(file,
                      {"&Save", Qt::CTRL | Qt::Key_S, DocumentCommand(&ConfigDialog::OnSave)});
    menu_->AddCommand(file, {"Save &as...", Qt::CTRL | Qt::SHIFT | Qt::Key_S,
                             DocumentCommand(&ConfigDialog::OnSaveAs)});
    file->addSeparator();
    menu_->AddCommand(file,
                      {"Save as &default", {}, DocumentCommand(&ConfigDialog::OnSaveAsDefault)});
    menu_->AddCommand(file,
                      {"&Restore default", {}, DocumentCommand(&ConfigDialog::OnRestoreDefault)});
    revertAction_ = menu_->AddCommand(
        file, {"Revert to &backup", {}, DocumentCommand(&ConfigDialog::OnRevertToBackup)});
    // The entry has no key, so the menu is the way to it: greyed as it opens while the header has
    // no backup.
    connect(file, &QMenu::aboutToShow, revertAction_,
            [this] { revertAction_->setEnabled(HasBackup()); });
    file->addSeparator();
    menu_->AddCommand(file,
                      {"E&xit", Qt::CTRL | Qt::Key_Q, DocumentCommand(&ConfigDialog::OnCancel)});

    // Insert and Delete act on the table the keys would act on, and only where they would act on
    // its rows. The keys stay the tables' own: shown beside the entries, and taking them only
    // while the menu itself has the keyboard. Undo and Redo name the step they take; see
    // ConnectEditCommands.
    QMenu* edit = menu_->AddMenu(QStringLiteral("&Edit"));
    undoAction_ = menu_->AddCommand(
        edit, {"&Undo", QKeySequence::Undo, DocumentCommand(&ConfigDialog::OnUndo)});
    redoAction_ = menu_->AddCommand(edit, {"&Redo", {}, DocumentCommand(&ConfigDialog::OnRedo)});
    redoAction_->setShortcuts({Qt::CTRL | Qt::Key_Y, Qt::CTRL | Qt::SHIFT | Qt::Key_Z});
    edit->addSeparator();
    const auto rowKeysApply = [this] { return nameTables_->TakesRowKeys(); };
    for (const auto& [text, key] :
         {std::pair{"&Insert row", Qt::Key_Insert}, std::pair{"&Delete row", Qt::Key_Delete}}) {
        QAction* row = menu_->AddCommand(
            edit, {text, key, [this, key = key] { nameTables_->HandleKey(key); }, rowKeysApply});
        row->setShortcutContext(Qt::WidgetShortcut);
    }
    // The focus decides; the bar borrowing it while opened from the keyboard changes nothing.
    // Looked at once the handler that moved the focus has finished, as opening or closing an
    // edit box moves it first.
    connect(qApp, &QApplication::focusChanged, this, [this](QWidget*, QWidget* now) {
        if (now != nullptr && now->window() == this && qobject_cast<QMenuBar*>(now) == nullptr) {
            QMetaObject::invokeMethod(
                this,
                [this] {
                    menu_->UpdateCommands();
                    UpdateUndoCommands();  // a cell edit box opened or closed
                },
                Qt::QueuedConnection);
        }
    });

    QMenu* view = menu_->AddMenu(QStringLiteral("&View"));
    previewAction_ = menu_->AddCommand(
        view, {"Header &preview", Qt::Key_F7, DocumentCommand(&ConfigDialog::OnHeaderPreview)});
    compareAction_ = menu_->AddCommand(
        view, {"&Compare with backup", {}, DocumentCommand(&ConfigDialog::OnCompareWithBackup)});

    QMenu* help = menu_->AddMenu(QStringLiteral("&Help"));
    menu_->AddCommand(help, {"&Tip of the day", {}, [this] { OnTipOfTheDay(); }});
    menu_->AddCommand(help, {FromLocal8Bit(kAboutMenuText), QKeySequence::HelpContents,
                             [this] { aboutEntry_->OpenAboutBox(); }});
}

}  // namespace zurcfg
