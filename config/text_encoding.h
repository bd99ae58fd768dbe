#pragma once

#include <cstddef>
#include <string_view>

namespace zurcfg {

// How the program's 8-bit text is encoded: a single-byte code page, or UTF-8.
enum class TextEncoding { SingleByte, Utf8 };

// The encoding of the program's 8-bit text: the locale the program has set (POSIX) or the ANSI
// code page (Windows).
TextEncoding LocalTextEncoding();

// Characters in text: its bytes in a single-byte code page, its code points in UTF-8.
std::size_t CharacterCount(std::string_view text, TextEncoding encoding);

}  // namespace zurcfg
