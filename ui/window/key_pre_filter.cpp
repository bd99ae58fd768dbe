#include "ui/window/key_pre_filter.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QComboBox>
#include <QKeyEvent>

#include "ui/name_tables/name_tables.h"

namespace zurcfg {

KeyPreFilter::KeyPreFilter(QWidget* window, NameTables& tables, QComboBox* pathBox, QObject* parent)
    : QObject(parent), window_(window), tables_(tables), pathBox_(pathBox) {
    // On the application, so that keys for every control of the window pass here first.
    qApp->installEventFilter(this);
}

// A key press that its first receiver ignores travels up to the parents and passes here again;
// a key that was not consumed changed nothing, so the second look gives the same answer.
bool KeyPreFilter::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() != QEvent::KeyPress || !watched->isWidgetType() ||
        static_cast<QWidget*>(watched)->window() != window_) {
        return false;
    }
    const int key = static_cast<QKeyEvent*>(event)->key();
    return tables_.HandleKey(key) || OpenPathList(key);
}

bool KeyPreFilter::OpenPathList(int key) {
    const bool opens = key == Qt::Key_Return || key == Qt::Key_Enter || key == Qt::Key_Down;
    if (!opens || !pathBox_->hasFocus() || pathBox_->view()->isVisible()) {
        return false;
    }
    pathBox_->showPopup();
    return true;
}

}  // namespace zurcfg
