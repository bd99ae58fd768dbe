#include <cstdio>
#include <string>
#include <vector>

#include <QCoreApplication>

#include "app/command_line.h"
#include "app/config_app.h"
#include "ui/common/local_text.h"

namespace {

int Print(const zurcfg::CommandLine::Answer& answer) {
    std::fputs(answer.text.toLocal8Bit().constData(), answer.isError ? stderr : stdout);
    return answer.exitStatus;
}

// The arguments as the system gave them.
std::vector<std::string> BytesOf(int argc, char** argv) {
    return {argv, argv + argc};
}

QStringList ArgumentsOf(int argc, char** argv) {
    QStringList arguments;
    for (const std::string& argument : BytesOf(argc, argv)) {
        arguments.append(zurcfg::FromFileName(argument));
    }
    return arguments;
}

// Without a display the window's application would abort; --help and --version still answer.
int AnswerWithoutDisplay(int argc, char** argv) {
    const QCoreApplication shell(argc, argv);
    const zurcfg::CommandLine commandLine = zurcfg::ParseCommandLine(BytesOf(argc, argv));
    if (commandLine.answer && !commandLine.answer->isError) {
        return Print(*commandLine.answer);
    }
    std::fprintf(stderr, "%s\n", zurcfg::kNoDisplayLine);
    return 1;
}

}  // namespace

int main(int argc, char** argv) {
    const auto environment = [](const char* name) { return qEnvironmentVariable(name); };
    if (!zurcfg::DisplayAvailable(environment, ArgumentsOf(argc, argv))) {
        return AnswerWithoutDisplay(argc, argv);
    }
    // The application takes Qt's own options out of the arguments before they are read.
    zurcfg::ConfigApp app(argc, argv);
    const zurcfg::CommandLine commandLine = zurcfg::ParseCommandLine(BytesOf(argc, argv));
    if (commandLine.answer) {
        return Print(*commandLine.answer);
    }
    app.InitInstance(commandLine.documentPath);
    return 0;
}
