#include "ui/dialogs/tips_dialog.h"

#include <QApplication>
#include <QCheckBox>
#include <QLabel>
#include <QPushButton>

#include "resources/tips_dialog_template.h"
#include "ui/common/local_text.h"
#include "ui/layout/dialog_builder.h"

namespace zurcfg {

TipsDialog::TipsDialog(std::string_view tip, bool dontShowAgain, QWidget* parent)
    : QDialog(parent), dontShowAgain_(dontShowAgain) {
    const QHash<int, QWidget*> controls = BuildDialog(this, kTipsDialog, PlatformDialogFonts());
    auto* text = qobject_cast<QLabel*>(controls.value(kTipText));
    text->setText(FromLocal8Bit(tip));
    FitHeightToText(text);
    dontShowAgainCheck_ = qobject_cast<QCheckBox*>(controls.value(kDontShowAgainCheck));
    dontShowAgainCheck_->setChecked(dontShowAgain);
    dontShowAgainCheck_->setFocus();
    connect(qobject_cast<QPushButton*>(controls.value(kOkButton)), &QPushButton::clicked, this,
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
