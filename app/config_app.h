#pragma once

#include <QApplication>

namespace zurcfg {

// The program: runs the one window modally from start to end.
class ConfigApp : public QApplication {
public:
    ConfigApp(int& argc, char** argv);

    // Runs the window and writes the settings when it has gone. False: the program has nothing
    // left to do, so no event loop of its own follows.
    bool InitInstance();
};

}  // namespace zurcfg
