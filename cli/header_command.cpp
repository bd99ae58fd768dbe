#include "cli/header_command.h"

#include <algorithm>
#include <fstream>
#include <iterator>

#include "cli/field_values.h"
#include "config/header_messages.h"
#include "config/header_path.h"
#include "config/header_writer.h"
#include "config/line_ending.h"
#include "config/name_checks.h"
#include "config/ram_statistic.h"

namespace zurcfg {

namespace {

constexpr char kStandardInputName[] = "<stdin>";

// Why a header that was not read could not be, and what to do.
std::string NotReadText(const HeaderReadResult& read) {
    const ReadFinding::Kind kind = read.contents.findings.empty() ? ReadFinding::Kind::Missing
                                                                  : read.contents.findings[0].kind;
    switch (kind) {
        case ReadFinding::Kind::NotRegularFile:
            return read.path +
                   " is not a regular file (a folder, a pipe or a device), so it was "
                   "not read; give a header file or the folder holding its ZURcfg.h.";
        case ReadFinding::Kind::NotReadable:
            return read.path + " exists but could not be read; check that you may read it.";
        default:
            break;
    }
    const std::string backup =
        read.contents.findings.empty() ? std::string() : read.contents.findings[0].backupPath;
    return read.path +
           " does not exist; give an existing header or its folder, or write one with zurcfg "
           "new." +
           (backup.empty() ? "" : " Its backup " + backup + " is there.");
}

// The rows of a name table as the window's grid holds them: the items read, as far as the grid
// has rows, the rest empty.
std::vector<NameEntry> WindowRows(const std::vector<NameEntry>& items, std::size_t rows) {
    std::vector<NameEntry> kept(items.begin(), items.begin() + std::min(rows, items.size()));
    kept.resize(rows);
    return kept;
}

// The report on a header read: every item is checked, also those beyond the window's rows, at
// its own line.
HeaderReport ReportOn(std::string path, HeaderContents contents) {
    HeaderReport report{std::move(path), std::move(contents)};
    const HeaderContents& read = report.contents;
    report.oldStyleNames = UsesOldStyleNames(read.definedMacros);
    report.findings = WordFindings(
        read, CheckNames(read.bsems, read.stimers, read.configuration, read.definedMacros));
    report.ram = ComputeRamUsage(read.configuration);
    return report;
}

}  // namespace

void HeaderCommand::AddHeaderPaths(CLI::App& command, const char* description) {
    command.add_option("FILE|FOLDER", paths_, description)->required();
}

std::string HeaderCommand::HeaderFile(const std::string& path) {
    return HeaderPathFor(path);
}

HeaderReport HeaderCommand::Inspect(const std::string& headerPath) {
    HeaderReadResult read = ReadHeaderFile(headerPath);
    if (!read.opened) {
        HeaderReport report{read.path};
        report.error = NotReadText(read);
        return report;
    }
    return ReportOn(read.path, std::move(read.contents));
}

HeaderReport HeaderCommand::InspectStandardInput(Console& console) {
    if (console.in == nullptr) {
        HeaderReport report{kStandardInputName};
        report.error = "standard input cannot be read here.";
        return report;
    }
    return ReportOn(kStandardInputName, ReadHeaderStream(*console.in));
}

std::string HeaderCommand::FileBytes(const std::string& headerPath) {
    std::ifstream file(headerPath, std::ios::binary);
    return {std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
}

std::string HeaderCommand::StoredHeader(const Configuration& configuration,
                                        const HeaderContents& header, bool oldStyleNames) {
    return WithLineEnding(FormatHeader(configuration, WindowRows(header.bsems, kBsemsEntries),
                                       WindowRows(header.stimers, kStimersEntries), oldStyleNames),
                          header.lineEnding);
}

bool HeaderCommand::Locked(const FileLock& lock, const std::string& headerPath, Console& console) {
    if (!lock.Held()) {
        PrintMessage(console.err, "error", BusyMessage(headerPath).text);
    }
    return lock.Held();
}

bool HeaderCommand::MayRewrite(const HeaderReport& report, bool force, Console& console) {
    if (force || !report.BlocksRewrite()) {
        return true;
    }
    PrintMessage(console.err, "error",
                 report.path +
                     " is left unchanged: a rewrite would not keep what the findings above name "
                     "(errors, text not read as written, or an early end). Mend the header, or add "
                     "--force to "
                     "rewrite it all the same.");
    return false;
}

ExitCode HeaderCommand::Write(const std::string& headerPath, const Configuration& configuration,
                              const HeaderContents& header, bool oldStyleNames, bool quiet,
                              const FileLock& lock, Console& console) {
    WriteOptions options;
    options.heldLock = &lock;
    options.lineEnding = header.lineEnding;
    const HeaderWriteReport report =
        WriteHeaderFile(headerPath, configuration, WindowRows(header.bsems, kBsemsEntries),
                        WindowRows(header.stimers, kStimersEntries), oldStyleNames, options);
    if (!quiet || !report.Written()) {
        ConsolePrompter(console.err, Answer::No).Ask(WriteMessage(report));
    }
    return report.Written() ? ExitCode::Clean : ExitCode::UsageOrFileError;
}

}  // namespace zurcfg
