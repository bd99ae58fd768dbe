#include "ui/layout/control_factory.h"

#include <algorithm>

#include <QCheckBox>
#include <QComboBox>
#include <QFrame>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QStyle>
#include <QValidator>

#include "ui/common/information_sign.h"
#include "ui/common/local_text.h"
#include "ui/common/program_icon.h"
#include "ui/widgets/flex_grid.h"
#include "ui/widgets/up_down_control.h"

namespace zurcfg {

namespace {

QString Caption(const ControlTemplate& control) {
    return FromLocal8Bit(control.caption);
}

QWidget* CreatePushButton(const ControlTemplate& control, QWidget* parent) {
    auto* button = new QPushButton(Caption(control), parent);
    // A dialog presses its default button on Enter, and a focused auto-default one on its own;
    // only a button marked default in the template is either.
    const bool isDefault = (control.style & kDefaultButton) != 0;
    button->setAutoDefault(isDefault);
    button->setDefault(isDefault);
    return button;
}

// Accepts the digits 0 to 9 only, without the cost of a regular expression engine.
class DigitsValidator : public QValidator {
public:
    using QValidator::QValidator;

    State validate(QString& input, int&) const override {
        const bool digitsOnly = std::all_of(input.cbegin(), input.cend(),
                                            [](QChar c) { return c >= u'0' && c <= u'9'; });
        return digitsOnly ? Acceptable : Invalid;
    }
};

QWidget* CreateEdit(const ControlTemplate& control, QWidget* parent) {
    auto* edit = new QLineEdit(parent);
    if ((control.style & kDigitsOnly) != 0) {
        // Keys other than digits are refused; text set by the program is not checked.
        edit->setValidator(new DigitsValidator(edit));
    }
    return edit;
}

QWidget* CreateLabel(const ControlTemplate& control, QWidget* parent) {
    auto* label = new QLabel(Caption(control), parent);
    // Texts start at the top of their box, so that captions of different heights on one row line
    // up with each other.
    label->setAlignment((control.style & kCentred) != 0 ? Qt::AlignCenter
                                                        : Qt::AlignLeft | Qt::AlignTop);
    if ((control.style & kBordered) != 0) {
        label->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    }
    if ((control.style & kWordWrap) != 0) {
        label->setWordWrap(true);
    }
    return label;
}

// Icons are drawn at the platform's large icon size.
QWidget* CreateIcon(const ControlTemplate& control, QWidget* parent) {
    const int size = parent->style()->pixelMetric(QStyle::PM_LargeIconSize);
    auto* label = new QLabel(parent);
    label->setPixmap(control.caption == kProgramIcon
                         ? ProgramIcon().pixmap(size, size)
                         : InformationSign(size, parent->devicePixelRatioF()));
    return label;
}

// The caption sits on the frame line, as dialog templates draw groups: the frame begins half a
// line below the top of the box, not below the caption.
QWidget* CreateGroupBox(const ControlTemplate& control, QWidget* parent) {
    auto* group = new QGroupBox(Caption(control), parent);
    group->setStyleSheet(QStringLiteral(
        "QGroupBox { border: 1px solid palette(mid); border-radius: 2px; margin-top: 0.5em; }"
        "QGroupBox::title { subcontrol-origin: margin; left: 6px; padding: 0 2px; }"));
    return group;
}

}  // namespace

QWidget* CreateControl(const ControlTemplate& control, QWidget* parent) {
    switch (control.kind) {
        case ControlKind::PushButton:
            return CreatePushButton(control, parent);
        case ControlKind::Edit:
            return CreateEdit(control, parent);
        case ControlKind::DropDownList:
            return new QComboBox(parent);
        case ControlKind::CheckBox:
            return new QCheckBox(Caption(control), parent);
        case ControlKind::UpDown:
            return new UpDownControl(parent);
        case ControlKind::Grid:
            return new FlexGrid(parent);
        case ControlKind::Label:
            return CreateLabel(control, parent);
        case ControlKind::GroupBox:
            return CreateGroupBox(control, parent);
        case ControlKind::Icon:
            return CreateIcon(control, parent);
    }
    return nullptr;
}

}  // namespace zurcfg
