#pragma once

#include "config/prompter.h"

namespace zurcfg {

// Shows each message as a modal message box over the window that asks it.
class MessageBoxPrompter : public Prompter {
public:
    Answer Ask(const Message& message) override;
};

}  // namespace zurcfg
