#pragma once

#include <string>
#include <string_view>

namespace zurcfg {

// Lower case for the ASCII letters only: names in headers, paths and settings compare this way
// whatever the locale, and bytes of the 8-bit encoding above 127 stay as they are.
constexpr char AsciiLower(char c) {
    return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
}

inline std::string AsciiLower(std::string_view text) {
    std::string lower;
    lower.reserve(text.size());
    for (char c : text) {
        lower += AsciiLower(c);
    }
    return lower;
}

}  // namespace zurcfg
