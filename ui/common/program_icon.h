#pragma once

#include <QIcon>

namespace zurcfg {

// The program's icon in every size drawn for it, from the program's resources.
QIcon ProgramIcon();

}  // namespace zurcfg
