#pragma once

#include <QObject>

class QComboBox;
class QWidget;

namespace zurcfg {

class NameTables;

// The window's keyboard pre-filter: sees every key press meant for the window or one of its
// controls before the control does. The name tables' key rules come first; then, while the path
// box has the focus and its list is closed, Enter and the down arrow open the list instead of
// stepping the selection. Everything else is delivered as usual.
class KeyPreFilter : public QObject {
    Q_OBJECT

public:
    KeyPreFilter(QWidget* window, NameTables& tables, QComboBox* pathBox,
                 QObject* parent = nullptr);

    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    bool OpenPathList(int key);

    QWidget* window_;
    NameTables& tables_;
    QComboBox* pathBox_;
};

}  // namespace zurcfg
