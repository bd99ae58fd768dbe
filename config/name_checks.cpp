#include "config/name_checks.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <string_view>
#include <tuple>

#include "config/ascii_text.h"
#include "config/c_names.h"
#include "config/fnv1a.h"
#include "config/header_writer.h"

namespace zurcfg {

namespace {

// The keywords of C (C99 and C11): an enumerator so named stops the build.
constexpr std::array<std::string_view, 44> kCKeywords{
    "_Alignas",  "_Alignof",       "_Atomic",       "_Bool",   "_Complex", "_Generic", "_Imaginary",
    "_Noreturn", "_Static_assert", "_Thread_local", "auto",    "break",    "case",     "char",
    "const",     "continue",       "default",       "do",      "double",   "else",     "enum",
    "extern",    "float",          "for",           "goto",    "if",       "inline",   "int",
    "long",      "register",       "restrict",      "return",  "short",    "signed",   "sizeof",
    "static",    "struct",         "switch",        "typedef", "union",    "unsigned", "void",
    "volatile",  "while"};

// Keywords of C++ (to C++20) and of later C that C99 leaves free: fine in a C build, but the
// header can then not be included from C++.
constexpr std::array<std::string_view, 61> kCppOnlyKeywords{"alignas",
                                                            "alignof",
                                                            "and",
                                                            "and_eq",
                                                            "asm",
                                                            "bitand",
                                                            "bitor",
                                                            "bool",
                                                            "catch",
                                                            "char16_t",
                                                            "char32_t",
                                                            "char8_t",
                                                            "class",
                                                            "co_await",
                                                            "co_return",
                                                            "co_yield",
                                                            "compl",
                                                            "concept",
                                                            "const_cast",
                                                            "consteval",
                                                            "constexpr",
                                                            "constinit",
                                                            "decltype",
                                                            "delete",
                                                            "dynamic_cast",
                                                            "explicit",
                                                            "export",
                                                            "false",
                                                            "friend",
                                                            "mutable",
                                                            "namespace",
                                                            "new",
                                                            "noexcept",
                                                            "not",
                                                            "not_eq",
                                                            "nullptr",
                                                            "operator",
                                                            "or",
                                                            "or_eq",
                                                            "private",
                                                            "protected",
                                                            "public",
                                                            "reinterpret_cast",
                                                            "requires",
                                                            "static_assert",
                                                            "static_cast",
                                                            "template",
                                                            "this",
                                                            "thread_local",
                                                            "throw",
                                                            "true",
                                                            "try",
                                                            "typeid",
                                                            "typename",
                                                            "typeof",
                                                            "typeof_unqual",
                                                            "using",
                                                            "virtual",
                                                            "wchar_t",
                                                            "xor",
                                                            "xor_eq"};

template <typename Names>
constexpr bool IsSorted(const Names& names) {
    for (std::size_t i = 1; i < names.size(); ++i) {
        if (!(names[i - 1] < names[i])) {
            return false;
        }
    }
    return true;
}
static_assert(IsSorted(kCKeywords) && IsSorted(kCppOnlyKeywords),
              "the keyword lists are searched by halving");

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

// The names the writer may define, each list sorted.
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

// The macros and enumeration tags of a header text, taken from its lines.
void CollectNames(std::string_view header, HeaderNames& names) {
    while (!header.empty()) {
        const std::size_t end = std::min(header.find('\n'), header.size());
        const std::string_view line = header.substr(0, end);
        header.remove_prefix(std::min(end + 1, header.size()));
        if (const std::string_view macro = WordAfter(line, "#define "); !macro.empty()) {
            names.macros.emplace_back(macro);
        } else if (const std::string_view tag = WordAfter(line, "enum "); !tag.empty()) {
            names.tags.emplace_back(tag);
        }
    }
}

// Taken from what the writer writes, in both name styles, so the list follows the writer.
HeaderNames CollectWriterNames() {
    HeaderNames names;
    const std::vector<NameEntry> oneItem{{"x", ""}};
    for (const bool enableAll : {false, true}) {
        for (const bool oldStyleNames : {false, true}) {
            CollectNames(FormatHeader(EveryOptionSet(enableAll), oneItem, oneItem, oldStyleNames,
                                      TextEncoding::SingleByte),
                         names);
        }
    }
    SortUnique(names.macros);
    SortUnique(names.tags);
    return names;
}

const HeaderNames& WriterNames() {
    static const HeaderNames names = CollectWriterNames();
    return names;
}

template <typename Names>
bool Holds(const Names& sortedNames, std::string_view name) {
    return std::binary_search(sortedNames.begin(), sortedNames.end(), name, std::less<>());
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

// A name as compilers declare it, and where it stands.
struct Occurrence {
    std::string_view identifier;
    uint64_t caseBlindHash;
    const TableTraits* table;
    int row;
};

class NameChecker {
public:
    NameChecker(const Configuration& configuration, const std::vector<std::string>& definedMacros)
        : configuration_(configuration), definedMacros_(definedMacros) {}

    std::vector<NameFinding> Check(const std::vector<NameEntry>& bsems,
                                   const std::vector<NameEntry>& stimers) {
        occurrences_.reserve(bsems.size() + stimers.size());
        CheckTable(kTables[0], bsems);
        CheckTable(kTables[1], stimers);
        CheckRepeats();
        CheckSignificantStarts();
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
                        "comment without an identifier: the row is not written", entry.comment);
                }
                continue;
            }
            ++identifiers;
            CheckIdentifier(table, row, entry.identifier);
            CheckComment(table, row, entry.comment);
        }
        CheckCount(table, identifiers);
    }

    // The name is checked as compilers take it; what they take beyond a plain identifier is
    // told, since it reads back as less.
    void CheckIdentifier(const TableTraits& table, int row, const std::string& identifier) {
        const EnumItemReading reading = ReadEnumItem(identifier);
        if (reading.verdict == EnumItemReading::Verdict::Rejected) {
            Add(table, row, NameFindingKind::NotIdentifier,
                "not a C identifier: ASCII letters, digits and _ only, no digit first", identifier);
            return;
        }
        // The reader keeps the name compilers declare, and drops the rest.
        const std::string_view name = reading.name;
        if (name != identifier) {
            Add(table, row, NameFindingKind::NotReadBackAsWritten,
                "compilers take it, but it reads back as " + Quoted(name), identifier);
        }
        if (!IsCIdentifier(name)) {
            Add(table, row, NameFindingKind::ExtendedCharacters,
                "holds $ or letters beyond ASCII: gcc and clang take it, other C compilers may "
                "not",
                identifier);
        }
        occurrences_.push_back({name, CaseBlindHash(name), &table, row});
        if (Holds(kCKeywords, name)) {
            Add(table, row, NameFindingKind::Keyword, "a C keyword", identifier);
        } else if (Holds(kCppOnlyKeywords, name)) {
            Add(table, row, NameFindingKind::CppKeyword,
                "a C++ keyword: fine in C, but not in a header included from C++", identifier);
        } else if (IsReservedIdentifier(name)) {
            Add(table, row, NameFindingKind::Reserved,
                "reserved for the compiler, as every name beginning with __ or _ and a capital",
                identifier);
        }
        if (Holds(definedMacros_, name)) {
            Add(table, row, NameFindingKind::MacroName, "a macro this header defines", identifier);
        } else if (Holds(WriterNames().macros, name)) {
            Add(table, row, NameFindingKind::OtherMacroName,
                "a macro the header defines with other settings or the other name style",
                identifier);
        }
        if (Holds(WriterNames().tags, name)) {
            Add(table, row, NameFindingKind::EnumTag, "the tag of one of the header's enumerations",
                identifier);
        }
        if (name.size() > kSignificantCharacters) {
            Add(table, row, NameFindingKind::TooLong,
                "longer than 31 characters: compilers need tell apart only the first 31",
                identifier);
        }
    }

    void CheckComment(const TableTraits& table, int row, const std::string& comment) {
        const std::size_t lineBreak = comment.find_first_of("\r\n");
        if (lineBreak != std::string::npos) {
            if (StartsWithCode(std::string_view(comment).substr(lineBreak))) {
                Add(table, row, NameFindingKind::CommentLineBreak,
                    "line break in the comment: the rest of it becomes code", comment);
            } else {
                Add(table, row, NameFindingKind::CommentLineBreak,
                    "line break at the end of the comment: it is not read back", comment,
                    Severity::Warning);
            }
        } else if (EndsInLineSplice(comment)) {
            Add(table, row, NameFindingKind::CommentContinues,
                "the comment ends in \\ (or ?\?/), which makes the next line part of it", comment);
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
            std::move(reason), {});
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
                        "also used in " + Place(*other), std::string(it->identifier));
                }
                if (otherSpelling != end) {
                    Add(*it->table, it->row, NameFindingKind::CaseOnly,
                        "differs only in letter case from " +
                            std::string(otherSpelling->identifier) + " in " + Place(*otherSpelling),
                        std::string(it->identifier));
                }
            }
            spelling = spellingEnd;
        }
    }

    // Long names that only their characters beyond the 31st tell apart.
    void CheckSignificantStarts() {
        std::vector<const Occurrence*> long_;
        for (const Occurrence& occurrence : occurrences_) {
            if (occurrence.identifier.size() > kSignificantCharacters) {
                long_.push_back(&occurrence);
            }
        }
        const auto start = [](const Occurrence* o) {
            return o->identifier.substr(0, kSignificantCharacters);
        };
        std::stable_sort(long_.begin(), long_.end(), [&](const Occurrence* a, const Occurrence* b) {
            return start(a) < start(b);
        });
        for (auto group = long_.begin(); group != long_.end();) {
            const auto groupEnd = std::find_if(
                group, long_.end(), [&](const Occurrence* o) { return start(o) != start(*group); });
            for (auto it = group; it != groupEnd; ++it) {
                const auto other = std::find_if(group, groupEnd, [&](const Occurrence* o) {
                    return o->identifier != (*it)->identifier;
                });
                if (other != groupEnd) {
                    Add(*(*it)->table, (*it)->row, NameFindingKind::SameSignificantStart,
                        "the same first 31 characters as " + std::string((*other)->identifier) +
                            " in " + Place(**other),
                        std::string((*it)->identifier));
                }
            }
            group = groupEnd;
        }
    }

    static std::string Place(const Occurrence& occurrence) {
        return EntryPlace(*occurrence.table, occurrence.row);
    }

    void Add(const TableTraits& table, int row, NameFindingKind kind, std::string reason,
             std::string subject) {
        Add(table, row, kind, std::move(reason), std::move(subject), SeverityOf(kind));
    }

    void Add(const TableTraits& table, int row, NameFindingKind kind, std::string reason,
             std::string subject, Severity severity) {
        findings_.push_back(
            {table.id, row, ColumnOf(kind), kind, std::move(reason), severity, std::move(subject)});
    }

    static NameColumn ColumnOf(NameFindingKind kind) {
        switch (kind) {
            case NameFindingKind::CommentLineBreak:
            case NameFindingKind::CommentContinues:
                return NameColumn::Comment;
            default:
                return NameColumn::Identifier;
        }
    }

    static Severity SeverityOf(NameFindingKind kind) {
        switch (kind) {
            case NameFindingKind::NotIdentifier:
            case NameFindingKind::Keyword:
            case NameFindingKind::Reserved:
            case NameFindingKind::Duplicate:
            case NameFindingKind::MacroName:
            case NameFindingKind::CommentLineBreak:
            case NameFindingKind::CommentContinues:
                return Severity::Error;
            default:
                return Severity::Warning;
        }
    }

    const Configuration& configuration_;
    const std::vector<std::string>& definedMacros_;
    std::vector<Occurrence> occurrences_;
    std::vector<NameFinding> findings_;
};

}  // namespace

std::vector<NameFinding> CheckNames(const std::vector<NameEntry>& bsems,
                                    const std::vector<NameEntry>& stimers,
                                    const Configuration& configuration,
                                    const std::vector<std::string>& definedMacros) {
    return NameChecker(configuration, definedMacros).Check(bsems, stimers);
}

std::vector<NameFinding> CheckNames(const std::vector<NameEntry>& bsems,
                                    const std::vector<NameEntry>& stimers,
                                    const Configuration& configuration, bool oldStyleNames) {
    return CheckNames(bsems, stimers, configuration, WrittenMacros(configuration, oldStyleNames));
}

std::vector<std::string> WrittenMacros(const Configuration& configuration, bool oldStyleNames) {
    HeaderNames names;
    CollectNames(FormatHeader(configuration, {}, {}, oldStyleNames, TextEncoding::SingleByte),
                 names);
    SortUnique(names.macros);
    return std::move(names.macros);
}

std::string DescribeNameFinding(const NameFinding& finding) {
    const TableTraits& table = Traits(finding.table);
    if (finding.row == kWholeTable) {
        return std::string(table.name) + ": " + finding.reason;
    }
    const bool aboutComment = finding.column == NameColumn::Comment ||
                              finding.kind == NameFindingKind::CommentWithoutIdentifier;
    return EntryPlace(table, finding.row) + (aboutComment ? " comment " : " ") +
           Quoted(finding.subject) + ": " + finding.reason;
}

}  // namespace zurcfg
