#include "config/text_encoding.h"

#include <algorithm>
#include <string>

#include "config/ascii_text.h"

#ifdef _WIN32
#include <windows.h>
#else
#include <langinfo.h>
#endif

namespace zurcfg {

namespace {

#ifndef _WIN32
// Code set names spell UTF-8 in several ways ("UTF-8", "utf8", "UTF_8").
bool NamesUtf8(std::string_view codeset) {
    std::string letters;
    for (char c : codeset) {
        if (c != '-' && c != '_') {
            letters += AsciiLower(c);
        }
    }
    return letters == "utf8";
}
#endif

}  // namespace

TextEncoding LocalTextEncoding() {
#ifdef _WIN32
    return GetACP() == CP_UTF8 ? TextEncoding::Utf8 : TextEncoding::SingleByte;
#else
    return NamesUtf8(nl_langinfo(CODESET)) ? TextEncoding::Utf8 : TextEncoding::SingleByte;
#endif
}

std::size_t CharacterCount(std::string_view text, TextEncoding encoding) {
    if (encoding == TextEncoding::SingleByte) {
        return text.size();
    }
    // Every code point has exactly one byte that is not a continuation byte (10xxxxxx).
    return static_cast<std::size_t>(std::count_if(text.begin(), text.end(), [](char c) {
        return (static_cast<unsigned char>(c) & 0xC0) != 0x80;
    }));
}

}  // namespace zurcfg
