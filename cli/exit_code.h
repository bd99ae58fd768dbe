#pragma once

namespace zurcfg {

// What zurcfg's exit status tells a script: all well, something to look at, or nothing done.
enum class ExitCode {
    Clean = 0,             // every header read or written as asked, nothing to report
    Findings = 1,          // a check found something, or a header is not in its canonical layout
    UsageOrFileError = 2,  // wrong arguments, or a header that could not be read or written
};

// The status of several runs: the worst of them.
inline ExitCode Worse(ExitCode a, ExitCode b) {
    return static_cast<int>(a) > static_cast<int>(b) ? a : b;
}

}  // namespace zurcfg
