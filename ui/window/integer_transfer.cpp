#include "ui/window/integer_transfer.h"

#include <algorithm>
#include <limits>

namespace zurcfg {

namespace {

// How many characters of an edit's text the transfer looks at.
constexpr std::size_t kTransferLength = 31;

bool IsBlank(char c) {
    return c == ' ' || c == '\t';
}

bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

std::size_t SkipBlanks(std::string_view text, std::size_t at) {
    while (at < text.size() && IsBlank(text[at])) {
        ++at;
    }
    return at;
}

struct ScannedInteger {
    int32_t value;
    std::size_t end;  // one past the last digit, or where the scan began when there are none
    bool hasDigits;
};

// An optional sign and the digits after it, saturating at the 32-bit bounds.
ScannedInteger ScanInteger(std::string_view text, std::size_t at) {
    const std::size_t start = at;
    bool negative = false;
    if (at < text.size() && (text[at] == '+' || text[at] == '-')) {
        negative = text[at] == '-';
        ++at;
    }
    const int64_t limit = negative ? -static_cast<int64_t>(std::numeric_limits<int32_t>::min())
                                   : std::numeric_limits<int32_t>::max();
    int64_t magnitude = 0;
    const std::size_t firstDigit = at;
    while (at < text.size() && IsDigit(text[at])) {
        magnitude = std::min<int64_t>(magnitude * 10 + (text[at] - '0'), limit);
        ++at;
    }
    if (at == firstDigit) {
        return {0, start, false};
    }
    return {static_cast<int32_t>(negative ? -magnitude : magnitude), at, true};
}

}  // namespace

std::optional<int32_t> TransferInteger(std::string_view text) {
    text = text.substr(0, kTransferLength);
    const std::size_t start = SkipBlanks(text, 0);
    const ScannedInteger scanned = ScanInteger(text, start);
    if (!scanned.hasDigits || SkipBlanks(text, scanned.end) != text.size()) {
        return std::nullopt;
    }
    if (scanned.value == 0 && text[start] != '0') {
        return std::nullopt;
    }
    return scanned.value;
}

int32_t LeadingInteger(std::string_view text) {
    return ScanInteger(text, SkipBlanks(text, 0)).value;
}

}  // namespace zurcfg
