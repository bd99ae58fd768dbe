#pragma once

#include <iosfwd>
#include <string>
#include <string_view>
#include <vector>

#include "config/configuration.h"
#include "config/finding_severity.h"
#include "config/line_ending.h"

namespace zurcfg {

// The most items one enumeration table takes from a header, far beyond the window's rows, so
// that every name is checked; further items are only counted, which keeps the memory a huge
// file takes in bounds.
inline constexpr std::size_t kMaxEnumItems = 10000;

// Something about a header that its user should hear of. The reader only finds it; the window
// words it as a message box, the command line as a warning or an error. Whatever the reader
// does not take as written is one of these, at its line.
struct ReadFinding {
    enum class Kind {
        Missing,             // nothing at the path; the next save creates the file
        NotRegularFile,      // a folder, pipe or device stands at the path and is not read
        NotReadable,         // the file exists but could not be opened for reading
        NotGenerated,        // the file lacks the tool's marker line
        SkippedEnumeration,  // an enumeration with a table's tag whose names are not read
        NamesNotKept,        // names beyond the rows of a table
        ValueNotAsWritten,   // a number define whose value is not plain decimal digits, or a
                             // size that is not 1, 2 or 4
        ItemNotAsWritten,    // an enumeration item that is more than an identifier, an optional
                             // comma and an optional comment, or an empty one
        MissingComma,        // an enumeration item behind one that has no comma
        ControlBytes,        // control bytes dropped from a line; an error in code, where the
                             // compiler stops at them
        CommentRunsOn,       // a block comment opened in text the reader passes over, which the
                             // compiler follows to a later line or to the end of the file
        ItemsNotChecked,     // items beyond kMaxEnumItems, only counted
        CommentTakesLine,    // a line comment the reader passes over ends in '\' or "??/", so
                             // the compiler takes the next line, which holds code, for part of it
        UnknownPlatform,     // a platform line that names no platform the tool knows
        EndsEarly,           // the tool's header lacks its closing "#endif": it may be cut off
    };

    Kind kind;
    NameTableId table = NameTableId::Bsems;  // for the kinds about a table
    int line = 0;                            // 1-based line concerned; 0 for the whole file
    // NamesNotKept and ItemsNotChecked: how many names. CommentRunsOn: the line the comment ends
    // on, 0 when it runs to the end of the file. CommentTakesLine: the line it takes.
    int count = 0;
    int column = 0;  // 1-based byte in the line; 0 when not known
    // ItemNotAsWritten, MissingComma: the item's entry number in its table (0 is the first).
    int entry = -1;
    Severity severity = Severity::Warning;
    std::string subject{};  // ValueNotAsWritten: the macro as the line names it
    std::string found{};    // the text as written, control bytes included
    std::string kept{};     // what the reader made of it
    // EndsEarly and Missing, when it is there: the backup beside the header, which may hold
    // the header as it was last saved whole. Known only for a header read by ReadHeaderFile.
    std::string backupPath{};

    bool operator==(const ReadFinding& other) const;
};

// Where an item of an enumeration stands: its line and the 1-based bytes where the item and its
// comment begin (0 for no comment).
struct ItemPlace {
    int line = 0;
    int column = 0;
    int commentColumn = 0;

    bool operator==(const ItemPlace& other) const {
        return line == other.line && column == other.column && commentColumn == other.commentColumn;
    }
};

// Where a header holds what the reader took from it, as 1-based line numbers; 0 for none.
struct SourceLines {
    // The define that last set each field, by the field's name ("OS_TASKS", "OST_MSG"); a
    // field that no define set is not listed.
    std::vector<std::pair<std::string_view, int>> fields;
    int bsemsEnumeration = 0;  // the first enumeration that filled the table
    int stimersEnumeration = 0;
    // The place of each item kept, beside HeaderContents::bsems and ::stimers.
    std::vector<ItemPlace> bsemsItems;
    std::vector<ItemPlace> stimersItems;

    // The line of the field's define, 0 when none set it.
    int FieldLine(std::string_view fieldName) const;
};

// What a header holds: the option values, the items of the two enumerations in file order (at
// most kMaxEnumItems each, also beyond the window's rows), whether the tool's own marker line
// was found, the macros it defines, how its lines end, where things stand and what the user
// should hear of.
struct HeaderContents {
    Configuration configuration;
    std::vector<NameEntry> bsems;
    std::vector<NameEntry> stimers;
    bool generatedMarkerSeen = false;
    // The object-like macros of every "#define" line, in any branch of a conditional, sorted.
    std::vector<std::string> definedMacros;
    LineEnding lineEnding = kNewHeaderLineEnding;  // of the first line; a file without any: new
    SourceLines lines;
    std::vector<ReadFinding> findings;
};

// Scans the bytes of a header line by line; a line ends at a line feed, a carriage return or
// both, as it does for a C compiler. Conditional blocks are not evaluated: every branch is read
// and a later definition replaces an earlier one. Any input is accepted; text that is not
// understood is passed over, and what is read other than as written is a finding.
HeaderContents ParseHeader(std::string_view text);

struct HeaderReadResult {
    HeaderContents contents;
    std::string path;     // the header as opened, with the file name appended to a folder
    bool opened = false;  // false when the file was not read; contents are then empty
};

// Reads the header that `path` names (see HeaderPathFor). Only a regular file is read, never a
// pipe or device; anything that is not read yields the empty record with a finding that says
// why. Tells nobody: the findings are in the result.
HeaderReadResult ReadHeaderFile(std::string path);

// The same for the file at `filePath` itself, whatever its name: the backup ZURcfg.bak, say.
HeaderReadResult ReadHeaderFileAt(std::string filePath);

// Reads a header from a stream of bytes, such as standard input, to its end.
HeaderContents ReadHeaderStream(std::istream& in);

}  // namespace zurcfg
