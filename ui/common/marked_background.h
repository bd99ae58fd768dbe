#pragma once

#include <QColor>

namespace zurcfg {

// The background of a control or cell marked as wrong: the palette's base with a share of red, a
// light pink on a light palette and a dark red on a dark one, so the text keeps its contrast
// either way.
QColor MarkedBackground();

}  // namespace zurcfg
