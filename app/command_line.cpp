#include "app/command_line.h"

#include <QCommandLineParser>

#include "ui/common/local_text.h"

namespace zurcfg {

namespace {

// Usage mistakes end with status 2, as is usual for command-line programs.
constexpr int kUsageStatus = 2;

CommandLine::Answer UsageError(const QString& problem) {
    return {problem + QStringLiteral("\nSee 'ZURcfg_Tool --help'.\n"), true, kUsageStatus};
}

}  // namespace

CommandLine ParseCommandLine(const QStringList& arguments) {
    QCommandLineParser parser;
    parser.setApplicationDescription(
        QStringLiteral("Edits ZURcfg.h, the configuration header of the ZUR kernel."));
    parser.addPositionalArgument(
        QStringLiteral("FILE|FOLDER"),
        QStringLiteral("The header, or the project folder holding ZURcfg.h, to open at start."),
        QStringLiteral("[FILE|FOLDER]"));
    const QCommandLineOption help = parser.addHelpOption();
    const QCommandLineOption version = parser.addVersionOption();

    CommandLine commandLine;
    if (!parser.parse(arguments)) {
        commandLine.answer = UsageError(parser.errorText());
    } else if (parser.isSet(help) || parser.isSet(QStringLiteral("help-all"))) {
        commandLine.answer = CommandLine::Answer{parser.helpText()};
    } else if (parser.isSet(version)) {
        commandLine.answer =
            CommandLine::Answer{QStringLiteral("ZURcfg_Tool " ZURCFG_VERSION "\n")};
    } else if (parser.positionalArguments().size() > 1) {
        commandLine.answer = UsageError(QStringLiteral("Give one FILE or FOLDER at most."));
    } else if (!parser.positionalArguments().isEmpty()) {
        commandLine.documentPath = ToLocal8Bit(parser.positionalArguments().front());
    }
    return commandLine;
}

#if defined(Q_OS_UNIX) && !defined(Q_OS_MACOS)

namespace {

// The value of `-platform NAME` (or --platform), empty when it is not given.
QString PlatformArgument(const QStringList& arguments) {
    for (qsizetype i = 1; i + 1 < arguments.size(); ++i) {
        if (arguments[i] == QLatin1String("-platform") ||
            arguments[i] == QLatin1String("--platform")) {
            return arguments[i + 1];
        }
    }
    return {};
}

bool PlatformCanShow(const QString& name, bool x11, bool wayland) {
    if (name == QLatin1String("xcb")) {
        return x11;
    }
    if (name.startsWith(QLatin1String("wayland"))) {
        return wayland;
    }
    return true;  // offscreen, a frame buffer, a remote screen: no session needed
}

}  // namespace

bool DisplayAvailable(const std::function<QString(const char*)>& environment,
                      const QStringList& arguments) {
    const bool x11 = !environment("DISPLAY").isEmpty();
    const bool wayland = !environment("WAYLAND_DISPLAY").isEmpty();
    QString platforms = PlatformArgument(arguments);
    if (platforms.isEmpty()) {
        platforms = environment("QT_QPA_PLATFORM");
    }
    if (platforms.isEmpty()) {
        return x11 || wayland;
    }
    // Qt tries the platforms of a list "wayland;xcb" in turn; "name:options" gives options.
    for (const QString& platform : platforms.split(QLatin1Char(';'), Qt::SkipEmptyParts)) {
        if (PlatformCanShow(platform.section(QLatin1Char(':'), 0, 0), x11, wayland)) {
            return true;
        }
    }
    return false;
}

#else

// Windows and macOS always have their desktop.
bool DisplayAvailable(const std::function<QString(const char*)>&, const QStringList&) {
    return true;
}

#endif

}  // namespace zurcfg
