#include "ui/prompts/message_box_prompter.h"

#include <QApplication>
#include <QMessageBox>

#include "ui/common/local_text.h"

namespace zurcfg {

namespace {

QMessageBox::StandardButtons ButtonsOf(Buttons buttons) {
    switch (buttons) {
        case Buttons::Ok:
            return QMessageBox::Ok;
        case Buttons::YesNo:
            return QMessageBox::Yes | QMessageBox::No;
        case Buttons::YesNoCancel:
            return QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel;
    }
    return QMessageBox::Ok;
}

QMessageBox::Icon IconOf(Icon icon) {
    switch (icon) {
        case Icon::Information:
            return QMessageBox::Information;
        case Icon::Exclamation:
            return QMessageBox::Warning;
        case Icon::Question:
            return QMessageBox::Question;
    }
    return QMessageBox::NoIcon;
}

QMessageBox::StandardButton ButtonOf(Answer answer) {
    switch (answer) {
        case Answer::Ok:
            return QMessageBox::Ok;
        case Answer::Yes:
            return QMessageBox::Yes;
        case Answer::No:
            return QMessageBox::No;
        case Answer::Cancel:
            return QMessageBox::Cancel;
    }
    return QMessageBox::NoButton;
}

// Closing a box by Esc or its close box gives the button that stands for "no action".
Answer AnswerOf(int button, Buttons buttons) {
    switch (button) {
        case QMessageBox::Yes:
            return Answer::Yes;
        case QMessageBox::No:
            return Answer::No;
        case QMessageBox::Cancel:
            return Answer::Cancel;
        case QMessageBox::Ok:
            return Answer::Ok;
        default:
            switch (buttons) {
                case Buttons::Ok:
                    return Answer::Ok;
                case Buttons::YesNo:
                    return Answer::No;
                case Buttons::YesNoCancel:
                    return Answer::Cancel;
            }
            return Answer::Cancel;
    }
}

}  // namespace

// A box asked from another box, or from a file dialog, goes over that.
Answer MessageBoxPrompter::Ask(const Message& message) {
    QWidget* owner = QApplication::activeModalWidget();
    if (owner == nullptr) {
        owner = owner_ != nullptr ? owner_ : QApplication::activeWindow();
    }
    QMessageBox box(IconOf(message.icon), FromLocal8Bit(message.caption),
                    FromLocal8Bit(message.text), ButtonsOf(message.buttons), owner);
    if (message.defaultAnswer) {
        box.setDefaultButton(ButtonOf(*message.defaultAnswer));
    }
    return AnswerOf(box.exec(), message.buttons);
}

}  // namespace zurcfg
