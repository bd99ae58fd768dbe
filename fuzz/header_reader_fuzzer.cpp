// Feeds arbitrary bytes to the header scanner. Besides the sanitizers' checks, every value it
// returns must be one the scan rules can produce, and every finding and place must point into
// the text, whose lines end at a line feed, a carriage return or both.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

#include "config/c_names.h"
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

// An item keeps the plain identifier at its start, possibly empty, or the whole name that
// compilers declare, with '$' or UTF-8 letters.
bool IsItemName(std::string_view text) {
    if (IsIdentifier(text)) {
        return true;
    }
    const zurcfg::EnumItemReading reading = zurcfg::ReadEnumItem(text);
    return reading.verdict == zurcfg::EnumItemReading::Verdict::Accepted && reading.name == text;
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
        if (!IsItemName(item.identifier) || !IsLineText(item.comment) ||
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

// One place per item kept, in file order, its comment behind it.
bool AreItemPlaces(const std::vector<zurcfg::ItemPlace>& places,
                   const std::vector<zurcfg::NameEntry>& items, int lines) {
    return places.size() == items.size() &&
           std::is_sorted(places.begin(), places.end(),
                          [](const auto& a, const auto& b) { return a.line < b.line; }) &&
           std::all_of(places.begin(), places.end(), [lines](const zurcfg::ItemPlace& place) {
               return IsLineOf(place.line, lines) && place.column >= 1 &&
                      (place.commentColumn == 0 || place.commentColumn > place.column);
           });
}

bool IsControlText(std::string_view text) {
    return !text.empty() && std::all_of(text.begin(), text.end(), [](char c) {
        return static_cast<unsigned char>(c) < 32 && c != '\t' && c != '\n' && c != '\r';
    });
}

// A finding about the text points at a line of it and says what it must say.
bool IsTextFinding(const ReadFinding& finding, const HeaderContents& contents, int lines) {
    if (!IsLineOf(finding.line, lines) || finding.column < 0) {
        return false;
    }
    const auto& items =
        finding.table == zurcfg::NameTableId::Bsems ? contents.bsems : contents.stimers;
    switch (finding.kind) {
        case ReadFinding::Kind::SkippedEnumeration:
            return true;
        case ReadFinding::Kind::NamesNotKept:
        case ReadFinding::Kind::ItemsNotChecked:
            return finding.count >= 1;
        case ReadFinding::Kind::ValueNotAsWritten:
            return !finding.subject.empty() && finding.column >= 1 && !finding.kept.empty();
        case ReadFinding::Kind::ItemNotAsWritten:
        case ReadFinding::Kind::MissingComma:
            return finding.entry >= 0 && static_cast<std::size_t>(finding.entry) < items.size() &&
                   items[finding.entry].identifier == finding.kept && finding.column >= 1;
        case ReadFinding::Kind::ControlBytes:
            return IsControlText(finding.found) && finding.column >= 1;
        case ReadFinding::Kind::CommentTakesLine:
            return finding.column >= 1 && finding.count > finding.line && !finding.found.empty();
        case ReadFinding::Kind::UnknownPlatform:
            return finding.column >= 1 && finding.severity == zurcfg::Severity::Warning;
        case ReadFinding::Kind::CommentRunsOn:
            return finding.column >= 1 && (finding.count == 0 || finding.count > finding.line) &&
                   (finding.count == 0) == (finding.severity == zurcfg::Severity::Error);
        case ReadFinding::Kind::EndsEarly:
            return contents.generatedMarkerSeen;
        default:
            return false;
    }
}

bool AreSortedNames(const std::vector<std::string>& names) {
    return std::is_sorted(names.begin(), names.end()) &&
           std::adjacent_find(names.begin(), names.end()) == names.end() &&
           std::all_of(names.begin(), names.end(),
                       [](const std::string& name) { return !name.empty() && IsIdentifier(name); });
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
        // Only the tool's own header ends early, and that is told once, last.
        const bool endsEarly = findings[i].kind == ReadFinding::Kind::EndsEarly;
        if (endsEarly && i + 1 != findings.size()) {
            return false;
        }
        if (!IsTextFinding(findings[i], contents, lines)) {
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
           AreItemPlaces(where.bsemsItems, contents.bsems, lines) &&
           AreItemPlaces(where.stimersItems, contents.stimers, lines) &&
           AreSortedNames(contents.definedMacros);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    const HeaderContents contents = zurcfg::ParseHeader(text);
    int lines = 1;
    for (std::size_t at = 0; at < text.size(); ++at) {
        const bool crLf = text[at] == '\r' && at + 1 < text.size() && text[at + 1] == '\n';
        lines += (text[at] == '\n' || text[at] == '\r') && !crLf ? 1 : 0;
    }
    if (!IsReadableRecord(contents.configuration) || !IsItemTable(contents.bsems) ||
        !IsItemTable(contents.stimers) || !AreFindingsOf(contents, lines)) {
        std::abort();
    }
    return 0;
}
