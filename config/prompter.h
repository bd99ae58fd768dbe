#pragma once

#include <optional>
#include <string>
#include <utility>

namespace zurcfg {

enum class Buttons { Ok, YesNo, YesNoCancel };
enum class Icon { Information, Exclamation, Question };
enum class Answer { Ok, Yes, No, Cancel };

// A modal message box: fixed text, short caption, button set and icon.
struct Message {
    Message() = default;
    Message(std::string text, std::string caption, Buttons buttons = Buttons::Ok,
            Icon icon = Icon::Information, std::optional<Answer> defaultAnswer = std::nullopt)
        : text(std::move(text)),
          caption(std::move(caption)),
          buttons(buttons),
          icon(icon),
          defaultAnswer(defaultAnswer) {}

    std::string text;
    std::string caption;
    Buttons buttons = Buttons::Ok;
    Icon icon = Icon::Information;
    // The button Enter presses; the platform's usual one when none is given.
    std::optional<Answer> defaultAnswer;
};

// Shows messages to the user and returns the button chosen. The window passes one that shows
// real message boxes; tests pass one that answers from a script.
class Prompter {
public:
    virtual ~Prompter() = default;
    virtual Answer Ask(const Message& message) = 0;
};

}  // namespace zurcfg
