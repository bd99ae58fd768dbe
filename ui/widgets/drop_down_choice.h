#pragma once

#include <QObject>

class QComboBox;

namespace zurcfg {

// Reports the choices the user confirms in a drop-down list's open list. The closed list keeps
// its selection: the mouse wheel and the keys that would step it (arrows, Home, End, Page Up,
// Page Down, typed letters) change nothing, so what it shows changes only by a choice in the open
// list or by the program.
class DropDownChoice : public QObject {
    Q_OBJECT

public:
    explicit DropDownChoice(QComboBox* list, QObject* parent = nullptr);

    bool eventFilter(QObject* watched, QEvent* event) override;

signals:
    // The item confirmed in the open list; -1 when none was selected.
    void Chosen(int index);

private:
    void OnActivated(int index);
    // Whether `event`, meant for the closed list, would step its selection.
    static bool StepsClosedList(const QEvent& event);

    QComboBox* list_;
    bool listOpen_ = false;
    unsigned openings_ = 0;
};

}  // namespace zurcfg
