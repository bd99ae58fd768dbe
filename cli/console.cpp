#include "cli/console.h"

namespace zurcfg {

// The line is written whole, so that the lines of programs running at once do not mix.
void PrintMessage(std::ostream& err, const char* kind, const std::string& text) {
    std::string line = std::string("zurcfg: ") + kind + ": ";
    bool blankDue = false;
    for (char c : text) {
        if (c == '\n') {
            blankDue = true;
            continue;
        }
        if (blankDue) {
            line += ' ';
            blankDue = false;
        }
        line += c;
    }
    err << line + '\n';
}

Answer ConsolePrompter::Ask(const Message& message) {
    const char* kind = message.caption == "Error"          ? "error"
                       : message.icon == Icon::Exclamation ? "warning"
                                                           : "note";
    PrintMessage(err_, kind, message.text);
    return message.buttons == Buttons::Ok ? Answer::Ok : answerToQuestions_;
}

}  // namespace zurcfg
