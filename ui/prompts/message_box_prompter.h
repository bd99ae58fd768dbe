#pragma once

#include "config/prompter.h"

class QWidget;

namespace zurcfg {

// Shows each message as a modal message box over the window that asks it.
class MessageBoxPrompter : public Prompter {
public:
    // The window whose messages these are; they open over it even while another program has the
    // focus, as during a drop.
    void SetOwner(QWidget* owner) { owner_ = owner; }

    Answer Ask(const Message& message) override;

private:
    QWidget* owner_ = nullptr;
};

}  // namespace zurcfg
