#include "cli/set_command.h"

#include "cli/field_values.h"
#include "cli/report_format.h"

namespace zurcfg {

void SetCommand::AddOptions(CLI::App& command) {
    command
        .add_option("FILE|FOLDER", path_,
                    "ZURcfg.h or another header file, or a folder holding ZURcfg.h")
        ->required();
    command
        .add_option("NAME=VALUE", assignments_,
                    "A field by macro name, either style. Counts and switches (0, 1) are numbers; "
                    "banks, sizes and PLATFORM take their list text or a number (bank 0-3, size "
                    "1, 2 or 4 bytes, platform 0-5)")
        ->required();
    command.add_flag("--force", force_,
                     "Rewrite a header even with errors, text not read as written or an early "
                     "end; a header that ends early keeps its older backup");
    command.add_flag("--quiet", quiet_, "Print the findings only, no saved line");
}

bool SetCommand::Assign(const Configuration& before, Configuration& configuration,
                        Console& console) const {
    bool allTaken = true;
    for (const std::string& assignment : assignments_) {
        const std::size_t equals = assignment.find('=');
        const std::string refusal =
            equals == std::string::npos
                ? "\"" + assignment + "\" is no NAME=VALUE."
                : AssignField(configuration, std::string_view(assignment).substr(0, equals),
                              std::string_view(assignment).substr(equals + 1));
        if (!refusal.empty()) {
            PrintMessage(console.err, "error", refusal);
            allTaken = false;
        }
    }
    if (!allTaken) {
        return false;
    }
    // As the window would have it: a setting it greys for the values set cannot be changed.
    for (const std::string& assignment : assignments_) {
        const std::string greyed =
            GreyedRefusal(before, configuration, assignment.substr(0, assignment.find('=')));
        if (!greyed.empty()) {
            std::string refusal = "\"" + assignment + "\" is refused, as the window greys it: ";
            refusal += greyed;
            PrintMessage(console.err, "error", refusal + ".");
            allTaken = false;
        }
    }
    return allTaken;
}

// The header is read under its lock, so that a set running at the same time lands before this
// read or after this write, never in between.
ExitCode SetCommand::Run(Console& console) {
    const std::string header = HeaderFile(path_);
    const FileLock lock(header);
    if (!Locked(lock, header, console)) {
        return ExitCode::UsageOrFileError;
    }
    const HeaderReport report = Inspect(header);
    if (!report.Read()) {
        PrintMessage(console.err, "error", report.error);
        return ExitCode::UsageOrFileError;
    }
    Configuration changed = report.contents.configuration;
    if (!Assign(report.contents.configuration, changed, console)) {
        PrintMessage(console.err, "note", report.path + " is left unchanged.");
        return ExitCode::UsageOrFileError;
    }
    PrintFindings(console.err, report.path, report.findings);
    if (!MayRewrite(report, force_, console)) {
        return ExitCode::Findings;
    }
    return Write(report.path, changed, report.contents, report.oldStyleNames, quiet_, lock,
                 console);
}

}  // namespace zurcfg
