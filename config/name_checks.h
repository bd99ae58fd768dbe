#pragma once

// Checks of the two name tables before their rows become enum items in the header: what would
// stop the firmware building, and what is only worth a mark. The check reads the tables as the
// writer takes them and says nothing about rows that are wholly empty.

#include <string>
#include <vector>

#include "config/configuration.h"

namespace zurcfg {

enum class NameColumn { Identifier, Comment };

enum class NameFindingKind {
    NotIdentifier,             // not ASCII letters, digits and '_' with no digit first
    Keyword,                   // a C or C++ keyword
    Duplicate,                 // the same identifier in another row of either table
    MacroName,                 // a macro the header itself defines
    EnumTag,                   // the tag of one of the header's enumerations
    TooLong,                   // more characters than C promises to tell apart
    CaseOnly,                  // another identifier differs from it only in letter case
    CommentEndMarker,          // "*/" in a comment
    CommentLineBreak,          // a line break in a comment
    CommentContinues,          // a comment ending in '\', which joins the next line to it
    CommentWithoutIdentifier,  // the writer skips the row, so the comment is lost
    FewerThanCount,            // the table names fewer items than its count
    MoreThanCount,             // the table names more items than its count
};

// Row of a finding about a table as a whole (its count) rather than one of its rows.
inline constexpr int kWholeTable = -1;

struct NameFinding {
    NameTableId table;
    int row;  // entry number (0-based; the grid row is one more), or kWholeTable
    NameColumn column;
    NameFindingKind kind;
    std::string reason;  // short, for a tooltip or a warning line
    bool stopsBuild;     // the firmware would not build with the header as written
};

// Every finding, ordered by table (BSEMS first), row and column; the counts are compared with
// OS_BSEMS and OS_STIMERS of the configuration, as the writer compares them.
std::vector<NameFinding> CheckNames(const std::vector<NameEntry>& bsems,
                                    const std::vector<NameEntry>& stimers,
                                    const Configuration& configuration);

// One line for a list of findings: where it is and why ("BSEMS entry 3: ..."; a finding about a
// whole table names the table alone).
std::string DescribeNameFinding(const NameFinding& finding);

}  // namespace zurcfg
