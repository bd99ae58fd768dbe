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
    const QEvent::Type type = event->type();
    if ((type != QEvent::KeyPress && type != QEvent::ShortcutOverride) ||
        !watched->isWidgetType() || static_cast<QWidget*>(watched)->window() != window_) {
        return false;
    }
    auto* keyEvent = static_cast<QKeyEvent*>(event);
    if (type == QEvent::ShortcutOverride) {
        // A control that accepts the override keeps the key from the window's shortcut.
        if (IsKept(*keyEvent)) {
            keyEvent->ignore();
            return true;
        }
        return false;
    }
    const int key = keyEvent->key();
    return tables_.HandleKey(key) || OpenPathList(key);
}

bool KeyPreFilter::IsKept(const QKeyEvent& key) const {
    const QKeySequence pressed(key.keyCombination());
    return kept_.contains(pressed);
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
