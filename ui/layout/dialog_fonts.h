#pragma once

#include <QFont>

#include "ui/layout/dialog_units.h"

namespace zurcfg {

// The fonts a dialog is drawn with.
struct DialogFonts {
    QFont dialog;  // the platform's default GUI font at 8 points; it sets the dialog units
    QFont label;   // the dialog font in bold, for headings
    QFont fixed;   // the platform's fixed-pitch font 14 pixels high whatever the system font
                   // size, for type names and paths
};

DialogFonts PlatformDialogFonts();

// The dialog base units that `font` gives.
DialogBaseUnits BaseUnitsOf(const QFont& font);

}  // namespace zurcfg
