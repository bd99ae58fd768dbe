// Feeds arbitrary bytes to the settings file reader and checks what must hold for any file:
// nothing is lost, and a written key reads back as written without disturbing the rest.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "settings/ini_file.h"

namespace {

void Check(bool condition) {
    if (!condition) {
        std::abort();
    }
}

// A section name taken from the input, so that the sections in the file are hit too: what
// follows its first "[", as a caller would pass it (no blanks around it, no comment sign).
std::string SectionNameFrom(std::string_view bytes) {
    const auto open = bytes.find('[');
    bytes = open == std::string_view::npos ? bytes : bytes.substr(open + 1);
    bytes = bytes.substr(0, std::min<std::size_t>(bytes.find_first_of("\r\n]"), 12));
    const auto first = bytes.find_first_not_of(" \t");
    if (first == std::string_view::npos || bytes[first] == ';') {
        return "S";
    }
    return std::string(bytes.substr(first, bytes.find_last_not_of(" \t") - first + 1));
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    zurcfg::IniFile file(bytes);
    Check(file.Bytes() == bytes);

    const std::string section = SectionNameFrom(bytes);
    file.ReadInt(section, "OS_TASKS", 0);
    file.ReadText("SERVICES", "OS_TASKS", "");
    file.ReadInt("SETUP", "ZURVERSION", 0);

    const std::string before = file.ReadText("SETUP", "ZURVERSION", "absent");
    file.WriteText("PATHS", "path0", "/some/path");
    file.WriteText(section, "key", "7");
    Check(file.ReadText("PATHS", "path0", "") == "/some/path");
    Check(file.ReadInt(section, "key", 0) == 7);

    // The written file reads the same when loaded again.
    const zurcfg::IniFile reloaded(file.Bytes());
    Check(reloaded.Bytes() == file.Bytes());
    Check(reloaded.ReadText("PATHS", "path0", "") == "/some/path");
    Check(reloaded.ReadInt(section, "key", 0) == 7);
    Check(reloaded.ReadText("SETUP", "ZURVERSION", "absent") == before);
    return 0;
}
