#include "ui/tips_dialog.h"

#include <QApplication>
#include <QCheckBox>
#include <QLabel>
#include <QPushButton>

#include "resources/tips_dialog_template.h"
#include "ui/dialog_builder.h"
#include "ui/local_text.h"

namespace zurcfg {

TipsDialog::TipsDialog(std::string_view tip, bool dontShowAgain, QWidget* parent)
    : QDialog(parent), dontShowAgain_(dontShowAgain) {
    BuildDialog(this, kTipsDialog, PlatformDialogFonts());
    findChild<QLabel*>(QString::number(kTipText))->setText(FromLocal8Bit(tip));
    dontShowAgainCheck_ = findChild<QCheckBox*>(QString::number(kDontShowAgainCheck));
    dontShowAgainCheck_->setChecked(dontShowAgain);
    dontShowAgainCheck_->setFocus();
    connect(findChild<QPushButton*>(QString::number(kOkButton)), &QPushButton::clicked, this,
            &TipsDialog::OnOK);
}

void TipsDialog::OnOK() {
    dontShowAgain_ = dontShowAgainCheck_->isChecked();
    accept();
}

bool TipsDialogPresenter::ShowTip(std::string_view tip, bool dontShowAgain) {
    TipsDialog dialog(tip, dontShowAgain, QApplication::activeWindow());
    dialog.exec();
    return dialog.DontShowAgain();
}

}  // namespace zurcfg
