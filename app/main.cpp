#include "app/config_app.h"

int main(int argc, char** argv) {
    zurcfg::ConfigApp app(argc, argv);
    app.InitInstance();
    return 0;
}
