#pragma once

#include <QFont>
#include <QWidget>

#include "resources/dialog_template.h"

namespace zurcfg {

// Lays out a template on `dialog`: one widget per control, placed in pixels of `font`'s dialog
// units and named by its id in decimal, the tab order following the template. The dialog takes
// `font`, the template's caption and size.
void BuildDialog(QWidget* dialog, const DialogTemplate& dialogTemplate, const QFont& font);

}  // namespace zurcfg
