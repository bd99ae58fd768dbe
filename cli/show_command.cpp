#include "cli/show_command.h"

#include "cli/report_format.h"

namespace zurcfg {

void ShowCommand::AddOptions(CLI::App& command) {
    command
        .add_option("FILE|FOLDER", path_,
                    "ZURcfg.h or another header file, a folder holding ZURcfg.h, or - for "
                    "standard input")
        ->required();
    command.add_flag("--json", json_,
                     "Print one JSON object: schemaVersion, path, nameStyle, lineEnding, fields, "
                     "tables");
}

ExitCode ShowCommand::Run(Console& console) {
    const HeaderReport report =
        path_ == kStandardInput ? InspectStandardInput(console) : Inspect(HeaderFile(path_));
    if (!report.Read()) {
        PrintMessage(console.err, "error", report.error);
        return ExitCode::UsageOrFileError;
    }
    PrintFindings(console.err, report.path, report.findings);
    if (json_) {
        PrintJson(console.out, report, false);
        console.out << '\n';
    } else {
        PrintConfiguration(console.out, report.contents);
    }
    return ExitCode::Clean;
}

}  // namespace zurcfg
