#include "resources/about_dialog_template.h"

#include <array>

namespace zurcfg {

namespace {

using K = ControlKind;

constexpr std::array<ControlTemplate, 3> kAboutDialogControls{{
    {kNoId, K::Icon, kProgramIcon, 11, 17, 0, 0},
    {kNoId, K::Label, "ZURcfg_Tool Version 1.0", 40, 10, 119, 8},
    {kOkButton, K::PushButton, "OK", 178, 7, 50, 14, kDefaultButton},
}};

}  // namespace

const DialogTemplate kAboutDialog{"About ZURcfg_Tool", 235, 55, kAboutDialogControls.data(),
                                  static_cast<int>(kAboutDialogControls.size())};

}  // namespace zurcfg
