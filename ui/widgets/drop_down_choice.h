#pragma once

#include <QObject>

class QComboBox;

namespace zurcfg {

// Reports the choices the user confirms in a drop-down list's open list. A selection changed
// while the list is closed (the arrow keys, the mouse wheel) is no choice and is not reported.
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

    bool listOpen_ = false;
    unsigned openings_ = 0;
};

}  // namespace zurcfg
