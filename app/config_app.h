#pragma once

#include <string>

#include <QApplication>

namespace zurcfg {

// The program: runs the one window from start to end.
class ConfigApp : public QApplication {
public:
    ConfigApp(int& argc, char** argv);

    // Runs the window and writes the settings when it has gone. Once the window shows, after the
    // start-up tip, it offers the unsaved work that earlier runs left behind, then opens
    // `documentPath` when one is given. SIGTERM, SIGHUP and SIGINT end it as the session's end
    // does, keeping unsaved work. False: the program has nothing left to do, so no event loop of
    // its own follows.
    bool InitInstance(const std::string& documentPath = {});
};

}  // namespace zurcfg
