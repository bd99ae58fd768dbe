#include "cli/show_command.h"

#include "cli/report_format.h"

namespace zurcfg {

void ShowCommand::AddOptions(CLI::App& command) {
    command.add_option("FILE|FOLDER", path_, "ZURcfg.h, or a folder holding it")->required();
    command.add_flag("--json", json_, "Print one JSON object: fields, tables, findings, RAM");
}

ExitCode ShowCommand::Run(Console& console) {
    const std::string header = HeaderFile(path_);
    std::optional<HeaderContents> contents = ReadExistingHeader(header, console);
    if (!contents) {
        return ExitCode::UsageOrFileError;
    }
    const HeaderReport report = Report(header, std::move(*contents));
    if (json_) {
        PrintJson(console.out, report);
        console.out << '\n';
    } else {
        PrintFindings(console.err, header, report.findings);
        PrintConfiguration(console.out, report.contents);
    }
    return ExitCode::Clean;
}

}  // namespace zurcfg
