#include "ui/layout/dialog_fonts.h"

#include <QFontDatabase>
#include <QFontMetrics>

namespace zurcfg {

namespace {

constexpr int kDialogPointSize = 8;
constexpr int kFixedFontHeight = 14;

// The platform's fixed-pitch font at the largest pixel size whose lines are at most `height`
// pixels high.
QFont FixedFontOfHeight(int height) {
    QFont font = QFontDatabase::systemFont(QFontDatabase::FixedFont);
    for (int pixelSize = height; pixelSize > 1; --pixelSize) {
        font.setPixelSize(pixelSize);
        if (QFontMetrics(font).height() <= height) {
            break;
        }
    }
    return font;
}

}  // namespace

DialogFonts PlatformDialogFonts() {
    QFont dialog = QFontDatabase::systemFont(QFontDatabase::GeneralFont);
    dialog.setPointSize(kDialogPointSize);
    QFont label = dialog;
    label.setBold(true);
    return {dialog, label, FixedFontOfHeight(kFixedFontHeight)};
}

DialogBaseUnits BaseUnitsOf(const QFont& font) {
    const QFontMetrics metrics(font);
    return BaseUnitsFor(metrics.horizontalAdvance(
                            QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz")),
                        metrics.height());
}

}  // namespace zurcfg
