#pragma once

#include "config/prompter.h"

namespace zurcfg::bench {

// Answers every message box with OK, so that a measured loop never waits for a user.
class SilentPrompter : public Prompter {
public:
    Answer Ask(const Message&) override { return Answer::Ok; }
};

}  // namespace zurcfg::bench
