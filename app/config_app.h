#pragma once

#include <string>

#include <QApplication>

namespace zurcfg {

// The program: runs the one window from start to end.
class ConfigApp : public QApplication {
public:
    ConfigApp(int& argc, char** argv);

    // Runs the window and writes the settings when it has gone. `documentPath`, when given, opens
    // once the window shows, after the start-up tip. False: the program has nothing left to do,
    // so no event loop of its own follows.
    bool InitInstance(const std::string& documentPath = {});
};

}  // namespace zurcfg
