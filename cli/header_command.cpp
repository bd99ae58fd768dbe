#include "cli/header_command.h"

#include <algorithm>
#include <fstream>
#include <iterator>

#include "config/header_messages.h"
#include "config/header_path.h"
#include "config/header_writer.h"
#include "config/name_checks.h"
#include "config/ram_statistic.h"

namespace zurcfg {

namespace {

// Why a header that was not read could not be, and what to do.
std::string NotReadText(const HeaderReadResult& read) {
    const ReadFinding::Kind kind = read.contents.findings.empty() ? ReadFinding::Kind::Missing
                                                                  : read.contents.findings[0].kind;
    switch (kind) {
        case ReadFinding::Kind::NotRegularFile:
            return read.path +
                   " is not a regular file (a folder, a pipe or a device), so it was "
                   "not read; give a ZURcfg.h or the folder holding one.";
        case ReadFinding::Kind::NotReadable:
            return read.path + " exists but could not be read; check that you may read it.";
        default:
            break;
    }
    const std::string backup =
        read.contents.findings.empty() ? std::string() : read.contents.findings[0].backupPath;
    return read.path +
           " does not exist; give an existing ZURcfg.h or its folder, or write one "
           "with zurcfg new." +
           (backup.empty() ? "" : " Its backup " + backup + " is there.");
}

// The rows of a name table as the window's grid holds them: the items read, as far as the grid
// has rows, the rest empty.
std::vector<NameEntry> WindowRows(const std::vector<NameEntry>& items, std::size_t rows) {
    std::vector<NameEntry> kept(items.begin(), items.begin() + std::min(rows, items.size()));
    kept.resize(rows);
    return kept;
}

}  // namespace

void HeaderCommand::AddHeaderPaths(CLI::App& command) {
    command.add_option("FILE|FOLDER", paths_, "ZURcfg.h, or a folder holding it")->required();
}

std::string HeaderCommand::HeaderFile(const std::string& path) {
    return HeaderPathFor(path);
}

std::optional<HeaderContents> HeaderCommand::ReadExistingHeader(const std::string& headerPath,
                                                                Console& console) {
    HeaderReadResult read = ReadHeaderFile(headerPath);
    if (!read.opened) {
        PrintMessage(console.err, "error", NotReadText(read));
        return std::nullopt;
    }
    return std::move(read.contents);
}

std::string HeaderCommand::FileBytes(const std::string& headerPath) {
    std::ifstream file(headerPath, std::ios::binary);
    return {std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
}

std::string HeaderCommand::StoredHeader(const Configuration& configuration,
                                        const HeaderContents& tables, bool oldStyleNames) {
    return StoredBytes(FormatHeader(configuration, WindowRows(tables.bsems, kBsemsEntries),
                                    WindowRows(tables.stimers, kStimersEntries), oldStyleNames));
}

bool HeaderCommand::Locked(const FileLock& lock, const std::string& headerPath, Console& console) {
    if (!lock.Held()) {
        PrintMessage(console.err, "error", BusyMessage(headerPath).text);
    }
    return lock.Held();
}

void HeaderCommand::AddForce(CLI::App& command) {
    command.add_flag("--force", force_,
                     "Rewrite a header that ends early all the same; its backup is kept");
}

bool HeaderCommand::RefusesIncomplete(const std::string& headerPath, const HeaderContents& contents,
                                      Console& console) const {
    const auto endsEarly = std::find_if(
        contents.findings.begin(), contents.findings.end(),
        [](const ReadFinding& finding) { return finding.kind == ReadFinding::Kind::EndsEarly; });
    if (endsEarly == contents.findings.end() || force_) {
        return false;
    }
    PrintMessage(console.err, "error",
                 headerPath + " ends early, may be incomplete, so it is left unchanged; " +
                     endsEarly->backupPath +
                     " may hold it as last saved whole. Give --force to rewrite it all the "
                     "same; the backup is kept.");
    return true;
}

ExitCode HeaderCommand::Write(const std::string& headerPath, const Configuration& configuration,
                              const HeaderContents& tables, bool oldStyleNames,
                              const FileLock& lock, Console& console) {
    ConsolePrompter prompter(console.err, Answer::No);
    WriteOptions options;
    options.heldLock = &lock;
    const HeaderWriteReport report =
        WriteHeader(headerPath, configuration, WindowRows(tables.bsems, kBsemsEntries),
                    WindowRows(tables.stimers, kStimersEntries), oldStyleNames, prompter, options);
    return report.Written() ? ExitCode::Clean : ExitCode::UsageOrFileError;
}

// The names are checked as the window would show them.
HeaderReport HeaderCommand::Report(const std::string& headerPath, HeaderContents contents) {
    const std::vector<NameEntry> bsems = WindowRows(contents.bsems, kBsemsEntries);
    const std::vector<NameEntry> stimers = WindowRows(contents.stimers, kStimersEntries);
    const std::vector<CountWarning> countWarnings =
        CheckCounts(contents.configuration, bsems, stimers);
    const std::vector<NameFinding> nameFindings =
        CheckNames(bsems, stimers, contents.configuration);
    HeaderReport report{headerPath, std::move(contents), {}, std::nullopt};
    report.findings = WordFindings(report.contents, countWarnings);
    const std::vector<Finding> names = WordNameFindings(report.contents, nameFindings);
    report.findings.insert(report.findings.end(), names.begin(), names.end());
    report.ram = ComputeRamUsage(report.contents.configuration);
    return report;
}

}  // namespace zurcfg
