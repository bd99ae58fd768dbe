#pragma once

#include <istream>
#include <ostream>

#include "config/prompter.h"

namespace zurcfg {

// The streams a command speaks through: results on out, messages on err, and the input a
// command reads when told to ("-"), none where there is nothing to read. Handed in, so tests
// run commands on string streams.
struct Console {
    std::ostream& out;
    std::ostream& err;
    std::istream* in = nullptr;
};

// Tells the core's messages on the error stream, one line each, and answers without waiting for
// anyone: OK to a notice, and to a question the answer the running command implies.
class ConsolePrompter : public Prompter {
public:
    ConsolePrompter(std::ostream& err, Answer answerToQuestions)
        : err_(err), answerToQuestions_(answerToQuestions) {}

    Answer Ask(const Message& message) override;

private:
    std::ostream& err_;
    Answer answerToQuestions_;
};

// Prints "zurcfg: <kind>: <text>" with the text's line breaks turned into blanks.
void PrintMessage(std::ostream& err, const char* kind, const std::string& text);

}  // namespace zurcfg
