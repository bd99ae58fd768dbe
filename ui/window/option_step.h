#pragma once

// The undo step that an edit of the window's options makes: named for the one control whose
// field changed ("Tasks change"), or "Options change" when a window read took several changes at
// once (text typed in the task count, then a check box clicked). A step typed in an edit carries
// the edit's id, so that typing on in it joins the step.

#include <string>

#include "config/configuration.h"
#include "ui/document/edit_commands.h"

namespace zurcfg {

struct OptionStep {
    std::string name;
    int typingControl = EditCommand::kNoTyping;
};

OptionStep StepFor(const Configuration& before, const Configuration& after);

}  // namespace zurcfg
