#pragma once

// The document the window edits, as one value: the option values, both name tables in full, the
// header's path and what the file looked like when it was last read or written. The window's
// controls and grids show it, undo steps take it back and forth, the preview formats it, and the
// command line can share it. Copies are independent; nothing in it refers to a window.

#include <cstdint>
#include <string>
#include <vector>

#include "config/configuration.h"
#include "config/file_fingerprint.h"
#include "config/line_ending.h"

namespace zurcfg {

struct Document {
    Configuration configuration;
    std::vector<NameEntry> bsems = std::vector<NameEntry>(kBsemsEntries);
    std::vector<NameEntry> stimers = std::vector<NameEntry>(kStimersEntries);
    // Stamped afresh by every committed cell, Insert and Delete, even one that leaves every text
    // as it was; two values with the same stamp went through no table edit between them.
    std::uint64_t tablesEdit = 0;
    // The header last opened; empty before any.
    std::string path;
    // The file at `path` as last read or written.
    FileFingerprint onDisk;
    // How the header's lines end, kept when it is written again; a new header's by default.
    LineEnding lineEnding = kNewHeaderLineEnding;

    bool operator==(const Document& other) const;
    bool operator!=(const Document& other) const { return !(*this == other); }

    // Whether the user has changed the document since `saved` was read or written: an option
    // differs, or the tables were edited since. Emptying the tables with the defaults alone
    // changes nothing.
    bool IsChangedFrom(const Document& saved) const;

    // Gives the tables a stamp no other edit in this process has had.
    void StampTablesEdit();

    // The tables from the items of a header: rows beyond the items empty, items beyond the rows
    // left out.
    void SetTables(const std::vector<NameEntry>& bsemsItems,
                   const std::vector<NameEntry>& stimersItems);
    void ClearTables();

    // The whole text Save would write now, with "\n" line breaks.
    std::string HeaderText(bool oldStyleNames) const;
};

}  // namespace zurcfg
