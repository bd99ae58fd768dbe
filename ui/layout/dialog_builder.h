#pragma once

#include <QHash>
#include <QWidget>

#include "resources/dialog_template.h"
#include "ui/layout/dialog_fonts.h"

class QLabel;

namespace zurcfg {

// Lays out a template on `dialog`: one widget per control in the font its style asks for,
// placed in the dialog units of the dialog font and named by its id in decimal, the tab order
// following the template. A control inside a group box is a widget inside it, so that screen
// readers meet the group first, and each drop-down list is linked to its label. The dialog takes
// the dialog font, the template's caption and size. Returns the controls that have an id, by id,
// for windows that look them up often.
QHash<int, QWidget*> BuildDialog(QWidget* dialog, const DialogTemplate& dialogTemplate,
                                 const DialogFonts& fonts);

// Makes a word-wrapped label as high as its text needs where the template left it too low for
// the font: a font wider than the one the template was drawn for wraps the text into more lines.
// The frames around the label grow with it, the controls below it move down and the dialog grows
// by as much.
void FitHeightToText(QLabel* label);

}  // namespace zurcfg
