#include "ui/layout/dialog_fonts.h"

#include <QFontDatabase>
#include <QFontMetrics>

namespace zurcfg {

namespace {
constexpr int kDialogPointSize = 8;
}

DialogFonts PlatformDialogFonts() {
    QFont dialog = QFontDatabase::systemFont(QFontDatabase::GeneralFont);
    dialog.setPointSize(kDialogPointSize);
    QFont label = dialog;
    label.setBold(true);
    return {dialog, label, QFontDatabase::systemFont(QFontDatabase::FixedFont)};
}

DialogBaseUnits BaseUnitsOf(const QFont& font) {
    const QFontMetrics metrics(font);
    return BaseUnitsFor(metrics.horizontalAdvance(
                            QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz")),
                        metrics.height());
}

}  // namespace zurcfg
