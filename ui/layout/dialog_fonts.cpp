#include "ui/layout/dialog_fonts.h"

#include <QFontDatabase>
#include <QFontInfo>
#include <QFontMetrics>
#ifdef Q_OS_WIN
#include <QSettings>
#endif

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

bool HasFaceNamed(const QFont& font) {
    return QFontInfo(font).family().compare(font.family(), Qt::CaseInsensitive) == 0;
}

// The face the system draws for `family`, or nothing when it names no substitute.
QString RegisteredSubstitute(const QString& family) {
#ifdef Q_OS_WIN
    const QSettings substitutes(
        QStringLiteral(
            R"(HKEY_LOCAL_MACHINE\SOFTWARE\Microsoft\Windows NT\CurrentVersion\FontSubstitutes)"),
        QSettings::NativeFormat);
    // A value may name a character set after a comma: "Arial,0".
    return substitutes.value(family).toString().section(QLatin1Char(','), 0, 0);
#else
    Q_UNUSED(family)
    return {};
#endif
}

}  // namespace

QFont WithSubstituteFace(const QFont& font) {
    if (HasFaceNamed(font)) {
        return font;
    }
    const QString substitute = RegisteredSubstitute(font.family());
    if (substitute.isEmpty()) {
        return font;
    }
    QFont substituted = font;
    substituted.setFamily(substitute);
    return HasFaceNamed(substituted) ? substituted : font;
}

DialogFonts PlatformDialogFonts() {
    // The face the templates were drawn for keeps their texts inside their controls; where the
    // system lacks it, its own dialog font stands in.
    QFont dialog(QStringLiteral("MS Sans Serif"), kDialogPointSize);
    if (!HasFaceNamed(dialog)) {
        dialog = WithSubstituteFace(QFontDatabase::systemFont(QFontDatabase::GeneralFont));
        dialog.setPointSize(kDialogPointSize);
    }
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
