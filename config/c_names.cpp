#include "config/c_names.h"

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <iterator>

namespace zurcfg {

namespace {

constexpr bool IsAsciiLetter(char c) {
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
}

constexpr bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

struct CodePointRange {
    char32_t first;
    char32_t last;
};

// The letters C99 allows in identifiers (its annex of extended characters) for the scripts
// most likely met in a name; clang holds C99 code to this list, gcc takes more. A character
// outside it counts as one that stops the build.
constexpr CodePointRange kIdentifierLetters[] = {
    {0x00AA, 0x00AA}, {0x00B5, 0x00B5}, {0x00B7, 0x00B7}, {0x00BA, 0x00BA}, {0x00C0, 0x00D6},
    {0x00D8, 0x00F6}, {0x00F8, 0x01F5}, {0x01FA, 0x0217}, {0x0250, 0x02A8}, {0x0386, 0x0386},
    {0x0388, 0x038A}, {0x038C, 0x038C}, {0x038E, 0x03A1}, {0x03A3, 0x03CE}, {0x03D0, 0x03D6},
    {0x0401, 0x040C}, {0x040E, 0x044F}, {0x0451, 0x045C}, {0x045E, 0x0481}, {0x0490, 0x04C4},
    {0x0531, 0x0556}, {0x0561, 0x0587}, {0x05D0, 0x05EA}, {0x1E00, 0x1E9B}, {0x1EA0, 0x1EF9},
    {0x4E00, 0x9FA5}, {0xAC00, 0xD7A3},
};

bool IsIdentifierLetter(char32_t codePoint) {
    return std::any_of(std::begin(kIdentifierLetters), std::end(kIdentifierLetters),
                       [codePoint](const CodePointRange& range) {
                           return codePoint >= range.first && codePoint <= range.last;
                       });
}

// The length of a well-formed UTF-8 sequence at text[at] for a letter compilers take in a name;
// 0 for anything else.
std::size_t IdentifierLetterLength(std::string_view text, std::size_t at) {
    const auto byte = [&text](std::size_t i) { return static_cast<unsigned char>(text[i]); };
    const unsigned char lead = byte(at);
    const std::size_t length = lead >= 0xF0 && lead <= 0xF4   ? 4
                               : lead >= 0xE0 && lead <= 0xEF ? 3
                               : lead >= 0xC2 && lead <= 0xDF ? 2
                                                              : 0;
    if (length == 0 || at + length > text.size()) {
        return 0;
    }
    char32_t codePoint = lead & (0x7F >> length);
    for (std::size_t k = 1; k < length; ++k) {
        if ((byte(at + k) & 0xC0) != 0x80) {
            return 0;
        }
        codePoint = (codePoint << 6) | (byte(at + k) & 0x3F);
    }
    return IsIdentifierLetter(codePoint) ? length : 0;
}

// Where the name compilers read from the start of text ends: ASCII letters, digits, '_', '$'
// and the letters above.
std::size_t CompilerNameEnd(std::string_view text) {
    std::size_t at = 0;
    while (at < text.size()) {
        const char c = text[at];
        if (IsAsciiLetter(c) || IsDigit(c) || c == '_' || c == '$') {
            ++at;
        } else if (const std::size_t length = IdentifierLetterLength(text, at); length > 0) {
            at += length;
        } else {
            break;
        }
    }
    return at;
}

// An explicit value: the characters of a constant expression, no more is checked.
bool LooksLikeConstant(std::string_view text) {
    constexpr std::string_view kOperators = " \t()+-*/%<>&|^~!?:'";
    return !text.empty() && std::all_of(text.begin(), text.end(), [&](char c) {
        return IsAsciiLetter(c) || IsDigit(c) || c == '_' ||
               kOperators.find(c) != std::string_view::npos;
    });
}

}  // namespace

bool IsCBlank(char c) {
    return c == ' ' || c == '\t' || c == '\v' || c == '\f';
}

std::string_view TrimCBlanks(std::string_view text) {
    while (!text.empty() && IsCBlank(text.front())) {
        text.remove_prefix(1);
    }
    while (!text.empty() && IsCBlank(text.back())) {
        text.remove_suffix(1);
    }
    return text;
}

bool EndsInLineSplice(std::string_view text) {
    const std::size_t last = text.find_last_not_of(" \t");
    if (last == std::string_view::npos) {
        return false;
    }
    return text[last] == '\\' || (last >= 2 && text.substr(last - 2, 3) == "?\?/");
}

bool StartsWithCode(std::string_view text) {
    std::size_t at = 0;
    while (at < text.size()) {
        const char c = text[at];
        if (IsCBlank(c) || c == '\n' || c == '\r') {
            ++at;
        } else if (text.compare(at, 2, "/*") == 0) {
            const std::size_t closer = text.find("*/", at + 2);
            if (closer == std::string_view::npos) {
                return true;
            }
            at = closer + 2;
        } else {
            return text.compare(at, 2, "//") != 0;
        }
    }
    return false;
}

bool IsCIdentifier(std::string_view text) {
    if (text.empty() || IsDigit(text.front())) {
        return false;
    }
    return std::all_of(text.begin(), text.end(),
                       [](char c) { return IsAsciiLetter(c) || IsDigit(c) || c == '_'; });
}

bool IsReservedIdentifier(std::string_view text) {
    return text.size() >= 2 && text[0] == '_' &&
           (text[1] == '_' || (text[1] >= 'A' && text[1] <= 'Z'));
}

EnumItemReading ReadEnumItem(std::string_view text) {
    using Verdict = EnumItemReading::Verdict;
    text = TrimCBlanks(text);
    const std::size_t nameEnd = CompilerNameEnd(text);
    if (nameEnd == 0 || IsDigit(text.front())) {
        return {Verdict::Rejected, {}};
    }
    const std::string_view name = text.substr(0, nameEnd);
    const std::string_view rest = TrimCBlanks(text.substr(nameEnd));
    if (rest.empty()) {
        return {IsCIdentifier(name) ? Verdict::Plain : Verdict::Accepted, name};
    }
    if (rest.front() == '=' && LooksLikeConstant(TrimCBlanks(rest.substr(1)))) {
        return {Verdict::Accepted, name};
    }
    return {Verdict::Rejected, {}};
}

std::string Quoted(std::string_view text) {
    std::string quoted = "\"";
    for (const char c : text) {
        switch (c) {
            case '"':
                quoted += "\\\"";
                break;
            case '\\':
                quoted += "\\\\";
                break;
            case '\n':
                quoted += "\\n";
                break;
            case '\r':
                quoted += "\\r";
                break;
            case '\t':
                quoted += "\\t";
                break;
            default:
                if (static_cast<unsigned char>(c) < 32 || c == 0x7F) {
                    char escaped[8];
                    std::snprintf(escaped, sizeof escaped, "\\x%02x",
                                  static_cast<unsigned>(static_cast<unsigned char>(c)));
                    quoted += escaped;
                } else {
                    quoted += c;
                }
        }
    }
    return quoted + "\"";
}

}  // namespace zurcfg
