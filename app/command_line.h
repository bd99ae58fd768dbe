#pragma once

#include <functional>
#include <optional>
#include <string>
#include <vector>

#include <QString>
#include <QStringList>

namespace zurcfg {

// What the command line asks of the program: a header or project folder to open at start, or an
// answer given without the window (--help, --version, a mistake).
struct CommandLine {
    // Text for the terminal and the program's exit status.
    struct Answer {
        QString text;
        bool isError = false;
        int exitStatus = 0;
    };

    std::optional<Answer> answer;
    // The FILE or FOLDER to open, the bytes given, as the window takes paths; empty for none.
    std::string documentPath;
};

// Reads `arguments`, the program's own path first, as the system gave them, with Qt's own
// options already taken out. The FILE or FOLDER must be an existing folder (its ZURcfg.h opens),
// an existing regular file named *.h, or a missing *.h in an existing folder (a new header);
// anything else is a mistake on the command line.
CommandLine ParseCommandLine(const std::vector<std::string>& arguments);

// The one line the program prints when it cannot show its window here.
inline constexpr char kNoDisplayLine[] =
    "ZURcfg_Tool: no display found; it needs a graphical session (X11 or Wayland).";

// Whether a window can be shown: on X11 and Wayland systems the platform chosen (`-platform` in
// `arguments`, else QT_QPA_PLATFORM, else X11 or Wayland) must find its display in the
// environment; platforms that draw without a session (offscreen, a frame buffer) always can.
// `environment` gives a variable's value, empty when it is not set.
bool DisplayAvailable(const std::function<QString(const char*)>& environment,
                      const QStringList& arguments);

}  // namespace zurcfg
