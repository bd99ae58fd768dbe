#include "cli/check_command.h"

#include "cli/report_format.h"

namespace zurcfg {

namespace {

void PrintRamNote(std::ostream& out, const HeaderReport& report) {
    out << report.path << ": note: ";
    if (!report.ram) {
        out << "no platform chosen, so no RAM figures\n";
        return;
    }
    out << "average RAM in bytes:";
    for (std::size_t bank = 0; bank < report.ram->size(); ++bank) {
        out << (bank == 0 ? " bank" : ", bank") << bank << ' ' << (*report.ram)[bank];
    }
    out << '\n';
}

}  // namespace

void CheckCommand::AddOptions(CLI::App& command) {
    AddHeaderPaths(command,
                   "ZURcfg.h or another header file, a folder holding ZURcfg.h, or - "
                   "for standard input");
    CLI::Option* json = command.add_flag(
        "--json", json_,
        "Print a JSON array: per header its schemaVersion, path, nameStyle, lineEnding, fields, "
        "tables, findings and RAM");
    CLI::Option* sarif =
        command.add_flag("--sarif", sarif_, "Print the findings as a SARIF 2.1.0 log");
    json->excludes(sarif);
    command.add_flag("--quiet", quiet_, "Print the findings only, no RAM notes");
    command.add_flag("--warnings-as-errors", warningsAsErrors_,
                     "Exit with 1 on warnings too, not only on errors");
}

ExitCode CheckCommand::Judge(const HeaderReport& report) const {
    if (!report.Read()) {
        return ExitCode::UsageOrFileError;
    }
    const bool failing = report.HasErrors() || (warningsAsErrors_ && !report.findings.empty());
    return failing ? ExitCode::Findings : ExitCode::Clean;
}

ExitCode CheckCommand::Run(Console& console) {
    std::vector<HeaderReport> forSarif;
    const char* separator = "";
    if (json_) {
        console.out << '[';
    }
    const ExitCode result = ForEachHeader([&](const std::string& argument) {
        HeaderReport report = argument == kStandardInput ? InspectStandardInput(console)
                                                         : Inspect(HeaderFile(argument));
        const ExitCode judged = Judge(report);
        if (!report.Read()) {
            PrintMessage(console.err, "error", report.error);
        }
        if (json_) {
            console.out << separator;
            PrintJson(console.out, report);
            separator = ",\n";
        } else if (sarif_) {
            forSarif.push_back(std::move(report));
        } else if (report.Read()) {
            PrintFindings(console.out, report.path, report.findings);
            if (!quiet_) {
                PrintRamNote(console.out, report);
            }
        }
        return judged;
    });
    if (json_) {
        console.out << "]\n";
    }
    if (sarif_) {
        PrintSarif(console.out, forSarif);
    }
    return result;
}

}  // namespace zurcfg
