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
    AddHeaderPaths(command);
    command.add_flag("--json", json_,
                     "Print a JSON array: per header its fields, tables, findings and RAM");
}

ExitCode CheckCommand::Run(Console& console) {
    const char* separator = "";
    if (json_) {
        console.out << '[';
    }
    const ExitCode result = ForEachHeader([&](const std::string& header) {
        std::optional<HeaderContents> contents = ReadExistingHeader(header, console);
        if (!contents) {
            return ExitCode::UsageOrFileError;
        }
        const HeaderReport report = Report(header, std::move(*contents));
        if (json_) {
            console.out << separator;
            PrintJson(console.out, report);
            separator = ",\n";
        } else {
            PrintFindings(console.out, header, report.findings);
            PrintRamNote(console.out, report);
        }
        return report.findings.empty() ? ExitCode::Clean : ExitCode::Findings;
    });
    if (json_) {
        console.out << "]\n";
    }
    return result;
}

}  // namespace zurcfg
