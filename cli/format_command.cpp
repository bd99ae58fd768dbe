#include "cli/format_command.h"

#include "cli/field_values.h"
#include "cli/report_format.h"
#include "config/unified_diff.h"

namespace zurcfg {

void FormatCommand::AddOptions(CLI::App& command) {
    AddHeaderPaths(command);
    command.add_flag("--check", check_,
                     "Write nothing; exit 1 when a header would change, showing how");
    CLI::Option* oldNames =
        command.add_flag("--old-names", oldNames_, "Write the macro names of kernels before 90200");
    CLI::Option* newNames = command.add_flag("--new-names", newNames_,
                                             "Write the macro names of kernels from 90200 on");
    oldNames->excludes(newNames);
    AddForce(command);
}

ExitCode FormatCommand::Run(Console& console) {
    return ForEachHeader([&](const std::string& header) { return FormatOne(header, console); });
}

bool FormatCommand::OldStyleNamesFor(const std::string& headerBytes) const {
    if (oldNames_ || newNames_) {
        return oldNames_;
    }
    return UsesOldStyleNames(headerBytes);
}

// A header to rewrite is read under its lock, which is held until it is written.
ExitCode FormatCommand::FormatOne(const std::string& header, Console& console) const {
    std::optional<FileLock> lock;
    if (!check_ && !Locked(lock.emplace(header), header, console)) {
        return ExitCode::UsageOrFileError;
    }
    const std::optional<HeaderContents> contents = ReadExistingHeader(header, console);
    if (!contents) {
        return ExitCode::UsageOrFileError;
    }
    const std::string bytes = FileBytes(header);
    const bool oldStyleNames = OldStyleNamesFor(bytes);
    const std::string canonical = StoredHeader(contents->configuration, *contents, oldStyleNames);
    if (canonical == bytes) {
        return ExitCode::Clean;
    }
    if (check_) {
        console.out << UnifiedDiff(bytes, canonical, header, header);
        PrintMessage(console.err, "note", header + " is not in the canonical layout.");
        return ExitCode::Findings;
    }
    if (RefusesIncomplete(header, *contents, console)) {
        return ExitCode::UsageOrFileError;
    }
    PrintFindings(console.err, header, WordFindings(*contents, {}));
    return Write(header, contents->configuration, *contents, oldStyleNames, *lock, console);
}

}  // namespace zurcfg
