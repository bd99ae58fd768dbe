#include "ui/common/program_icon.h"

#include <QImageReader>
#include <QPixmap>

namespace zurcfg {

QIcon ProgramIcon() {
    QIcon icon;
    for (int size : {16, 32, 48, 64}) {
        // Read as PNG by name: guessing the format would load every image format plugin.
        QImageReader reader(QStringLiteral(":/icons/zurcfg_tool_%1.png").arg(size), "png");
        reader.setAutoDetectImageFormat(false);
        icon.addPixmap(QPixmap::fromImage(reader.read()));
    }
    return icon;
}

}  // namespace zurcfg
