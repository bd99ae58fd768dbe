#include "cli/report_format.h"

#include <algorithm>
#include <cstdio>
#include <map>
#include <tuple>

#include "cli/field_values.h"
#include "config/c_names.h"
#include "config/header_messages.h"
#include "config/line_ending.h"
#include "config/text_field_checks.h"

namespace zurcfg {

namespace {

constexpr const char* kBankNames[] = {"bank0", "bank1", "bank2", "bank3"};

void PrintTable(std::ostream& out, const char* name, const std::vector<NameEntry>& items) {
    for (std::size_t i = 0; i < items.size(); ++i) {
        out << name << '[' << i << "]=" << items[i].identifier;
        if (!items[i].comment.empty()) {
            out << " // " << items[i].comment;
        }
        out << '\n';
    }
}

// The length of the UTF-8 sequence starting at text[i], 0 when none starts there.
std::size_t Utf8SequenceLength(const std::string& text, std::size_t i) {
    const auto byte = [&text](std::size_t at) { return static_cast<unsigned char>(text[at]); };
    const unsigned char lead = byte(i);
    const std::size_t length = lead >= 0xF0 && lead <= 0xF4   ? 4
                               : lead >= 0xE0                 ? 3
                               : lead >= 0xC2 && lead <= 0xDF ? 2
                                                              : 0;
    if (length == 0 || i + length > text.size()) {
        return 0;
    }
    for (std::size_t k = 1; k < length; ++k) {
        if ((byte(i + k) & 0xC0) != 0x80) {
            return 0;
        }
    }
    return length;
}

void PrintJsonString(std::ostream& out, const std::string& text) {
    out << '"';
    for (std::size_t i = 0; i < text.size();) {
        const unsigned char c = static_cast<unsigned char>(text[i]);
        if (c == '"' || c == '\\') {
            out << '\\' << text[i++];
        } else if (c < 0x20 || c == 0x7F) {
            char escaped[8];
            std::snprintf(escaped, sizeof escaped, "\\u%04x", c);
            out << escaped;
            ++i;
        } else if (c < 0x80) {
            out << text[i++];
        } else if (const std::size_t length = Utf8SequenceLength(text, i); length > 0) {
            out << text.substr(i, length);
            i += length;
        } else {
            out << static_cast<char>(0xC0 | (c >> 6)) << static_cast<char>(0x80 | (c & 0x3F));
            ++i;
        }
    }
    out << '"';
}

void PrintJsonTable(std::ostream& out, const std::vector<NameEntry>& items) {
    out << '[';
    for (std::size_t i = 0; i < items.size(); ++i) {
        out << (i == 0 ? "" : ", ") << "{\"identifier\": ";
        PrintJsonString(out, items[i].identifier);
        out << ", \"comment\": ";
        PrintJsonString(out, items[i].comment);
        out << '}';
    }
    out << ']';
}

// A 1-based number, or null for 0 (not known).
void PrintJsonPlace(std::ostream& out, int number) {
    if (number > 0) {
        out << number;
    } else {
        out << "null";
    }
}

int EnumerationLine(const HeaderContents& contents, NameTableId table) {
    return table == NameTableId::Bsems ? contents.lines.bsemsEnumeration
                                       : contents.lines.stimersEnumeration;
}

// Where a name finding stands: its item's identifier or comment; a finding about the whole
// table stands at its enumeration.
std::pair<int, int> PlaceOf(const HeaderContents& contents, const NameFinding& finding) {
    const std::vector<ItemPlace>& items = finding.table == NameTableId::Bsems
                                              ? contents.lines.bsemsItems
                                              : contents.lines.stimersItems;
    const auto row = static_cast<std::size_t>(finding.row);
    if (finding.row == kWholeTable || row >= items.size()) {
        return {EnumerationLine(contents, finding.table), 0};
    }
    const ItemPlace& place = items[row];
    return {place.line, finding.column == NameColumn::Comment ? place.commentColumn : place.column};
}

const char* KindName(NameFindingKind kind) {
    switch (kind) {
        case NameFindingKind::NotIdentifier:
            return "not-identifier";
        case NameFindingKind::NotReadBackAsWritten:
            return "not-read-back-as-written";
        case NameFindingKind::ExtendedCharacters:
            return "extended-characters";
        case NameFindingKind::Keyword:
            return "keyword";
        case NameFindingKind::CppKeyword:
            return "cpp-keyword";
        case NameFindingKind::Reserved:
            return "reserved-name";
        case NameFindingKind::Duplicate:
            return "duplicate-name";
        case NameFindingKind::MacroName:
            return "macro-name";
        case NameFindingKind::OtherMacroName:
            return "other-macro-name";
        case NameFindingKind::EnumTag:
            return "enumeration-tag";
        case NameFindingKind::TooLong:
            return "name-too-long";
        case NameFindingKind::SameSignificantStart:
            return "same-first-31-characters";
        case NameFindingKind::CaseOnly:
            return "differs-in-case-only";
        case NameFindingKind::CommentLineBreak:
            return "comment-line-break";
        case NameFindingKind::CommentContinues:
            return "comment-continues";
        case NameFindingKind::CommentWithoutIdentifier:
            return "comment-without-name";
        case NameFindingKind::FewerThanCount:
            return "fewer-names-than-count";
        case NameFindingKind::MoreThanCount:
            return "count-mismatch";
    }
    return "name";
}

const char* KindName(ReadFinding::Kind kind) {
    switch (kind) {
        case ReadFinding::Kind::NotGenerated:
            return "not-generated";
        case ReadFinding::Kind::SkippedEnumeration:
            return "skipped-enumeration";
        case ReadFinding::Kind::NamesNotKept:
            return "names-not-kept";
        case ReadFinding::Kind::ValueNotAsWritten:
            return "value-not-as-written";
        case ReadFinding::Kind::ItemNotAsWritten:
            return "item-not-as-written";
        case ReadFinding::Kind::MissingComma:
            return "missing-comma";
        case ReadFinding::Kind::ControlBytes:
            return "control-bytes";
        case ReadFinding::Kind::CommentRunsOn:
            return "comment-runs-on";
        case ReadFinding::Kind::ItemsNotChecked:
            return "items-not-checked";
        case ReadFinding::Kind::CommentTakesLine:
            return "comment-takes-line";
        case ReadFinding::Kind::UnknownPlatform:
            return "unknown-platform";
        case ReadFinding::Kind::EndsEarly:
            return "ends-early";
        case ReadFinding::Kind::Missing:
        case ReadFinding::Kind::NotRegularFile:
        case ReadFinding::Kind::NotReadable:
            break;
    }
    return "not-read";
}

// Whether a rewrite loses or changes what the finding is about. A foreign header is meant to be
// rewritten; everything else the reader does not take as written stops it.
bool BlocksRewrite(const ReadFinding& finding) {
    return finding.kind != ReadFinding::Kind::NotGenerated;
}

// What the reader found, worded.
Finding WordReadFinding(const ReadFinding& found) {
    Finding finding{found.line,           found.column, found.severity,
                    KindName(found.kind), {},           BlocksRewrite(found)};
    finding.text = found.kind == ReadFinding::Kind::NotGenerated
                       ? "not written by ZURcfg_Tool; some values may be read wrong, and "
                         "definitions and comments of its own are lost when it is rewritten"
                       : DescribeReadFinding(found);
    return finding;
}

// A message type read from the header that would break it where it stands.
void AddMessageTypeFindings(const HeaderContents& contents, std::vector<Finding>& findings) {
    for (const auto& field : kMessageTypeFields) {
        const std::string& type = contents.configuration.*field.member;
        if (const std::string problem = MessageTypeProblem(type); !problem.empty()) {
            findings.push_back(
                {contents.lines.FieldLine(field.name), 0, Severity::Warning, "message-type",
                 std::string(field.name) + " " + Quoted(type) + ": " + problem, false});
        }
    }
}

// A percent-encoded URI reference for a path: relative paths stay relative, with '/' between
// their parts; absolute ones become file URIs.
std::string UriOf(const std::string& path) {
    std::string uri;
    std::string parts = path;
    std::replace(parts.begin(), parts.end(), '\\', '/');
    const bool absolute =
        (!parts.empty() && parts.front() == '/') || (parts.size() > 1 && parts[1] == ':');
    if (absolute) {
        uri = parts.front() == '/' ? "file://" : "file:///";
    }
    constexpr std::string_view kKept = "-._~/:";
    for (const char c : parts) {
        const auto byte = static_cast<unsigned char>(c);
        if ((c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') ||
            kKept.find(c) != std::string_view::npos) {
            uri += c;
        } else {
            char escaped[4];
            std::snprintf(escaped, sizeof escaped, "%%%02X", static_cast<unsigned>(byte));
            uri += escaped;
        }
    }
    return uri;
}

void PrintSarifLocation(std::ostream& out, const std::string& path, int line, int column) {
    out << "{\"physicalLocation\": {\"artifactLocation\": {\"uri\": ";
    PrintJsonString(out, UriOf(path));
    out << '}';
    if (line > 0) {
        out << ", \"region\": {\"startLine\": " << line;
        if (column > 0) {
            out << ", \"startColumn\": " << column;
        }
        out << '}';
    }
    out << "}}";
}

}  // namespace

bool HeaderReport::HasErrors() const {
    return std::any_of(findings.begin(), findings.end(),
                       [](const Finding& finding) { return finding.severity == Severity::Error; });
}

bool HeaderReport::BlocksRewrite() const {
    return std::any_of(findings.begin(), findings.end(), [](const Finding& finding) {
        return finding.blocksRewrite || finding.severity == Severity::Error;
    });
}

std::vector<Finding> WordFindings(const HeaderContents& contents,
                                  const std::vector<NameFinding>& nameFindings) {
    std::vector<Finding> findings;
    for (const ReadFinding& found : contents.findings) {
        findings.push_back(WordReadFinding(found));
    }
    for (const NameFinding& found : nameFindings) {
        const auto [line, column] = PlaceOf(contents, found);
        findings.push_back({line, column, found.severity, KindName(found.kind),
                            DescribeNameFinding(found), false});
    }
    AddMessageTypeFindings(contents, findings);
    std::stable_sort(findings.begin(), findings.end(), [](const Finding& a, const Finding& b) {
        return std::tie(a.line, a.column) < std::tie(b.line, b.column);
    });
    return findings;
}

void PrintFindings(std::ostream& out, const std::string& path,
                   const std::vector<Finding>& findings) {
    for (const Finding& finding : findings) {
        out << path;
        if (finding.line > 0) {
            out << ':' << finding.line;
            if (finding.column > 0) {
                out << ':' << finding.column;
            }
        }
        out << ": " << SeverityName(finding.severity) << ": " << finding.text << '\n';
    }
}

void PrintConfiguration(std::ostream& out, const HeaderContents& contents) {
    for (const FieldValue& field : FieldValues(contents.configuration)) {
        out << field.name << '=' << field.value << '\n';
    }
    PrintTable(out, "BSEMS", contents.bsems);
    PrintTable(out, "STIMERS", contents.stimers);
}

void PrintJson(std::ostream& out, const HeaderReport& report, bool findings) {
    out << "{\"schemaVersion\": " << kJsonSchemaVersion << ", \"path\": ";
    PrintJsonString(out, report.path);
    if (!report.Read()) {
        out << ", \"error\": ";
        PrintJsonString(out, report.error);
        out << '}';
        return;
    }
    out << ", \"nameStyle\": \"" << (report.oldStyleNames ? "old" : "new")
        << "\", \"lineEnding\": \"" << LineEndingName(report.contents.lineEnding) << '"';
    out << ",\n \"fields\": {";
    const char* separator = "";
    for (const FieldValue& field : FieldValues(report.contents.configuration)) {
        out << separator << '"' << field.name << "\": ";
        if (field.isNumber) {
            out << field.value;
        } else {
            PrintJsonString(out, field.value);
        }
        separator = ", ";
    }
    out << "},\n \"tables\": {\"BSEMS\": ";
    PrintJsonTable(out, report.contents.bsems);
    out << ", \"STIMERS\": ";
    PrintJsonTable(out, report.contents.stimers);
    out << '}';
    if (!findings) {
        out << '}';
        return;
    }
    out << ",\n \"findings\": [";
    separator = "";
    for (const Finding& finding : report.findings) {
        out << separator << "{\"line\": ";
        PrintJsonPlace(out, finding.line);
        out << ", \"column\": ";
        PrintJsonPlace(out, finding.column);
        out << ", \"severity\": \"" << SeverityName(finding.severity) << "\", \"kind\": ";
        PrintJsonString(out, finding.kind);
        out << ", \"text\": ";
        PrintJsonString(out, finding.text);
        out << '}';
        separator = ",\n  ";
    }
    out << "],\n \"ram\": ";
    if (!report.ram) {
        out << "null}";
        return;
    }
    out << '{';
    for (std::size_t bank = 0; bank < report.ram->size(); ++bank) {
        out << (bank == 0 ? "" : ", ") << '"' << kBankNames[bank] << "\": " << (*report.ram)[bank];
    }
    out << "}}";
}

void PrintSarif(std::ostream& out, const std::vector<HeaderReport>& reports) {
    // A rule for each kind met, in the order first met; results point at theirs by index.
    std::map<std::string, std::size_t> ruleIndex;
    std::vector<std::string> rules;
    for (const HeaderReport& report : reports) {
        for (const Finding& finding : report.findings) {
            if (ruleIndex.emplace(finding.kind, rules.size()).second) {
                rules.push_back(finding.kind);
            }
        }
    }
    out << "{\"version\": \"2.1.0\",\n \"$schema\": "
           "\"https://json.schemastore.org/sarif-2.1.0.json\",\n \"runs\": [{\"tool\": "
           "{\"driver\": {\"name\": \"zurcfg\", \"version\": \"" ZURCFG_VERSION "\", \"rules\": [";
    for (std::size_t i = 0; i < rules.size(); ++i) {
        out << (i == 0 ? "" : ", ") << "{\"id\": ";
        PrintJsonString(out, rules[i]);
        out << '}';
    }
    out << "]}},\n  \"invocations\": [{\"executionSuccessful\": "
        << (std::all_of(reports.begin(), reports.end(),
                        [](const HeaderReport& report) { return report.Read(); })
                ? "true"
                : "false")
        << ", \"toolExecutionNotifications\": [";
    const char* separator = "";
    for (const HeaderReport& report : reports) {
        if (report.Read()) {
            continue;
        }
        out << separator << "{\"level\": \"error\", \"message\": {\"text\": ";
        PrintJsonString(out, report.error);
        out << "}, \"locations\": [";
        PrintSarifLocation(out, report.path, 0, 0);
        out << "]}";
        separator = ", ";
    }
    out << "]}],\n  \"results\": [";
    separator = "";
    for (const HeaderReport& report : reports) {
        for (const Finding& finding : report.findings) {
            out << separator << "{\"ruleId\": ";
            PrintJsonString(out, finding.kind);
            out << ", \"ruleIndex\": " << ruleIndex[finding.kind] << ", \"level\": \""
                << SeverityName(finding.severity) << "\", \"message\": {\"text\": ";
            PrintJsonString(out, finding.text);
            out << "}, \"locations\": [";
            PrintSarifLocation(out, report.path, finding.line, finding.column);
            out << "]}";
            separator = ",\n   ";
        }
    }
    out << "]}]}\n";
}

}  // namespace zurcfg
