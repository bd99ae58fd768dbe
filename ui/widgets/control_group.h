#pragma once

#include <QWidget>

namespace zurcfg {

// The area of a group box as one widget that holds the box and the controls inside it, so that
// screen readers meet the group before its controls. The box is drawn as before, beneath them,
// and keeps its own look: no style of it reaches the controls. Screen readers see a grouping
// named by the box's caption and described by its tooltip, holding the controls only.
class ControlGroup : public QWidget {
    Q_OBJECT

public:
    explicit ControlGroup(QWidget* parent);
};

}  // namespace zurcfg
