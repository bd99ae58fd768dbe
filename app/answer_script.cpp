#include "app/answer_script.h"

#include <cstdio>
#include <string>

#include <QString>
#include <QStringList>

namespace zurcfg {

namespace {

constexpr char kVariable[] = "ZURCFG_TEST_ANSWERS";

Answer AnswerNamed(const QString& name) {
    const QString answer = name.trimmed().toLower();
    if (answer == QLatin1String("yes")) {
        return Answer::Yes;
    }
    if (answer == QLatin1String("no")) {
        return Answer::No;
    }
    return answer == QLatin1String("ok") ? Answer::Ok : Answer::Cancel;
}

}  // namespace

std::unique_ptr<AnswerScript> AnswerScript::FromEnvironment() {
    if (!qEnvironmentVariableIsSet(kVariable)) {
        return nullptr;
    }
    auto script = std::make_unique<AnswerScript>();
    for (const QString& name :
         qEnvironmentVariable(kVariable).split(QLatin1Char(','), Qt::SkipEmptyParts)) {
        script->answers_.push_back(AnswerNamed(name));
    }
    return script;
}

Answer AnswerScript::Ask(const Message& message) {
    std::string line = message.text;
    for (char& c : line) {
        c = c == '\n' ? ' ' : c;
    }
    std::fprintf(stderr, "message \"%s\": %s\n", message.caption.c_str(), line.c_str());
    if (answers_.empty()) {
        return Answer::Cancel;
    }
    const Answer answer = answers_.front();
    answers_.pop_front();
    return answer;
}

}  // namespace zurcfg
