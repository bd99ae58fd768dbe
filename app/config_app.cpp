#include "app/config_app.h"

#include "app/file_dialog_chooser.h"
#include "settings/app_settings.h"
#include "ui/config_dialog.h"
#include "ui/message_box_prompter.h"
#include "ui/program_icon.h"
#include "ui/tips_dialog.h"

namespace zurcfg {

ConfigApp::ConfigApp(int& argc, char** argv) : QApplication(argc, argv) {
    setWindowIcon(ProgramIcon());
}

bool ConfigApp::InitInstance() {
    MessageBoxPrompter prompter;
    FileDialogChooser fileChooser;
    TipsDialogPresenter tipPresenter;
    {
        // Constructing the window reads the settings file; destroying it writes the file.
        ConfigDialog dialog(AppSettings::DefaultSettingsPath(), prompter, fileChooser,
                            &tipPresenter);
        dialog.exec();
    }
    return false;
}

}  // namespace zurcfg
