#include "ui/program_icon.h"

namespace zurcfg {

QIcon ProgramIcon() {
    QIcon icon;
    for (int size : {16, 32, 48, 64}) {
        icon.addFile(QStringLiteral(":/icons/zurcfg_tool_%1.png").arg(size), QSize(size, size));
    }
    return icon;
}

}  // namespace zurcfg
