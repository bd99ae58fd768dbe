#pragma once

// Message boxes answered from a script, for tests that run the whole program without anyone to
// click: when the environment variable ZURCFG_TEST_ANSWERS holds a comma-separated list of
// answers ("yes,no,cancel,ok"), each message is printed on the error output, one line with its
// caption, instead of being shown, and takes the next answer; once the list is used up a message
// is answered Cancel, as a box closed without a choice. Without the variable the program shows
// its boxes as always.

#include <deque>
#include <memory>

#include "config/prompter.h"

namespace zurcfg {

class AnswerScript : public Prompter {
public:
    // The script the environment gives; none without the variable.
    static std::unique_ptr<AnswerScript> FromEnvironment();

    Answer Ask(const Message& message) override;

private:
    std::deque<Answer> answers_;
};

}  // namespace zurcfg
