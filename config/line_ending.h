#pragma once

#include <string>
#include <string_view>

namespace zurcfg {

// How a header's lines end. A file keeps its own style when it is rewritten; a new one gets
// CR LF.
enum class LineEnding { CrLf, Lf, Cr };

inline constexpr LineEnding kNewHeaderLineEnding = LineEnding::CrLf;

// "CRLF", "LF" or "CR", as scripts and messages name the style.
const char* LineEndingName(LineEnding ending);

// The text with every "\n" written in the given style.
std::string WithLineEnding(std::string_view text, LineEnding ending);

}  // namespace zurcfg
