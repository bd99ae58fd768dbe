#pragma once

#include <QKeySequence>
#include <QList>
#include <QObject>

class QComboBox;
class QKeyEvent;
class QWidget;

namespace zurcfg {

class NameTables;

// The window's keyboard pre-filter: sees every key press meant for the window or one of its
// controls before the control does. The name tables' key rules come first; then, while the path
// box has the focus and its list is closed, Enter and the down arrow open the list instead of
// stepping the selection. The window's own shortcuts that a control would take for itself (Ctrl+Z
// in an edit) stay the window's. Everything else is delivered as usual.
class KeyPreFilter : public QObject {
    Q_OBJECT

public:
    KeyPreFilter(QWidget* window, NameTables& tables, QComboBox* pathBox,
                 QObject* parent = nullptr);

    // These key sequences run the window's commands whichever control has the focus.
    void KeepShortcuts(const QList<QKeySequence>& shortcuts) { kept_ = shortcuts; }

    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    bool OpenPathList(int key);
    bool IsKept(const QKeyEvent& key) const;

    QWidget* window_;
    NameTables& tables_;
    QComboBox* pathBox_;
    QList<QKeySequence> kept_;
};

}  // namespace zurcfg
