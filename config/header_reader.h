#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "config/configuration.h"

namespace zurcfg {

// The most items one enumeration table takes from a header; further items are dropped.
inline constexpr std::size_t kMaxEnumItems = 200;

// Something about a header that its user should hear of. The reader only finds it; the window
// words it as a message box, the command line as a warning.
struct ReadFinding {
    enum class Kind {
        Missing,             // nothing at the path; the next save creates the file
        NotRegularFile,      // a folder, pipe or device stands at the path and is not read
        NotReadable,         // the file exists but could not be opened for reading
        NotGenerated,        // the file lacks the tool's marker line
        SkippedEnumeration,  // an enumeration with a table's tag whose names are not read
        NamesNotKept,        // names beyond the rows of a table
        EndsEarly,           // the tool's header lacks its closing "#endif": it may be cut off
    };

    Kind kind;
    NameTableId table = NameTableId::Bsems;  // for the last two kinds
    int line = 0;                            // 1-based line concerned; 0 for the whole file
    int count = 0;                           // NamesNotKept: how many names
    // EndsEarly, and Missing when there is one: the backup beside the header, which may hold
    // the header as it was last saved whole. Known only for a header read by ReadHeaderFile.
    std::string backupPath{};

    bool operator==(const ReadFinding& other) const {
        return kind == other.kind && table == other.table && line == other.line &&
               count == other.count && backupPath == other.backupPath;
    }
};

// Where a header holds what the reader took from it, as 1-based line numbers; 0 for none.
struct SourceLines {
    // The define that last set each field, by the field's name ("OS_TASKS", "OST_MSG"); a
    // field that no define set is not listed.
    std::vector<std::pair<std::string_view, int>> fields;
    int bsemsEnumeration = 0;  // the first enumeration that filled the table
    int stimersEnumeration = 0;
    // The line of each item kept, beside HeaderContents::bsems and ::stimers.
    std::vector<int> bsemsItems;
    std::vector<int> stimersItems;

    // The line of the field's define, 0 when none set it.
    int FieldLine(std::string_view fieldName) const;
};

// What a header holds: the option values, the items of the two enumerations in file order (at
// most kMaxEnumItems each, also beyond the STIMERS grid's 64 rows), whether the tool's own
// marker line was found, where things stand and what the user should hear of.
struct HeaderContents {
    Configuration configuration;
    std::vector<NameEntry> bsems;
    std::vector<NameEntry> stimers;
    bool generatedMarkerSeen = false;
    SourceLines lines;
    std::vector<ReadFinding> findings;
};

// Scans the bytes of a header line by line. Conditional blocks are not evaluated: every branch
// is read and a later definition replaces an earlier one. Any input is accepted; text that is
// not understood is passed over.
HeaderContents ParseHeader(std::string_view text);

struct HeaderReadResult {
    HeaderContents contents;
    std::string path;     // the header as opened, with the file name appended to a folder
    bool opened = false;  // false when the file was not read; contents are then empty
};

// Reads the header that `path` names (a folder or the header itself). Only a regular file is
// read, never a pipe or device; anything that is not read yields the empty record with a
// finding that says why. Tells nobody: the findings are in the result.
HeaderReadResult ReadHeaderFile(std::string path);

// The same for the file at `filePath` itself, whatever its name: the backup ZURcfg.bak, say.
HeaderReadResult ReadHeaderFileAt(std::string filePath);

}  // namespace zurcfg
