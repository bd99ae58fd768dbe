#pragma once

// The difference between two texts as the "diff -u" command shows it: "---" and "+++" lines with
// the given labels, then hunks "@@ -a,b +c,d @@" of removed, added and three lines of unchanged
// context, a line without a final line break followed by "\ No newline at end of file". The
// difference is a shortest one, by lines.

#include <string>
#include <string_view>

namespace zurcfg {

// Empty when the texts are equal.
std::string UnifiedDiff(std::string_view oldText, std::string_view newText,
                        std::string_view oldLabel, std::string_view newLabel);

}  // namespace zurcfg
