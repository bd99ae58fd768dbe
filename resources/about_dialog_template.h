#pragma once

#include "resources/dialog_template.h"

namespace zurcfg {

// The About box: the program icon, the version line and OK.
extern const DialogTemplate kAboutDialog;

}  // namespace zurcfg
