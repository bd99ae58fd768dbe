#pragma once

#include <array>
#include <string_view>
#include <vector>

#include "resources/control_ids.h"
#include "resources/dialog_template.h"

namespace zurcfg {

// The main window: every control in template (and tab) order.
extern const DialogTemplate kMainDialog;

// The items a drop-down list of the main window starts with, in order; the position of an item
// is the value its Configuration field stores. Empty for a control that is not a list.
std::vector<std::string_view> ListItems(int listId);

struct Tooltip {
    int controlId;
    std::string_view text;
};

// The help texts of the main window's controls, in the order they are registered.
extern const std::array<Tooltip, 42> kMainDialogTooltips;

// String resource 101: the system menu entry that opens the About box.
inline constexpr std::string_view kAboutMenuText = "&About ZURcfg_Tool...";

}  // namespace zurcfg
