#include "cli/report_format.h"

#include <cstdio>

#include "cli/field_values.h"
#include "config/header_messages.h"

namespace zurcfg {

namespace {

constexpr const char* kBankNames[] = {"bank0", "bank1", "bank2", "bank3"};

void PrintTable(std::ostream& out, const char* name, const std::vector<NameEntry>& items) {
    for (std::size_t i = 0; i < items.size(); ++i) {
        out << name << '[' << i + 1 << "]=" << items[i].identifier;
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

int EnumerationLine(const HeaderContents& contents, NameTableId table) {
    return table == NameTableId::Bsems ? contents.lines.bsemsEnumeration
                                       : contents.lines.stimersEnumeration;
}

// The line of a finding's item; a finding about the whole table stands at its enumeration.
int LineOf(const HeaderContents& contents, const NameFinding& finding) {
    const std::vector<int>& items = finding.table == NameTableId::Bsems
                                        ? contents.lines.bsemsItems
                                        : contents.lines.stimersItems;
    const auto row = static_cast<std::size_t>(finding.row);
    return finding.row == kWholeTable || row >= items.size()
               ? EnumerationLine(contents, finding.table)
               : items[row];
}

const char* KindName(NameFindingKind kind) {
    switch (kind) {
        case NameFindingKind::NotIdentifier:
            return "not-identifier";
        case NameFindingKind::Keyword:
            return "keyword";
        case NameFindingKind::Duplicate:
            return "duplicate-name";
        case NameFindingKind::MacroName:
            return "macro-name";
        case NameFindingKind::EnumTag:
            return "enumeration-tag";
        case NameFindingKind::TooLong:
            return "name-too-long";
        case NameFindingKind::CaseOnly:
            return "differs-in-case-only";
        case NameFindingKind::CommentEndMarker:
            return "comment-end-marker";
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

}  // namespace

std::vector<Finding> WordNameFindings(const HeaderContents& contents,
                                      const std::vector<NameFinding>& nameFindings) {
    std::vector<Finding> findings;
    for (const NameFinding& finding : nameFindings) {
        if (finding.kind != NameFindingKind::MoreThanCount) {
            findings.push_back(
                {LineOf(contents, finding), KindName(finding.kind), DescribeNameFinding(finding)});
        }
    }
    return findings;
}

std::vector<Finding> WordFindings(const HeaderContents& contents,
                                  const std::vector<CountWarning>& countWarnings) {
    std::vector<Finding> findings;
    for (const ReadFinding& found : contents.findings) {
        const std::string table = NameTableName(found.table);
        switch (found.kind) {
            case ReadFinding::Kind::NotGenerated:
                findings.push_back({found.line, "not-generated",
                                    "not written by ZURcfg_Tool; some values may be read wrong, "
                                    "and definitions and comments of its own are lost when it is "
                                    "rewritten"});
                break;
            case ReadFinding::Kind::SkippedEnumeration:
                findings.push_back({found.line, "skipped-enumeration",
                                    "the " + table +
                                        " names of this enumeration are not read (only an "
                                        "\"enum\" that begins its line is)"});
                break;
            case ReadFinding::Kind::NamesNotKept:
                findings.push_back({found.line, "names-not-kept",
                                    std::to_string(found.count) + " " + table +
                                        " name(s) from here on are beyond the table's " +
                                        std::to_string(NameTableRows(found.table)) +
                                        " rows and are not kept"});
                break;
            case ReadFinding::Kind::EndsEarly:
                findings.push_back(
                    {found.line, "ends-early",
                     "ends early, may be incomplete: the closing #endif is missing" +
                         (found.backupPath.empty()
                              ? std::string()
                              : "; " + found.backupPath +
                                    " may hold the header as last saved whole, and a save "
                                    "keeps it")});
                break;
            default:  // a header that was not read has no report
                break;
        }
    }
    for (const CountWarning& warning : countWarnings) {
        findings.push_back({EnumerationLine(contents, warning.table), "count-mismatch",
                            CountWarningText(warning)});
    }
    return findings;
}

void PrintFindings(std::ostream& out, const std::string& path,
                   const std::vector<Finding>& findings) {
    for (const Finding& finding : findings) {
        out << path;
        if (finding.line > 0) {
            out << ':' << finding.line;
        }
        out << ": warning: " << finding.text << '\n';
    }
}

void PrintConfiguration(std::ostream& out, const HeaderContents& contents) {
    for (const FieldValue& field : FieldValues(contents.configuration)) {
        out << field.name << '=' << field.value << '\n';
    }
    PrintTable(out, "BSEMS", contents.bsems);
    PrintTable(out, "STIMERS", contents.stimers);
}

void PrintJson(std::ostream& out, const HeaderReport& report) {
    out << "{\"path\": ";
    PrintJsonString(out, report.path);
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
    out << "},\n \"findings\": [";
    separator = "";
    for (const Finding& finding : report.findings) {
        out << separator << "{\"line\": " << finding.line << ", \"kind\": ";
        PrintJsonString(out, finding.kind);
        out << ", \"text\": ";
        PrintJsonString(out, finding.text);
        out << '}';
        separator = ", ";
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

}  // namespace zurcfg
