#pragma once

#include <array>
#include <string>

#include "config/configuration.h"

namespace zurcfg {

// A control that is only enabled while its setting can matter under the other options.
struct ControlRule {
    int controlId;
    bool (*enabled)(const Configuration&);
};

// The dependent controls of the main window, in the order they are applied. Every control not
// listed stays enabled.
extern const std::array<ControlRule, 19> kControlRules;

// The main window's caption: the document, and " (*)" while it is modified.
std::string WindowTitle(const std::string& documentPath, bool modified);

}  // namespace zurcfg
