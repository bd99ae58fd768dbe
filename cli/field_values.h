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
// is unchanged and the text says what is wrong and which names or values are accepted. A text
// that would break the header (a comment opener in a message type, say) is refused.
std::string AssignField(Configuration& configuration, std::string_view name,
                        std::string_view value);

// Why the window would not let the field that name calls change from `before` to what `after`
// holds: its control is greyed for `after`, and the change switches it on or picks another list
// entry. The text is the window's own reason ("Greyed: ..."); empty when the window allows it.
std::string GreyedRefusal(const Configuration& before, const Configuration& after,
                          std::string_view name);

// Whether a header spells its macros the old way, by the sorted macros it defines: a name that
// only the old style uses and none that only the new style uses. A header with neither counts
// as new-style.
bool UsesOldStyleNames(const std::vector<std::string>& definedMacros);

}  // namespace zurcfg
