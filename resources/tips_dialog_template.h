#pragma once

#include <string_view>

#include "resources/dialog_template.h"

namespace zurcfg {

// Ids of the tip dialog's controls besides OK.
enum TipsControlId : int {
    kDontShowAgainCheck = 1068,
    kTipText = 1090,
};

// The tip dialog: one tip, a check box that keeps it from coming back, and OK.
extern const DialogTemplate kTipsDialog;

// The tip shown at start-up while no name style has been chosen.
extern const std::string_view kStartupTip;

}  // namespace zurcfg
