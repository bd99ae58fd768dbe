#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

namespace zurcfg {

// The strict reading of a count edit that every window read applies: blanks or tabs, a decimal
// integer with an optional sign, blanks or tabs, nothing else, judged on the first 31 characters.
// Zero counts only when its text begins with the digit 0 ("-0" and "+" fail). Numbers beyond
// 32 bits saturate. Empty when the text is not such an integer.
std::optional<int32_t> TransferInteger(std::string_view text);

// The lenient reading that fills the record: the leading decimal integer after blanks and tabs,
// with an optional sign; 0 when there are no digits ("12abc" gives 12, "abc" gives 0). Numbers
// beyond 32 bits saturate.
int32_t LeadingInteger(std::string_view text);

}  // namespace zurcfg
