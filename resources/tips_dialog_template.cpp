#include "resources/tips_dialog_template.h"

#include <array>

namespace zurcfg {

namespace {

using K = ControlKind;

constexpr std::array<ControlTemplate, 5> kTipsDialogControls{{
    {kNoId, K::GroupBox, "Tip", 33, 7, 180, 118},
    {kNoId, K::Icon, kInformationIcon, 7, 34, 0, 0},
    {kTipText, K::Label, "", 41, 18, 165, 98, kWordWrap},
    {kDontShowAgainCheck, K::CheckBox, "Don't show this message again", 7, 136, 119, 10},
    {kOkButton, K::PushButton, "OK", 187, 132, 50, 14, kDefaultButton},
}};

}  // namespace

const DialogTemplate kTipsDialog{"New tips", 244, 153, kTipsDialogControls.data(),
                                 static_cast<int>(kTipsDialogControls.size())};

const std::string_view kStartupTip =
    "New control aviable: \"Save old style names\"\n\n(near \"Save\" button).\n\nCheck box allows "
    "to select format of names in saved file:\n- for old versions (below 90200) when checked\n- "
    "for new versions (other) when unchecked\n\nNew ZUR version is compatible with old projects, "
    "but some times it may be usefull to work with your old projects with old ZUR versions";

}  // namespace zurcfg
