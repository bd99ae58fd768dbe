#pragma once

#include <string_view>

#include <QDialog>

#include "ui/prompts/tip_presenter.h"

class QCheckBox;

namespace zurcfg {

// Shows one tip with a "Don't show this message again" box that opens with the focus. OK takes
// the box into the don't-show flag; Esc and the close box leave the flag as it was set.
class TipsDialog : public QDialog {
    Q_OBJECT

public:
    TipsDialog(std::string_view tip, bool dontShowAgain, QWidget* parent = nullptr);

    bool DontShowAgain() const { return dontShowAgain_; }

private:
    void OnOK();

    QCheckBox* dontShowAgainCheck_;
    bool dontShowAgain_;
};

// Shows tips in a modal TipsDialog over the active window.
class TipsDialogPresenter : public TipPresenter {
public:
    bool ShowTip(std::string_view tip, bool dontShowAgain) override;
};

}  // namespace zurcfg
