#pragma once

#include <string>

#include <QObject>

class QDropEvent;
class QWidget;

namespace zurcfg {

// Lets one header file (.h) or one project folder be dropped anywhere on a window. Such a drop
// is accepted, and reported only once it has ended, so that the program it came from is not kept
// waiting while opening it asks its questions. Other drops are refused, except by a control that
// takes them itself (text dropped into an edit).
class FileDrop : public QObject {
    Q_OBJECT

public:
    // Watches `window`, which owns the object, and its controls as they are now.
    explicit FileDrop(QWidget* window);

    bool eventFilter(QObject* watched, QEvent* event) override;

signals:
    // The dropped header or folder, in the system's own spelling and as its bytes.
    void Dropped(const std::string& path);

private:
    static std::string DroppedPath(const QDropEvent& event);
};

}  // namespace zurcfg
