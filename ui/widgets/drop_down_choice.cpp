#include "ui/widgets/drop_down_choice.h"

#include <QAbstractItemView>
#include <QComboBox>
#include <QEvent>
#include <QKeyEvent>
#include <QTimer>

namespace zurcfg {

DropDownChoice::DropDownChoice(QComboBox* list, QObject* parent) : QObject(parent), list_(list) {
    list_->installEventFilter(this);
    // The open list is the pop-up window around the list's view.
    list_->view()->window()->installEventFilter(this);
    connect(list_, &QComboBox::activated, this, &DropDownChoice::OnActivated);
}

// A choice made in the open list is announced just after the list has closed, so the list
// counts as open until the events of the moment have been handled, unless it opened again.
bool DropDownChoice::eventFilter(QObject* watched, QEvent* event) {
    if (watched == list_) {
        return StepsClosedList(*event);
    }
    if (event->type() == QEvent::Show) {
        listOpen_ = true;
        ++openings_;
    } else if (event->type() == QEvent::Hide) {
        QTimer::singleShot(0, this, [this, closedOpening = openings_] {
            if (openings_ == closedOpening) {
                listOpen_ = false;
            }
        });
    }
    return false;
}

// The keys that open the list (Alt+Down, F4, Space) and those that leave it (Tab, Esc, Enter)
// still pass.
bool DropDownChoice::StepsClosedList(const QEvent& event) {
    if (event.type() == QEvent::Wheel) {
        return true;
    }
    if (event.type() != QEvent::KeyPress) {
        return false;
    }
    const auto& key = static_cast<const QKeyEvent&>(event);
    switch (key.key()) {
        case Qt::Key_Down:
            return !key.modifiers().testFlag(Qt::AltModifier);
        case Qt::Key_Up:
        case Qt::Key_PageUp:
        case Qt::Key_PageDown:
        case Qt::Key_Home:
        case Qt::Key_End:
            return true;
        case Qt::Key_Space:
            return false;
        default:
            // A printable letter would search the items for one starting with it.
            return !key.text().isEmpty() && key.text().front().isPrint();
    }
}

void DropDownChoice::OnActivated(int index) {
    if (!listOpen_) {
        return;
    }
    listOpen_ = false;
    emit Chosen(index);
}

}  // namespace zurcfg
