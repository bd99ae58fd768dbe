#include "config/name_checks.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <string_view>
#include <tuple>

#include "config/ascii_text.h"
#include "config/fnv1a.h"
#include "config/header_writer.h"

namespace zurcfg {

namespace {

// The keywords of C11 and C++17, alternative operator spellings included, in byte order.
constexpr std::array<std::string_view, 95> kKeywords{
    "_Alignas",      "_Alignof",    "_Atomic",
    "_Bool",         "_Complex",    "_Generic",
    "_Imaginary",    "_Noreturn",   "_Static_assert",
    "_Thread_local", "alignas",     "alignof",
    "and",           "and_eq",      "asm",
    "auto",          "bitand",      "bitor",
    "bool",          "break",       "case",
    "catch",         "char",        "char16_t",
    "char32_t",      "class",       "compl",
    "const",         "const_cast",  "constexpr",
    "continue",      "decltype",    "default",
    "delete",        "do",          "double",
    "dynamic_cast",  "else",        "enum",
    "explicit",      "export",      "extern",
    "false",         "float",       "for",
    "friend",        "goto",        "if",
    "inline",        "int",         "long",
    "mutable",       "namespace",   "new",
    "noexcept",      "not",         "not_eq",
    "nullptr",       "operator",    "or",
    "or_eq",         "private",     "protected",
    "public",        "register",    "reinterpret_cast",
    "restrict",      "return",      "short",
    "signed",        "sizeof",      "static",
    "static_assert", "static_cast", "struct",
    "switch",        "template",    "this",
    "thread_local",  "throw",       "true",
    "try",           "typedef",     "typeid",
    "typename",      "union",       "unsigned",
    "using",         "virtual",     "void",
    "volatile",      "wchar_t",     "while",
    "xor",           "xor_eq"};

template <typename Names>
constexpr bool IsSorted(const Names& names) {
    for (std::size_t i = 1; i < names.size(); ++i) {
        if (!(names[i - 1] < names[i])) {
            return false;
        }
    }
    return true;
}
static_assert(IsSorted(kKeywords), "kKeywords is searched by halving");

// The length up to which C promises to tell identifiers apart.
constexpr std::size_t kSignificantCharacters = 31;

struct TableTraits {
    NameTableId id;
    std::string_view name;      // as the window's and the warnings' texts call it
    std::string_view enumName;  // as the writer's count warning calls the enumeration
    int32_t Configuration::*count;
};
constexpr std::array<TableTraits, 2> kTables{{
    {NameTableId::Bsems, "BSEMS", "ENUM_BSEMS", &Configuration::OS_BSEMS},
    {NameTableId::Stimers, "STIMERS", "ENUM_STIMERS", &Configuration::OS_STIMERS},
}};

const TableTraits& Traits(NameTableId id) {
    return id == NameTableId::Bsems ? kTables[0] : kTables[1];
}

// As the user sees a row of a table: "BSEMS entry 3".
std::string EntryPlace(const TableTraits& table, int row) {
    return std::string(table.name) + " entry " + std::to_string(row);
}

// The names the header itself defines, each list sorted.
struct HeaderNames {
    std::vector<std::string> macros;
    std::vector<std::string> tags;
};

// Sets every option, so that the writer writes every line it has. "Enable all" and "All used
// in interrupts" stand in for the single services' lines, so one header is taken with them and
// one without.
Configuration EveryOptionSet(bool enableAll) {
    Configuration configuration;
    for (const auto& field : kCountFields) {
        configuration.*field.member = 1;
    }
    for (const auto& field : kServiceSwitchFields) {
        configuration.*field.member = 1;
    }
    for (const auto& field : kInterruptSwitchFields) {
        configuration.*field.member = 1;
    }
    for (const auto& field : kBankFields) {
        configuration.*field.member = 1;
    }
    for (const auto& field : kSizeFields) {
        configuration.*field.member = 1;
    }
    for (const auto& field : kMessageTypeFields) {
        configuration.*field.member = "char";
    }
    configuration.OS_ENABLE_ALL = enableAll;
    configuration.OS_ENABLE_INT_ALL = enableAll;
    return configuration;
}

// The word after prefix at the start of line, up to a blank; empty when line does not start so.
std::string_view WordAfter(std::string_view line, std::string_view prefix) {
    if (line.substr(0, prefix.size()) != prefix) {
        return {};
    }
    line.remove_prefix(prefix.size());
    return line.substr(0, line.find(' '));
}

void SortUnique(std::vector<std::string>& names) {
    std::sort(names.begin(), names.end());
    names.erase(std::unique(names.begin(), names.end()), names.end());
}

// Taken from what the writer writes, in both name styles, so the list follows the writer.
HeaderNames CollectHeaderNames() {
    HeaderNames names;
    const std::vector<NameEntry> oneItem{{"x", ""}};
    for (const bool enableAll : {false, true}) {
        for (const bool oldStyleNames : {false, true}) {
            const std::string header = FormatHeader(EveryOptionSet(enableAll), oneItem, oneItem,
                                                    oldStyleNames, TextEncoding::SingleByte);
            std::string_view rest = header;
            while (!rest.empty()) {
                const std::size_t end = std::min(rest.find('\n'), rest.size());
                const std::string_view line = rest.substr(0, end);
                rest.remove_prefix(std::min(end + 1, rest.size()));
                if (const std::string_view macro = WordAfter(line, "#define "); !macro.empty()) {
                    names.macros.emplace_back(macro);
                } else if (const std::string_view tag = WordAfter(line, "enum "); !tag.empty()) {
                    names.tags.emplace_back(tag);
                }
            }
        }
    }
    SortUnique(names.macros);
    SortUnique(names.tags);
    return names;
}

const HeaderNames& OwnHeaderNames() {
    static const HeaderNames names = CollectHeaderNames();
    return names;
}

template <typename Names>
bool Holds(const Names& sortedNames, std::string_view name) {
    return std::binary_search(sortedNames.begin(), sortedNames.end(), name, std::less<>());
}

constexpr bool IsAsciiLetter(char c) {
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
}

bool IsCIdentifier(std::string_view text) {
    if (text.empty() || !(IsAsciiLetter(text.front()) || text.front() == '_')) {
        return false;
    }
    return std::all_of(text.begin(), text.end(), [](char c) {
        return IsAsciiLetter(c) || (c >= '0' && c <= '9') || c == '_';
    });
}

// A blank may stand between the backslash and the line's end: compilers splice the lines
// all the same.
bool EndsInBackslash(std::string_view comment) {
    const std::size_t last = comment.find_last_not_of(" \t");
    return last != std::string_view::npos && comment[last] == '\\';
}

// Three-way comparison of the ASCII-lower-case texts: names differing only in case are equal.
int CompareIgnoringCase(std::string_view a, std::string_view b) {
    const std::size_t common = std::min(a.size(), b.size());
    for (std::size_t i = 0; i < common; ++i) {
        const char lowerA = AsciiLower(a[i]);
        const char lowerB = AsciiLower(b[i]);
        if (lowerA != lowerB) {
            return lowerA < lowerB ? -1 : 1;
        }
    }
    return a.size() == b.size() ? 0 : (a.size() < b.size() ? -1 : 1);
}

// FNV-1a over the ASCII-lower-case text: equal for names that differ only in case.
uint64_t CaseBlindHash(std::string_view text) {
    uint64_t hash = kFnv1aStart;
    for (const char c : text) {
        hash = Fnv1aStep(hash, AsciiLower(c));
    }
    return hash;
}

// A well-formed identifier and where it stands.
struct Occurrence {
    std::string_view identifier;
    uint64_t caseBlindHash;
    const TableTraits* table;
    int row;
};

class NameChecker {
public:
    explicit NameChecker(const Configuration& configuration) : configuration_(configuration) {}

    std::vector<NameFinding> Check(const std::vector<NameEntry>& bsems,
                                   const std::vector<NameEntry>& stimers) {
        occurrences_.reserve(bsems.size() + stimers.size());
        CheckTable(kTables[0], bsems);
        CheckTable(kTables[1], stimers);
        CheckRepeats();
        std::stable_sort(
            findings_.begin(), findings_.end(), [](const NameFinding& a, const NameFinding& b) {
                return std::tie(a.table, a.row, a.column) < std::tie(b.table, b.row, b.column);
            });
        return std::move(findings_);
    }

private:
    void CheckTable(const TableTraits& table, const std::vector<NameEntry>& rows) {
        int identifiers = 0;
        for (int row = 0; row < static_cast<int>(rows.size()); ++row) {
            const NameEntry& entry = rows[row];
            if (entry.identifier.empty()) {
                if (!entry.comment.empty()) {
                    Add(table, row, NameFindingKind::CommentWithoutIdentifier,
                        "comment without an identifier: the row is not written");
                }
                continue;
            }
            ++identifiers;
            CheckIdentifier(table, row, entry.identifier);
            CheckComment(table, row, entry.comment);
        }
        CheckCount(table, identifiers);
    }

    void CheckIdentifier(const TableTraits& table, int row, const std::string& identifier) {
        if (!IsCIdentifier(identifier)) {
            Add(table, row, NameFindingKind::NotIdentifier,
                "not a C identifier: ASCII letters, digits and _ only, no digit first");
            return;
        }
        occurrences_.push_back({identifier, CaseBlindHash(identifier), &table, row});
        if (Holds(kKeywords, identifier)) {
            Add(table, row, NameFindingKind::Keyword, identifier + " is a C or C++ keyword");
        }
        const HeaderNames& own = OwnHeaderNames();
        if (Holds(own.macros, identifier)) {
            Add(table, row, NameFindingKind::MacroName,
                identifier + " is a macro of the header itself");
        }
        if (Holds(own.tags, identifier)) {
            Add(table, row, NameFindingKind::EnumTag,
                identifier + " is the tag of one of the header's enumerations");
        }
        if (identifier.size() > kSignificantCharacters) {
            Add(table, row, NameFindingKind::TooLong,
                "longer than 31 characters: compilers need tell apart only the first 31");
        }
    }

    // One pass over the comment: a search per finding would cost more for a table full of them.
    void CheckComment(const TableTraits& table, int row, std::string_view comment) {
        bool endMarker = false;
        bool lineBreak = false;
        for (std::size_t i = 0; i < comment.size(); ++i) {
            const char c = comment[i];
            lineBreak |= c == '\n' || c == '\r';
            endMarker |= c == '*' && i + 1 < comment.size() && comment[i + 1] == '/';
        }
        if (endMarker) {
            Add(table, row, NameFindingKind::CommentEndMarker,
                "*/ in the comment would end a comment around it");
        }
        if (lineBreak) {
            Add(table, row, NameFindingKind::CommentLineBreak,
                "line break in the comment: the rest of it becomes code");
        } else if (EndsInBackslash(comment)) {
            Add(table, row, NameFindingKind::CommentContinues,
                "the comment ends in \\, which makes the next line part of it");
        }
    }

    // As the writer counts: every row with an identifier, well formed or not.
    void CheckCount(const TableTraits& table, int identifiers) {
        const int32_t count = configuration_.*table.count;
        if (identifiers == count) {
            return;
        }
        std::string reason = "OS_" + std::string(table.name) + " = " + std::to_string(count) +
                             (identifiers < count ? ", but only " : ", but ") +
                             std::to_string(identifiers) + " item(s) defined in " +
                             std::string(table.enumName);
        Add(table, kWholeTable,
            identifiers < count ? NameFindingKind::FewerThanCount : NameFindingKind::MoreThanCount,
            std::move(reason));
    }

    // Identifiers used more than once, and identifiers differing only in letter case, across
    // both tables. Each occurrence gets a finding that names another one. Sorting by the hash
    // first spares most comparisons of texts.
    void CheckRepeats() {
        std::sort(occurrences_.begin(), occurrences_.end(),
                  [](const Occurrence& a, const Occurrence& b) {
                      if (a.caseBlindHash != b.caseBlindHash) {
                          return a.caseBlindHash < b.caseBlindHash;
                      }
                      if (const int order = CompareIgnoringCase(a.identifier, b.identifier)) {
                          return order < 0;
                      }
                      if (a.identifier != b.identifier) {
                          return a.identifier < b.identifier;
                      }
                      return std::tie(a.table->id, a.row) < std::tie(b.table->id, b.row);
                  });
        for (auto group = occurrences_.begin(); group != occurrences_.end();) {
            const auto groupEnd = std::find_if(group, occurrences_.end(), [&](const auto& o) {
                return o.caseBlindHash != group->caseBlindHash ||
                       CompareIgnoringCase(o.identifier, group->identifier) != 0;
            });
            if (groupEnd - group > 1) {
                CheckGroup(group, groupEnd);
            }
            group = groupEnd;
        }
    }

    using OccurrenceIt = std::vector<Occurrence>::const_iterator;

    // One group of identifiers equal but for letter case, sorted by spelling.
    void CheckGroup(OccurrenceIt begin, OccurrenceIt end) {
        for (auto spelling = begin; spelling != end;) {
            const auto spellingEnd = std::find_if(spelling, end, [&](const Occurrence& o) {
                return o.identifier != spelling->identifier;
            });
            const auto otherSpelling = spelling == begin ? spellingEnd : begin;
            for (auto it = spelling; it != spellingEnd; ++it) {
                if (spellingEnd - spelling > 1) {
                    const auto other = it == spelling ? spelling + 1 : spelling;
                    Add(*it->table, it->row, NameFindingKind::Duplicate,
                        "also used in " + Place(*other));
                }
                if (otherSpelling != end) {
                    Add(*it->table, it->row, NameFindingKind::CaseOnly,
                        "differs only in letter case from " +
                            std::string(otherSpelling->identifier) + " in " +
                            Place(*otherSpelling));
                }
            }
            spelling = spellingEnd;
        }
    }

    static std::string Place(const Occurrence& occurrence) {
        return EntryPlace(*occurrence.table, occurrence.row);
    }

    void Add(const TableTraits& table, int row, NameFindingKind kind, std::string reason) {
        findings_.push_back(
            {table.id, row, ColumnOf(kind), kind, std::move(reason), StopsBuild(kind)});
    }

    static NameColumn ColumnOf(NameFindingKind kind) {
        switch (kind) {
            case NameFindingKind::CommentEndMarker:
            case NameFindingKind::CommentLineBreak:
            case NameFindingKind::CommentContinues:
                return NameColumn::Comment;
            default:
                return NameColumn::Identifier;
        }
    }

    static bool StopsBuild(NameFindingKind kind) {
        switch (kind) {
            case NameFindingKind::NotIdentifier:
            case NameFindingKind::Keyword:
            case NameFindingKind::Duplicate:
            case NameFindingKind::MacroName:
            case NameFindingKind::CommentEndMarker:
            case NameFindingKind::CommentLineBreak:
            case NameFindingKind::CommentContinues:
                return true;
            default:
                return false;
        }
    }

    const Configuration& configuration_;
    std::vector<Occurrence> occurrences_;
    std::vector<NameFinding> findings_;
};

}  // namespace

std::vector<NameFinding> CheckNames(const std::vector<NameEntry>& bsems,
                                    const std::vector<NameEntry>& stimers,
                                    const Configuration& configuration) {
    return NameChecker(configuration).Check(bsems, stimers);
}

std::string DescribeNameFinding(const NameFinding& finding) {
    const TableTraits& table = Traits(finding.table);
    return (finding.row == kWholeTable ? std::string(table.name) : EntryPlace(table, finding.row)) +
           ": " + finding.reason;
}

}  // namespace zurcfg
