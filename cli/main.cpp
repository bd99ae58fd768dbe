#include <clocale>
#include <iostream>

#include "cli/command_line.h"

int main(int argc, char** argv) {
    // Enum comments are aligned by characters of the locale's encoding, as the window does.
    std::setlocale(LC_CTYPE, "");
    zurcfg::Console console{std::cout, std::cerr, &std::cin};
    return static_cast<int>(zurcfg::RunCommandLine({argv, argv + argc}, console));
}
