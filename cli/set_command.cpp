#include "cli/set_command.h"

#include "cli/field_values.h"
#include "cli/report_format.h"

namespace zurcfg {

void SetCommand::AddOptions(CLI::App& command) {
    command.add_option("FILE|FOLDER", path_, "ZURcfg.h, or a folder holding it")->required();
    command
        .add_option("NAME=VALUE", assignments_,
                    "A field by macro name, either style. Counts and switches (0, 1) are numbers; "
                    "banks, sizes and PLATFORM take their list text or a number (bank 0-3, size "
                    "1, 2 or 4 bytes, platform 0-5)")
        ->required();
    AddForce(command);
}

bool SetCommand::Assign(Configuration& configuration, Console& console) const {
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
    const std::optional<HeaderContents> contents = ReadExistingHeader(header, console);
    if (!contents || RefusesIncomplete(header, *contents, console)) {
        return ExitCode::UsageOrFileError;
    }
    Configuration changed = contents->configuration;
    if (!Assign(changed, console)) {
        PrintMessage(console.err, "note", header + " is left unchanged.");
        return ExitCode::UsageOrFileError;
    }
    PrintFindings(console.err, header, WordFindings(*contents, {}));
    return Write(header, changed, *contents, UsesOldStyleNames(FileBytes(header)), lock, console);
}

}  // namespace zurcfg
