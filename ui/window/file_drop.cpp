#include "ui/window/file_drop.h"

#include <filesystem>
#include <system_error>

#include <QDir>
#include <QDropEvent>
#include <QMimeData>
#include <QUrl>
#include <QWidget>

#include "config/ascii_text.h"
#include "ui/common/local_text.h"

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
    std::string path = DroppedPath(*drop);
    if (path.empty()) {
        return false;
    }
    drop->acceptProposedAction();
    if (type == QEvent::Drop) {
        QMetaObject::invokeMethod(
            this, [this, path = std::move(path)] { emit Dropped(path); }, Qt::QueuedConnection);
    }
    return true;
}

namespace {

// The bytes of a local file's path: the URL's percent-encoded bytes where the system names files
// by bytes, so that a name the system's encoding cannot show arrives as it is.
std::string LocalPath(const QUrl& url) {
#ifdef Q_OS_WIN
    return ToFileName(QDir::toNativeSeparators(url.toLocalFile()));
#else
    std::string path =
        QByteArray::fromPercentEncoding(url.path(QUrl::FullyEncoded).toLatin1()).toStdString();
    while (path.size() > 1 && path.back() == '/') {
        path.pop_back();
    }
    return path;
#endif
}

}  // namespace

// Empty unless the drop is one local header file or folder.
std::string FileDrop::DroppedPath(const QDropEvent& event) {
    const QList<QUrl> urls = event.mimeData()->urls();
    if (urls.size() != 1 || !urls.front().isLocalFile()) {
        return {};
    }
    const std::string path = LocalPath(urls.front());
    std::error_code error;
    const std::filesystem::file_status status = std::filesystem::status(path, error);
    const bool header = std::filesystem::is_regular_file(status) &&
                        AsciiLower(std::filesystem::path(path).extension().string()) == ".h";
    return header || std::filesystem::is_directory(status) ? path : std::string();
}

}  // namespace zurcfg
