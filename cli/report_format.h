#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <ostream>
#include <string>
#include <vector>

#include "config/finding_severity.h"
#include "config/header_reader.h"
#include "config/name_checks.h"

namespace zurcfg {

// Something about a header that its user should hear of, worded for the command line.
struct Finding {
    int line = 0;    // 1-based; 0 when it concerns the whole file
    int column = 0;  // 1-based byte in the line; 0 when not known
    Severity severity = Severity::Warning;
    std::string kind;  // a short fixed name for scripts, such as "not-generated"
    std::string text;
    // A rewrite would not keep what the file says: an error, or text not read as written.
    bool blocksRewrite = false;
};

// What zurcfg reports about one header.
struct HeaderReport {
    std::string path;  // as messages name it; "<stdin>" for standard input
    HeaderContents contents{};
    bool oldStyleNames = false;  // the style its defines use
    std::vector<Finding> findings{};
    std::optional<std::array<int64_t, 4>> ram{};  // banks 0 to 3; empty without a platform
    std::string error{};  // why the header could not be read; empty when it was

    bool Read() const { return error.empty(); }
    bool HasErrors() const;
    bool BlocksRewrite() const;
};

// Every finding about a header read: the reader's, the name checks' at the lines of their items
// (a table's count at its enumeration), and message types that would break the header; in line
// order, findings about the whole file first.
std::vector<Finding> WordFindings(const HeaderContents& contents,
                                  const std::vector<NameFinding>& nameFindings);

// Each finding as a compiler words it: "file:line:column: error: text", with the line or the
// column left out where it is not known.
void PrintFindings(std::ostream& out, const std::string& path,
                   const std::vector<Finding>& findings);

// The NAME=VALUE lines of the configuration, then the two tables as "BSEMS[n]=identifier" lines
// with " // comment" where the item has one; n is the entry number, 0 for the first.
void PrintConfiguration(std::ostream& out, const HeaderContents& contents);

// One JSON object for the header: schemaVersion, path, nameStyle, lineEnding, fields, tables,
// and with `findings` also its findings and RAM per bank; a header that was not read has only
// its path and error. Text is written as UTF-8; bytes that are no UTF-8 are taken as Latin-1
// characters.
void PrintJson(std::ostream& out, const HeaderReport& report, bool findings = true);

// The version of the JSON's shape, raised when a key changes its meaning.
inline constexpr int kJsonSchemaVersion = 2;

// The reports as one SARIF 2.1.0 log for code-scanning services: one run, one result per
// finding, and a notification per header that could not be read.
void PrintSarif(std::ostream& out, const std::vector<HeaderReport>& reports);

}  // namespace zurcfg
