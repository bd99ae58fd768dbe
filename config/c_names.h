#pragma once

// What C makes of a name: the plain identifiers the tool reads and writes, the names reserved
// for compilers, and what compilers take in an enumeration beyond a plain identifier.

#include <string>
#include <string_view>

namespace zurcfg {

// ASCII letters, digits and '_', no digit first: what the reader keeps and every compiler
// takes.
bool IsCIdentifier(std::string_view text);

// Begins with "__", or with '_' and a capital: reserved for the compiler and its library, which
// use such names for keywords and predefined macros (__LINE__, _Pragma, __interrupt).
bool IsReservedIdentifier(std::string_view text);

// How C compilers (gcc and clang in C99 mode) take the text of one enumeration item, everything
// in front of its comma or comment.
struct EnumItemReading {
    enum class Verdict {
        Plain,     // one plain identifier; blanks around it aside
        Accepted,  // compilers take it, but as more than a plain identifier: a name holding '$'
                   // or a non-ASCII letter (UTF-8), or a name with an explicit value ("x = 5")
        Rejected,  // it stops the build: empty, a stray character, two words, a bad value
    };
    Verdict verdict;
    std::string_view name;  // the name compilers declare; empty when rejected
};
EnumItemReading ReadEnumItem(std::string_view text);

// The blanks C skips: space, tab, vertical tab and form feed.
bool IsCBlank(char c);

// The text with C's blanks taken off both ends.
std::string_view TrimCBlanks(std::string_view text);

// Whether a line ending in this text is joined to the next one: it ends in '\' or in "??/", the
// backslash's trigraph that C99 compilers read as one. Blanks may stand behind it; compilers
// join the lines all the same.
bool EndsInLineSplice(std::string_view text);

// Whether the compiler finds anything in the text but blanks, line breaks and comments closed
// within it before a line comment or the end: an unclosed "/*" counts as code.
bool StartsWithCode(std::string_view text);

// The text as a C string literal, for quoting it in a message: in double quotes, with '"', '\'
// and control bytes escaped, so that nothing in it can break the line it is shown on.
std::string Quoted(std::string_view text);

}  // namespace zurcfg
