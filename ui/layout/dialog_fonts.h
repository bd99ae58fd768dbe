#pragma once

#include <QFont>

#include "ui/layout/dialog_units.h"

namespace zurcfg {

// The fonts a dialog is drawn with.
struct DialogFonts {
    QFont dialog;  // the templates' face, MS Sans Serif, at 8 points, or where the system lacks
                   // it the platform's default GUI font at 8 points; it sets the dialog units
    QFont label;   // the dialog font in bold, for headings
    QFont fixed;   // the platform's fixed-pitch font 14 pixels high whatever the system font
                   // size, for type names and paths
};

DialogFonts PlatformDialogFonts();

// `font`, its family replaced by the face the system substitutes for it when the font database
// has no face of that name. Wine names its message font "MS Shell Dlg", an alias that only the
// registry's font substitutes resolve; left to Qt, it falls back to a face of other metrics, and
// text laid out in dialog units is cut.
QFont WithSubstituteFace(const QFont& font);

// The dialog base units that `font` gives.
DialogBaseUnits BaseUnitsOf(const QFont& font);

}  // namespace zurcfg
