#pragma once

#include <QWidget>

class QVBoxLayout;

namespace zurcfg {

// A window of its own beside the program's window and kept above it. The first time it opens it
// sits over the middle of its owner, wherever that is on the screen; its Close button, Esc and
// Ctrl+W close it.
class SideWindow : public QWidget {
    Q_OBJECT

public:
    SideWindow(QWidget* owner, const QString& title);

    // Shows the window, over its owner the first time, and brings it to the front.
    void ShowOverOwner();

protected:
    // Puts `content` above the Close button, taking all the room there is.
    void SetContent(QWidget* content);

private:
    QVBoxLayout* layout_;
    bool placed_ = false;
};

}  // namespace zurcfg
