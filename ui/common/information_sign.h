#pragma once

#include <QPixmap>

namespace zurcfg {

// The information sign of the tip dialog: a blue letter i in a blue circle on white. Painted
// here, so every style shows the same sign, sharp at any size and pixel ratio.
QPixmap InformationSign(int size, qreal devicePixelRatio);

}  // namespace zurcfg
