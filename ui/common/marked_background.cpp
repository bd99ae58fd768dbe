#include "ui/common/marked_background.h"

#include <QApplication>
#include <QPalette>

namespace zurcfg {

QColor MarkedBackground() {
    constexpr double kRedShare = 0.4;
    const QColor base = QApplication::palette().color(QPalette::Base);
    return QColor::fromRgbF(static_cast<float>(base.redF() * (1 - kRedShare) + kRedShare),
                            static_cast<float>(base.greenF() * (1 - kRedShare)),
                            static_cast<float>(base.blueF() * (1 - kRedShare)));
}

}  // namespace zurcfg
