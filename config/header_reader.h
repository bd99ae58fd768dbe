#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "config/configuration.h"
#include "config/prompter.h"

namespace zurcfg {

// The most items one enumeration table takes from a header; further items are dropped.
inline constexpr std::size_t kMaxEnumItems = 200;

// What a header holds: the option values, the items of the two enumerations in file order (at
// most kMaxEnumItems each, also beyond the STIMERS grid's 64 rows) and whether the tool's own
// marker line was found.
struct HeaderContents {
    Configuration configuration;
    std::vector<NameEntry> bsems;
    std::vector<NameEntry> stimers;
    bool generatedMarkerSeen = false;
};

// Scans the bytes of a header line by line. Conditional blocks are not evaluated: every branch
// is read and a later definition replaces an earlier one. Any input is accepted; text that is
// not understood is passed over.
HeaderContents ParseHeader(std::string_view text);

struct HeaderReadResult {
    HeaderContents contents;
    std::string path;     // the header as opened, with the file name appended to a folder
    bool opened = false;  // false when the file could not be opened; contents are then empty
};

// Reads the header that `path` names (a folder or the header itself). A file that cannot be
// opened for reading and updating is reported as missing; a file without the tool's marker
// gets a warning, and its values are used all the same.
HeaderReadResult ReadHeader(std::string path, Prompter& prompter);

}  // namespace zurcfg
