#include "config/line_ending.h"

namespace zurcfg {

const char* LineEndingName(LineEnding ending) {
    switch (ending) {
        case LineEnding::Lf:
            return "LF";
        case LineEnding::Cr:
            return "CR";
        case LineEnding::CrLf:
            break;
    }
    return "CRLF";
}

std::string WithLineEnding(std::string_view text, LineEnding ending) {
    if (ending == LineEnding::Lf) {
        return std::string(text);
    }
    std::string bytes;
    bytes.reserve(text.size() + text.size() / 16);
    for (const char c : text) {
        if (c != '\n') {
            bytes += c;
        } else if (ending == LineEnding::Cr) {
            bytes += '\r';
        } else {
            bytes += "\r\n";
        }
    }
    return bytes;
}

}  // namespace zurcfg
