#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <ostream>
#include <string>
#include <vector>

#include "config/header_reader.h"
#include "config/header_writer.h"
#include "config/name_checks.h"

namespace zurcfg {

// Something about a header that its user should hear of, worded for the command line.
struct Finding {
    int line = 0;      // 1-based; 0 when it concerns the whole file
    std::string kind;  // a short fixed name for scripts, such as "not-generated"
    std::string text;
};

// What zurcfg reports about one header.
struct HeaderReport {
    std::string path;
    HeaderContents contents;
    std::vector<Finding> findings;
    std::optional<std::array<int64_t, 4>> ram;  // banks 0 to 3; empty without a platform
};

// What the reader found in a header and the tables' disagreements with their counts, worded;
// a count's finding stands at its table's enumeration.
std::vector<Finding> WordFindings(const HeaderContents& contents,
                                  const std::vector<CountWarning>& countWarnings);

// The name checks' findings at the lines of their items, a table's count at its enumeration. The
// count's warning already says when a table names more items than its count, so that finding
// is left out here.
std::vector<Finding> WordNameFindings(const HeaderContents& contents,
                                      const std::vector<NameFinding>& nameFindings);

// Each finding as a compiler's warning: "file:line: warning: text", "file: warning: text"
// without a line.
void PrintFindings(std::ostream& out, const std::string& path,
                   const std::vector<Finding>& findings);

// The NAME=VALUE lines of the configuration, then the two tables as "BSEMS[n]=identifier" lines
// with " // comment" where the item has one.
void PrintConfiguration(std::ostream& out, const HeaderContents& contents);

// One JSON object for the header: its path, fields, tables, findings and RAM per bank. Text is
// written as UTF-8; bytes that are no UTF-8 are taken as Latin-1 characters.
void PrintJson(std::ostream& out, const HeaderReport& report);

}  // namespace zurcfg
