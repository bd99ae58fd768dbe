#include "ui/widgets/drop_down_choice.h"

#include <QAbstractItemView>
#include <QComboBox>
#include <QEvent>
#include <QTimer>

namespace zurcfg {

DropDownChoice::DropDownChoice(QComboBox* list, QObject* parent) : QObject(parent) {
    // The open list is the pop-up window around the list's view.
    list->view()->window()->installEventFilter(this);
    connect(list, &QComboBox::activated, this, &DropDownChoice::OnActivated);
}

// A choice made in the open list is announced just after the list has closed, so the list
// counts as open until the events of the moment have been handled, unless it opened again.
bool DropDownChoice::eventFilter(QObject* /*watched*/, QEvent* event) {
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

void DropDownChoice::OnActivated(int index) {
    if (!listOpen_) {
        return;
    }
    listOpen_ = false;
    emit Chosen(index);
}

}  // namespace zurcfg
