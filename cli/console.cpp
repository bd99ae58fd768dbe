#include "cli/console.h"

namespace zurcfg {

void PrintMessage(std::ostream& err, const char* kind, const std::string& text) {
    err << "zurcfg: " << kind << ": ";
    bool blankDue = false;
    for (char c : text) {
        if (c == '\n') {
            blankDue = true;
            continue;
        }
        if (blankDue) {
            err << ' ';
            blankDue = false;
        }
        err << c;
    }
    err << '\n';
}

Answer ConsolePrompter::Ask(const Message& message) {
    const char* kind = message.caption == "Error"          ? "error"
                       : message.icon == Icon::Exclamation ? "warning"
                                                           : "note";
    PrintMessage(err_, kind, message.text);
    return message.buttons == Buttons::Ok ? Answer::Ok : answerToQuestions_;
}

}  // namespace zurcfg
