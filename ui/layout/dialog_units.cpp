#include "ui/layout/dialog_units.h"

namespace zurcfg {

namespace {

// units * base / divisor, rounded to the nearest whole pixel (halves away from zero).
int Scale(int units, int base, int divisor) {
    const long long product = static_cast<long long>(units) * base;
    const long long half = divisor / 2;
    return static_cast<int>(product >= 0 ? (product + half) / divisor
                                         : -((-product + half) / divisor));
}

}  // namespace

DialogBaseUnits BaseUnitsFor(int widthOfLetters, int fontHeight) {
    return {(widthOfLetters / 26 + 1) / 2, fontHeight};
}

int DialogUnits::X(int units) const {
    return Scale(units, base_.horizontal, 4);
}

int DialogUnits::Y(int units) const {
    return Scale(units, base_.vertical, 8);
}

PixelRect DialogUnits::Map(int x, int y, int width, int height) const {
    const int left = X(x);
    const int top = Y(y);
    return {left, top, X(x + width) - left, Y(y + height) - top};
}

}  // namespace zurcfg
