#pragma once

namespace zurcfg {

// Pixels per 4 horizontal and per 8 vertical dialog units, taken from the dialog font.
struct DialogBaseUnits {
    int horizontal;
    int vertical;
};

// The base units of a font whose 52 letters "A".."Z" "a".."z" are `widthOfLetters` pixels wide
// and whose height is `fontHeight` pixels: the average letter width rounded to whole pixels, and
// the height.
DialogBaseUnits BaseUnitsFor(int widthOfLetters, int fontHeight);

struct PixelRect {
    int x;
    int y;
    int width;
    int height;
};

// Converts template coordinates into pixels. Each edge is mapped on its own, so controls that
// share an edge in dialog units share it in pixels too.
class DialogUnits {
public:
    explicit DialogUnits(DialogBaseUnits base) : base_(base) {}

    int X(int units) const;
    int Y(int units) const;
    PixelRect Map(int x, int y, int width, int height) const;

private:
    DialogBaseUnits base_;
};

}  // namespace zurcfg
