#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "config/configuration.h"

namespace zurcfg {

// One setting a control rule looks at, named as the window shows it, and the state it must be in.
// Exactly one of switchField and countField is set.
struct RuleTerm {
    enum class Needs { Checked, Unchecked, AboveZero };
    const char* setting;
    Needs needs;
    uint8_t Configuration::*switchField = nullptr;
    int32_t Configuration::*countField = nullptr;

    bool Holds(const Configuration& configuration) const;
};

// A control that is only enabled while its setting can matter under the other options: enabled
// while all terms of any one clause hold. The same data says why a greyed control is greyed.
struct ControlRule {
    int controlId;
    std::vector<std::vector<RuleTerm>> enabledWhenAnyOf;

    bool Enabled(const Configuration& configuration) const;
    // For a greyed control, one line naming the settings that grey it: first the settings that
    // block every way of enabling it ("Greyed: 'Enable all' is checked"), then, if that is not
    // all, what it needs ("needs 'Enable all' or CSEM 'Enable' checked"). Empty while enabled.
    std::string WhyGreyed(const Configuration& configuration) const;
};

// The dependent controls of the main window, in the order they are applied. Every control not
// listed stays enabled.
extern const std::array<ControlRule, 19> kControlRules;

// The main window's caption: the document, and " (*)" while it is modified.
std::string WindowTitle(const std::string& documentPath, bool modified);

}  // namespace zurcfg
