#include "ui/about_dialog.h"

#include <QPushButton>

#include "resources/about_dialog_template.h"
#include "ui/dialog_builder.h"

namespace zurcfg {

AboutDialog::AboutDialog(QWidget* parent) : QDialog(parent) {
    BuildDialog(this, kAboutDialog, PlatformDialogFonts());
    connect(findChild<QPushButton*>(QString::number(kOkButton)), &QPushButton::clicked, this,
            &QDialog::accept);
}

}  // namespace zurcfg
