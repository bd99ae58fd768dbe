#include "ui/dialogs/about_dialog.h"

#include <QPushButton>

#include "resources/about_dialog_template.h"
#include "ui/layout/dialog_builder.h"

namespace zurcfg {

AboutDialog::AboutDialog(QWidget* parent) : QDialog(parent) {
    const QHash<int, QWidget*> controls = BuildDialog(this, kAboutDialog, PlatformDialogFonts());
    connect(qobject_cast<QPushButton*>(controls.value(kOkButton)), &QPushButton::clicked, this,
            &QDialog::accept);
}

}  // namespace zurcfg
