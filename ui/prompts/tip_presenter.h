#pragma once

#include <string_view>

namespace zurcfg {

// Shows a tip with its "Don't show this message again" box. The program shows the tip dialog
// modally; tests answer in its place.
class TipPresenter {
public:
    virtual ~TipPresenter() = default;

    // Shows `tip` with the box set to `dontShowAgain` and returns the box as the user left it:
    // read on OK, unchanged when the tip was closed any other way.
    virtual bool ShowTip(std::string_view tip, bool dontShowAgain) = 0;
};

}  // namespace zurcfg
