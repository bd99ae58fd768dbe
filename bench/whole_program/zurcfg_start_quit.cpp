// The program's own start and stop, with its window closed as soon as it has been painted. Prints
// the window's size as WIDTHxHEIGHT for the baseline. Run through whole_program_bench.sh.
#include <cstdio>

#include "app/config_app.h"
#include "close_when_painted.h"

int main(int argc, char** argv) {
    zurcfg::ConfigApp app(argc, argv);
    CloseWhenPainted closer;
    app.installEventFilter(&closer);
    app.InitInstance();
    std::printf("%dx%d\n", closer.ClosedSize().width(), closer.ClosedSize().height());
    return closer.ClosedSize().isEmpty() ? 1 : 0;
}
