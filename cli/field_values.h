#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "config/configuration.h"

namespace zurcfg {

// The Configuration as the command line prints and takes it: NAME=VALUE under the header's macro
// names (PLATFORM and PROJECT_NAME for the two values of the comment block). New-style names are
// printed; both styles are taken. Counts and switches are numbers. Banks, sizes and the platform
// print as the window's list texts and are taken as those texts (any letter case) or as numbers:
// what the header's #define carries for a bank (0 to 3) or a size (1, 2 or 4 bytes), and the
// list position for the platform (0 to 5). The three lists are the core's option lists.

struct FieldValue {
    std::string name;
    std::string value;
    bool isNumber = false;  // a count or a switch, so JSON prints it without quotes
};

// Every field, in record order.
std::vector<FieldValue> FieldValues(const Configuration& configuration);

// Sets the field that name calls to value. Returns an empty text when done; otherwise the record
// is unchanged and the text says what is wrong and which names or values are accepted.
std::string AssignField(Configuration& configuration, std::string_view name,
                        std::string_view value);

// Whether a header spells its macros the old way: it defines a name that only the old style
// uses and none that only the new style uses. A header with neither counts as new-style.
bool UsesOldStyleNames(std::string_view headerText);

}  // namespace zurcfg
