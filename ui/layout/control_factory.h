#pragma once

#include <QWidget>

#include "resources/dialog_template.h"

namespace zurcfg {

// Makes the widget for one template control, with its caption and style, but neither placed nor
// named: the one place that knows which widget stands for which kind of control. Lists come
// without items.
QWidget* CreateControl(const ControlTemplate& control, QWidget* parent);

}  // namespace zurcfg
