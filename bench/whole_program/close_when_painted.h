#pragma once

#include <QApplication>
#include <QDialog>
#include <QEvent>
#include <QSize>

// Closes the program's modal dialog as the user would with Esc, once it has been painted for the
// first time, so that a program whose only window is that dialog ends by itself. Install it as
// an event filter of the application. Remembers the size of the dialog it closed.
class CloseWhenPainted : public QObject {
public:
    QSize ClosedSize() const { return closedSize_; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        auto* dialog = qobject_cast<QDialog*>(watched);
        if (dialog != nullptr && dialog->isWindow() && event->type() == QEvent::Paint &&
            closedSize_.isEmpty()) {
            closedSize_ = dialog->size();
            // After the paint has finished.
            QMetaObject::invokeMethod(dialog, &QDialog::reject, Qt::QueuedConnection);
        }
        return false;
    }

private:
    QSize closedSize_;
};
