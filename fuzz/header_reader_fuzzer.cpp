// Feeds arbitrary bytes to the header scanner. Besides the sanitizers' checks, every value it
// returns must be one the scan rules can produce, and every finding and line must point into
// the text.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>
#include <vector>

#include "config/header_reader.h"
#include "config/option_lists.h"

namespace {

using zurcfg::Configuration;
using zurcfg::HeaderContents;
using zurcfg::NameEntry;
using zurcfg::ReadFinding;

bool IsBlank(char c) {
    return c == ' ' || c == '\t';
}

bool IsIdentifierChar(char c) {
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '_';
}

// Control bytes other than the tab never reach a value.
bool IsLineText(std::string_view text) {
    for (char c : text) {
        if (static_cast<unsigned char>(c) < 32 && c != '\t') {
            return false;
        }
    }
    return true;
}

bool IsIdentifier(std::string_view text) {
    for (char c : text) {
        if (!IsIdentifierChar(c)) {
            return false;
        }
    }
    return true;
}

bool IsMessageType(std::string_view type) {
    return IsLineText(type) && type.find("//") == std::string_view::npos &&
           (type.empty() || (!IsBlank(type.front()) && !IsBlank(type.back())));
}

bool IsItemTable(const std::vector<NameEntry>& items) {
    if (items.size() > zurcfg::kMaxEnumItems) {
        return false;
    }
    for (const NameEntry& item : items) {
        if (!IsIdentifier(item.identifier) || !IsLineText(item.comment) ||
            (!item.comment.empty() && IsBlank(item.comment.front()))) {
            return false;
        }
    }
    return true;
}

bool IsReadableRecord(const Configuration& c) {
    for (const auto& field : zurcfg::kCountFields) {
        if (c.*field.member < 0) {
            return false;
        }
    }
    for (const auto& field : zurcfg::kBankFields) {
        if (c.*field.member < 0) {
            return false;
        }
    }
    for (const auto& field : zurcfg::kSizeFields) {
        if (c.*field.member < 0 || c.*field.member >= zurcfg::kSizePositions) {
            return false;
        }
    }
    return IsMessageType(c.OST_MSG) && IsMessageType(c.OST_SMSG) && IsLineText(c.PROJECT_NAME) &&
           (c.PROJECT_NAME.empty() || !IsBlank(c.PROJECT_NAME.front())) && c.PLATFORM >= 0 &&
           c.PLATFORM < zurcfg::kPlatformPositions;
}

bool IsLineOf(int line, int lines) {
    return line >= 1 && line <= lines;
}

// One line per item kept, in file order.
bool AreItemLines(const std::vector<int>& itemLines, const std::vector<zurcfg::NameEntry>& items,
                  int lines) {
    return itemLines.size() == items.size() && std::is_sorted(itemLines.begin(), itemLines.end()) &&
           std::all_of(itemLines.begin(), itemLines.end(),
                       [lines](int line) { return IsLineOf(line, lines); });
}

// Only the scan's own kinds, each pointing at a line of the text; names not kept are counted
// beyond the table's rows, and the foreign-file finding comes first exactly when the marker is
// missing.
bool AreFindingsOf(const HeaderContents& contents, int lines) {
    const std::vector<ReadFinding>& findings = contents.findings;
    const bool foreignFirst =
        !findings.empty() && findings.front().kind == ReadFinding::Kind::NotGenerated;
    if (foreignFirst == contents.generatedMarkerSeen) {
        return false;
    }
    for (std::size_t i = foreignFirst ? 1 : 0; i < findings.size(); ++i) {
        const ReadFinding& finding = findings[i];
        const bool pointsIn = IsLineOf(finding.line, lines);
        switch (finding.kind) {
            case ReadFinding::Kind::SkippedEnumeration:
                if (!pointsIn) {
                    return false;
                }
                break;
            case ReadFinding::Kind::NamesNotKept:
                if (!pointsIn || finding.count < 1) {
                    return false;
                }
                break;
            case ReadFinding::Kind::EndsEarly:
                // Only the tool's own header ends early, and only once, at its last line.
                if (!pointsIn || !contents.generatedMarkerSeen || i + 1 != findings.size()) {
                    return false;
                }
                break;
            default:
                return false;
        }
    }
    const zurcfg::SourceLines& where = contents.lines;
    return std::all_of(where.fields.begin(), where.fields.end(),
                       [lines](const auto& field) {
                           return !field.first.empty() && IsLineOf(field.second, lines);
                       }) &&
           (where.bsemsEnumeration == 0 || IsLineOf(where.bsemsEnumeration, lines)) &&
           (where.stimersEnumeration == 0 || IsLineOf(where.stimersEnumeration, lines)) &&
           AreItemLines(where.bsemsItems, contents.bsems, lines) &&
           AreItemLines(where.stimersItems, contents.stimers, lines);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    const HeaderContents contents = zurcfg::ParseHeader(text);
    const int lines = static_cast<int>(std::count(text.begin(), text.end(), '\n')) + 1;
    if (!IsReadableRecord(contents.configuration) || !IsItemTable(contents.bsems) ||
        !IsItemTable(contents.stimers) || !AreFindingsOf(contents, lines)) {
        std::abort();
    }
    return 0;
}
