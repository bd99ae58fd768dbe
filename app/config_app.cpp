#include "app/config_app.h"

#include <memory>

#include <QEventLoop>
#include <QTimer>

#include "app/answer_script.h"
#include "app/session_end.h"
#include "settings/app_settings.h"
#include "settings/recovery_files.h"
#include "settings/settings_path.h"
#include "ui/common/program_icon.h"
#include "ui/dialogs/tips_dialog.h"
#include "ui/layout/dialog_fonts.h"
#include "ui/prompts/file_dialog_chooser.h"
#include "ui/prompts/message_box_prompter.h"
#include "ui/window/config_dialog.h"

namespace zurcfg {

namespace {

// Unsaved work is written at once, without a question, when the desktop session ends or the
// program is told to stop; after a stop the window goes as at any end.
void KeepWorkAtSessionEnd(ConfigApp& app, ConfigDialog& dialog) {
#if QT_CONFIG(sessionmanager)
    QObject::connect(&app, &QGuiApplication::commitDataRequest, &dialog,
                     [&dialog] { dialog.KeepUnsavedWorkNow(); });
#endif
    // Windows ends the process right after this at the end of the session.
    QObject::connect(&app, &QCoreApplication::aboutToQuit, &dialog,
                     [&dialog] { dialog.KeepUnsavedWorkNow(); });
}

}  // namespace

ConfigApp::ConfigApp(int& argc, char** argv) : QApplication(argc, argv) {
    setWindowIcon(ProgramIcon());
    // Setting the font replaces the platform's fonts for menus and message boxes too, so it is
    // set only where the platform's own face is missing.
    const QFont platformFont = font();
    const QFont shownFont = WithSubstituteFace(platformFont);
    if (shownFont != platformFont) {
        setFont(shownFont);
    }
}

bool ConfigApp::InitInstance(const std::string& documentPath) {
    MessageBoxPrompter messageBoxes;
    const std::unique_ptr<AnswerScript> script = AnswerScript::FromEnvironment();
    Prompter& prompter = script ? static_cast<Prompter&>(*script) : messageBoxes;
    FileDialogChooser fileChooser;
    TipsDialogPresenter tipPresenter;
    {
        // Constructing the window reads the settings file; destroying it writes the file.
        ConfigDialog dialog(AppSettings::DefaultSettingsPath(), prompter, fileChooser,
                            &tipPresenter);
        messageBoxes.SetOwner(&dialog);
        if (const std::string stateFolder = PlatformStateFolder(); !stateFolder.empty()) {
            dialog.KeepUnsavedWork(RecoveryFiles(stateFolder));
        }
        KeepWorkAtSessionEnd(*this, dialog);
        // Every event loop ends, that of a question still open included.
        const SessionEnd sessionEnd([&dialog] {
            dialog.EndSession();
            QCoreApplication::exit(0);
        });
        QTimer::singleShot(0, &dialog, [&dialog, documentPath] {
            dialog.OfferUnsavedWork();
            if (!documentPath.empty()) {
                dialog.OpenDocument(documentPath);
            }
        });
        // Shown, not run modally: a modal window is kept above every other window of the program
        // by window managers, the preview and the backup comparison included.
        QEventLoop running;
        QObject::connect(&dialog, &QDialog::finished, &running, &QEventLoop::quit);
        dialog.show();
        running.exec();
    }
    return false;
}

}  // namespace zurcfg
