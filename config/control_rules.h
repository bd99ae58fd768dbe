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

// A setting that is only open while it can matter under the other options: the window greys its
// control, and zurcfg set refuses to change it, unless all terms of any one clause hold. The
// same data says why a greyed setting is greyed. Exactly one of switchField and listField is
// set: the field the control edits.
struct ControlRule {
    uint8_t Configuration::*switchField;
    int32_t Configuration::*listField;
    std::vector<std::vector<RuleTerm>> enabledWhenAnyOf;

    bool Enabled(const Configuration& configuration) const;
    // For a greyed control, one line naming the settings that grey it: first the settings that
    // block every way of enabling it ("Greyed: 'Enable all' is checked"), then, if that is not
    // all, what it needs ("needs 'Enable all' or CSEM 'Enable' checked"). Empty while enabled.
    std::string WhyGreyed(const Configuration& configuration) const;
};

// The dependent settings of the main window, in the order they are applied. Every setting not
// listed stays open.
extern const std::array<ControlRule, 19> kControlRules;

// The rule of the switch or list field; none for a field that no rule greys.
const ControlRule* RuleFor(uint8_t Configuration::*switchField);
const ControlRule* RuleFor(int32_t Configuration::*listField);

}  // namespace zurcfg
