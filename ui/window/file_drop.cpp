#include "ui/window/file_drop.h"

#include <QDir>
#include <QDropEvent>
#include <QFileInfo>
#include <QMimeData>
#include <QUrl>
#include <QWidget>

namespace zurcfg {

FileDrop::FileDrop(QWidget* window) : QObject(window) {
    window->setAcceptDrops(true);
    window->installEventFilter(this);
    // Controls that take drops of their own would otherwise keep a file dropped on them.
    for (QWidget* control : window->findChildren<QWidget*>()) {
        if (control->acceptDrops()) {
            control->installEventFilter(this);
        }
    }
}

bool FileDrop::eventFilter(QObject*, QEvent* event) {
    const QEvent::Type type = event->type();
    if (type != QEvent::DragEnter && type != QEvent::DragMove && type != QEvent::Drop) {
        return false;
    }
    auto* drop = static_cast<QDropEvent*>(event);
    const QString path = DroppedPath(*drop);
    if (path.isEmpty()) {
        return false;
    }
    drop->acceptProposedAction();
    if (type == QEvent::Drop) {
        QMetaObject::invokeMethod(
            this, [this, path] { emit Dropped(path); }, Qt::QueuedConnection);
    }
    return true;
}

// Empty unless the drop is one local header file or folder.
QString FileDrop::DroppedPath(const QDropEvent& event) {
    const QList<QUrl> urls = event.mimeData()->urls();
    if (urls.size() != 1 || !urls.front().isLocalFile()) {
        return {};
    }
    const QFileInfo dropped(QDir::cleanPath(urls.front().toLocalFile()));
    const bool header = dropped.isFile() && dropped.suffix().compare("h", Qt::CaseInsensitive) == 0;
    return header || dropped.isDir() ? QDir::toNativeSeparators(dropped.filePath()) : QString();
}

}  // namespace zurcfg
