#include "cli/format_command.h"

#include "cli/report_format.h"
#include "config/unified_diff.h"

namespace zurcfg {

void FormatCommand::AddOptions(CLI::App& command) {
    AddHeaderPaths(command, "ZURcfg.h or another header file, or a folder holding ZURcfg.h");
    command.add_flag("--check", check_,
                     "Write nothing; exit 1 when a header would change, showing how");
    CLI::Option* oldNames =
        command.add_flag("--old-names", oldNames_, "Write the macro names of kernels before 90200");
    CLI::Option* newNames = command.add_flag("--new-names", newNames_,
                                             "Write the macro names of kernels from 90200 on");
    oldNames->excludes(newNames);
    command.add_flag("--force", force_,
                     "Rewrite a header even with errors, text not read as written or an early "
                     "end; a header that ends early keeps its older backup");
    command.add_flag("--quiet", quiet_, "Print the findings only, no notes or saved lines");
}

ExitCode FormatCommand::Run(Console& console) {
    return ForEachHeader(
        [&](const std::string& path) { return FormatOne(HeaderFile(path), console); });
}

// A header to rewrite is read under its lock, which is held until it is written.
ExitCode FormatCommand::FormatOne(const std::string& header, Console& console) const {
    std::optional<FileLock> lock;
    if (!check_ && !Locked(lock.emplace(header), header, console)) {
        return ExitCode::UsageOrFileError;
    }
    const HeaderReport report = Inspect(header);
    if (!report.Read()) {
        PrintMessage(console.err, "error", report.error);
        return ExitCode::UsageOrFileError;
    }
    const std::string bytes = FileBytes(report.path);
    const bool oldStyleNames = oldNames_ || newNames_ ? oldNames_ : report.oldStyleNames;
    const std::string canonical =
        StoredHeader(report.contents.configuration, report.contents, oldStyleNames);
    if (canonical == bytes) {
        return ExitCode::Clean;
    }
    if (check_) {
        console.out << UnifiedDiff(bytes, canonical, report.path, report.path);
        if (!quiet_) {
            PrintMessage(console.err, "note", report.path + " is not in the canonical layout.");
        }
        return ExitCode::Findings;
    }
    PrintFindings(console.err, report.path, report.findings);
    if (!MayRewrite(report, force_, console)) {
        return ExitCode::Findings;
    }
    return Write(report.path, report.contents.configuration, report.contents, oldStyleNames, quiet_,
                 *lock, console);
}

}  // namespace zurcfg
