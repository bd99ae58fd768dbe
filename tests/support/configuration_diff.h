#pragma once

#include <string>

#include "config/configuration.h"

namespace zurcfg::testing {

// The names of the fields in which two records differ, with both values, for readable test
// failures; empty when the records are equal.
inline std::string DifferingFields(const Configuration& actual, const Configuration& expected) {
    std::string differences;
    const auto note = [&differences](const char* name, const std::string& a, const std::string& e) {
        if (a != e) {
            differences += std::string(name) + ": " + a + " instead of " + e + "\n";
        }
    };
    const auto noteFields = [&](const auto& fields) {
        for (const auto& field : fields) {
            note(field.name, std::to_string(actual.*field.member),
                 std::to_string(expected.*field.member));
        }
    };
    noteFields(kCountFields);
    noteFields(kServiceSwitchFields);
    noteFields(kInterruptSwitchFields);
    noteFields(kBankFields);
    noteFields(kSizeFields);
    for (const auto& field : kMessageTypeFields) {
        note(field.name, '"' + actual.*field.member + '"', '"' + expected.*field.member + '"');
    }
    note("PLATFORM", std::to_string(actual.PLATFORM), std::to_string(expected.PLATFORM));
    note("PROJECT_NAME", '"' + actual.PROJECT_NAME + '"', '"' + expected.PROJECT_NAME + '"');
    return differences;
}

}  // namespace zurcfg::testing
