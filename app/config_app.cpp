#include "app/config_app.h"

#include <QEventLoop>
#include <QTimer>

#include "settings/app_settings.h"
#include "ui/common/program_icon.h"
#include "ui/dialogs/tips_dialog.h"
#include "ui/prompts/file_dialog_chooser.h"
#include "ui/prompts/message_box_prompter.h"
#include "ui/window/config_dialog.h"

namespace zurcfg {

ConfigApp::ConfigApp(int& argc, char** argv) : QApplication(argc, argv) {
    setWindowIcon(ProgramIcon());
}

bool ConfigApp::InitInstance(const std::string& documentPath) {
    MessageBoxPrompter prompter;
    FileDialogChooser fileChooser;
    TipsDialogPresenter tipPresenter;
    {
        // Constructing the window reads the settings file; destroying it writes the file.
        ConfigDialog dialog(AppSettings::DefaultSettingsPath(), prompter, fileChooser,
                            &tipPresenter);
        prompter.SetOwner(&dialog);
        if (!documentPath.empty()) {
            QTimer::singleShot(0, &dialog,
                               [&dialog, documentPath] { dialog.OpenDocument(documentPath); });
        }
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
