#include "app/command_line.h"

#include <filesystem>
#include <system_error>

#include <QCommandLineParser>

#include "config/ascii_text.h"
#include "ui/common/local_text.h"

namespace zurcfg {

namespace {

// Usage mistakes end with status 2, as is usual for command-line programs.
constexpr int kUsageStatus = 2;

CommandLine::Answer UsageError(const QString& problem) {
    return {problem + QStringLiteral("\nSee 'ZURcfg_Tool --help'.\n"), true, kUsageStatus};
}

// "board.h", "ZURCFG.H"
bool NamedAsHeader(const std::filesystem::path& path) {
    return AsciiLower(path.extension().string()) == ".h";
}

// Why `path` cannot be opened at start; nothing when it can.
std::optional<QString> DocumentPathProblem(const std::string& bytes) {
    namespace fs = std::filesystem;
    const fs::path path(bytes);
    const QString shown = FromFileName(bytes);
    std::error_code error;
    const fs::file_status status = fs::status(path, error);
    if (fs::is_directory(status)) {
        return std::nullopt;
    }
    if (fs::is_regular_file(status)) {
        if (NamedAsHeader(path)) {
            return std::nullopt;
        }
        return shown + QStringLiteral(
                           " is not a header: give a .h file, or the project folder "
                           "that holds ZURcfg.h.");
    }
    if (fs::exists(status)) {
        return shown + QStringLiteral(" is neither a folder nor a regular file.");
    }
    if (!NamedAsHeader(path)) {
        return shown + QStringLiteral(
                           " does not exist: give a header (.h) or an existing "
                           "project folder.");
    }
    const fs::path folder = path.parent_path();
    if (!folder.empty() && !fs::is_directory(folder, error)) {
        return QStringLiteral("Folder ") + FromFileName(folder.string()) +
               QStringLiteral(" does not exist, so ") + shown +
               QStringLiteral(" cannot be created there.");
    }
    return std::nullopt;  // a new header
}

// The usage line names the program, not the path it was started by.
QString HelpText(const QCommandLineParser& parser) {
    QString text = parser.helpText();
    const QString usage = QStringLiteral("Usage: ");
    const qsizetype options = text.indexOf(QStringLiteral(" [options]"));
    if (text.startsWith(usage) && options > 0) {
        text.replace(0, options, usage + QStringLiteral("ZURcfg_Tool"));
    }
    return text;
}

}  // namespace

CommandLine ParseCommandLine(const std::vector<std::string>& bytes) {
    QStringList arguments;
    for (const std::string& argument : bytes) {
        arguments.append(FromFileName(argument));
    }
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
        commandLine.answer = CommandLine::Answer{HelpText(parser)};
    } else if (parser.isSet(version)) {
        commandLine.answer =
            CommandLine::Answer{QStringLiteral("ZURcfg_Tool " ZURCFG_VERSION "\n")};
    } else if (parser.positionalArguments().size() > 1) {
        commandLine.answer = UsageError(QStringLiteral("Give one FILE or FOLDER at most."));
    } else if (!parser.positionalArguments().isEmpty()) {
        // The bytes given: a name that is not in the system's encoding does not survive the
        // parser's text. The argument is the last one that reads as it.
        const QString given = parser.positionalArguments().front();
        const qsizetype index = arguments.lastIndexOf(given);
        commandLine.documentPath = bytes[static_cast<std::size_t>(index)];
        if (const std::optional<QString> problem = DocumentPathProblem(commandLine.documentPath)) {
            commandLine.answer = UsageError(*problem);
            commandLine.documentPath.clear();
        }
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
