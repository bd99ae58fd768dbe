#pragma once

// Checks of the two name tables before their rows become enum items in the header: what would
// stop a C compiler building the header or a unit using its enumerators (errors), and what
// builds but is worth a look (warnings). The check reads the tables as the writer takes them and
// says nothing about rows that are wholly empty.

#include <string>
#include <vector>

#include "config/configuration.h"
#include "config/finding_severity.h"

namespace zurcfg {

enum class NameColumn { Identifier, Comment };

enum class NameFindingKind {
    NotIdentifier,             // not a name compilers take: a stray character, two words
    NotReadBackAsWritten,      // compilers take it (blanks around it, an explicit value), but
                               // the reader keeps less of it
    ExtendedCharacters,        // '$' or a non-ASCII letter, which gcc and clang take in a name
    Keyword,                   // a C keyword
    CppKeyword,                // a keyword of C++ or of later C only
    Reserved,                  // begins with "__" or '_' and a capital, as compilers' own names
    Duplicate,                 // the same identifier in another row of either table
    MacroName,                 // a macro the header defines
    OtherMacroName,            // a macro the header defines with other options or name style
    EnumTag,                   // the tag of one of the header's enumerations
    TooLong,                   // more characters than C promises to tell apart
    SameSignificantStart,      // another long identifier starts with the same 31 characters
    CaseOnly,                  // another identifier differs from it only in letter case
    CommentLineBreak,          // a line break or carriage return in a comment
    CommentContinues,          // a comment ending in '\' or "??/", which joins the next line
    CommentWithoutIdentifier,  // the writer skips the row, so the comment is lost
    FewerThanCount,            // the table names fewer items than its count
    MoreThanCount,             // the table names more items than its count
};

// Row of a finding about a table as a whole (its count) rather than one of its rows.
inline constexpr int kWholeTable = -1;

struct NameFinding {
    NameTableId table;
    int row;  // entry number (0-based, as the window's N column shows it), or kWholeTable
    NameColumn column;
    NameFindingKind kind;
    std::string reason;  // short, for a tooltip or a warning line
    Severity severity;
    std::string subject;  // the identifier or comment it is about; empty for a table's count
};

// Every finding, ordered by table (BSEMS first), row and column. The counts are compared with
// OS_BSEMS and OS_STIMERS of the configuration, as the writer compares them; a name clashes with
// the sorted `definedMacros`, and only warns for a macro the header would define otherwise.
// The tables may hold more entries than the window's rows.
std::vector<NameFinding> CheckNames(const std::vector<NameEntry>& bsems,
                                    const std::vector<NameEntry>& stimers,
                                    const Configuration& configuration,
                                    const std::vector<std::string>& definedMacros);

// The same for the header that the writer would write for the configuration in the style.
std::vector<NameFinding> CheckNames(const std::vector<NameEntry>& bsems,
                                    const std::vector<NameEntry>& stimers,
                                    const Configuration& configuration, bool oldStyleNames);

// The macros the writer defines for a configuration in a name style, sorted.
std::vector<std::string> WrittenMacros(const Configuration& configuration, bool oldStyleNames);

// One line for a list of findings: where it is, the text it is about, and why
// (BSEMS entry 3 "1bad name": not a C identifier...); a finding about a whole table names the
// table alone.
std::string DescribeNameFinding(const NameFinding& finding);

}  // namespace zurcfg
