#pragma once

namespace zurcfg {

// How much a finding about a header matters. An error would stop a C99 compiler building the
// header, or a unit that uses each of its enumerators; a warning names something that builds
// but is worth a look (it breaks in C++, with the other name style, or is not read back as
// written).
enum class Severity { Error, Warning };

inline const char* SeverityName(Severity severity) {
    return severity == Severity::Error ? "error" : "warning";
}

}  // namespace zurcfg
