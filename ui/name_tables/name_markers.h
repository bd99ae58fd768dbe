#pragma once

// Shows the name checks in the two name tables: each cell with a finding is marked with its
// reasons, as an error when one of them would stop the firmware building and as a warning
// otherwise; a table's count findings go to its "ID name" heading, and a header whose names would
// stop the firmware building (the errors among the findings) is written only when the user says so.

#include <map>
#include <utility>
#include <vector>

#include <QString>

#include "config/configuration.h"
#include "config/document.h"
#include "config/name_checks.h"
#include "config/prompter.h"

namespace zurcfg {

class NameTable;

class NameMarkers {
public:
    NameMarkers(NameTable& bsems, NameTable& stimers);

    // Checks both tables of `document`, with its counts and against the macros its header
    // defines in the name style, and marks what it finds in the grids. A grid whose marks are as
    // before is not touched.
    void Update(const Document& document, bool oldStyleNames);

    // Before a header is written with the tables as last checked: true when no name would stop
    // the firmware building, or when the user, asked with a list of these errors (warnings are
    // not listed), says to save anyway.
    // Otherwise the first such cell becomes current in its grid, which takes the focus.
    bool ConfirmSave(Prompter& prompter);

private:
    // A cell's reasons, joined by line breaks, and whether one of them stops the build.
    struct Mark {
        QString reasons;
        bool error = false;

        bool operator==(const Mark& other) const {
            return reasons == other.reasons && error == other.error;
        }
    };
    // By grid cell (row, column).
    using Marks = std::map<std::pair<int, int>, Mark>;

    NameTable& Table(NameTableId id) const;
    static void ApplyMarks(NameTable& table, const Marks& previous, const Marks& marks);

    NameTable& bsems_;
    NameTable& stimers_;
    std::vector<NameFinding> findings_;
    Marks bsemsMarks_;
    Marks stimersMarks_;
};

}  // namespace zurcfg
