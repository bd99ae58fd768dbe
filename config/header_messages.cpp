#include "config/header_messages.h"

#include <cctype>
#include <filesystem>
#include <optional>
#include <string>
#include <system_error>
#include <utility>

#include "config/c_names.h"
#include "config/option_lists.h"

namespace zurcfg {

namespace {

// The folder that a save into `path` needs but that is not there; nothing when it is.
std::optional<std::string> MissingFolderOf(const std::string& path) {
    const std::filesystem::path folder = std::filesystem::path(path).parent_path();
    std::error_code error;
    if (folder.empty() || std::filesystem::is_directory(folder, error)) {
        return std::nullopt;
    }
    return folder.string();
}

// The box for a finding about the file itself; none for findings about names.
std::optional<Message> FileMessage(const ReadFinding& finding, const std::string& path) {
    switch (finding.kind) {
        case ReadFinding::Kind::Missing:
            // Saving creates the file, but no folder for it.
            if (const std::optional<std::string> folder = MissingFolderOf(path)) {
                return Message{"File " + path + " does not exist, and saving cannot create it:\n" +
                                   "there is no folder " + *folder +
                                   ".\nChoose a header in an existing folder.",
                               "Error", Buttons::Ok, Icon::Exclamation};
            }
            return Message{"File " + path + " does not exist.\nIt will be created after saving." +
                               (finding.backupPath.empty()
                                    ? ""
                                    : "\n\nIts backup " + finding.backupPath +
                                          " is there and may hold the header as last saved."),
                           "Error", Buttons::Ok, Icon::Information};
        case ReadFinding::Kind::EndsEarly:
            return Message{
                "File " + path +
                    " ends early, may be incomplete: it lacks the closing #endif "
                    "that this tool writes." +
                    (finding.backupPath.empty()
                         ? ""
                         : "\n\nThe header as last saved whole may be in " + finding.backupPath +
                               ". Saving keeps that backup as it is."),
                "Warning", Buttons::Ok, Icon::Exclamation};
        case ReadFinding::Kind::NotRegularFile:
            return Message{
                "File " + path +
                    " is not a regular file (it is a folder, a pipe or a device),\nso it "
                    "was not read. Choose a header file instead.",
                "Error", Buttons::Ok, Icon::Exclamation};
        case ReadFinding::Kind::NotReadable:
            return Message{"File " + path +
                               " exists but could not be read.\nCheck that you may read it, then "
                               "open it again.",
                           "Error", Buttons::Ok, Icon::Exclamation};
        case ReadFinding::Kind::NotGenerated:
            return Message{
                "This file was not created by this tool.\nSome parameters may be wrong.\n\nIn "
                "addition all extra data (user's definitions and comments)\nwill be lost "
                "after saving.",
                "Warning", Buttons::Ok, Icon::Exclamation};
        default:  // about the text: listed together
            break;
    }
    return std::nullopt;
}

// What a value read from a header was taken as.
std::string ValueText(const ReadFinding& finding) {
    const bool digits = !finding.found.empty() &&
                        finding.found.find_first_not_of("0123456789") == std::string::npos &&
                        !(finding.found.size() > 1 && finding.found.front() == '0');
    return finding.subject + " " + Quoted(finding.found) +
           (digits ? " is not a size of 1, 2 or 4 bytes" : " is not plain decimal digits") +
           " and is read as " + finding.kept;
}

// The platform names a header may carry, quoted and listed.
std::string KnownPlatforms() {
    std::string names;
    for (int32_t platform = 1; platform < kPlatformPositions; ++platform) {
        names += (platform == 1 ? "" : ", ") + Quoted(PlatformHeaderName(platform));
    }
    return names;
}

std::string FileStepText(FileStep step) {
    switch (step) {
        case FileStep::FollowLinks:
            return "Following the links to the file";
        case FileStep::OpenTarget:
            return "Opening the file for writing";
        case FileStep::CreateTemporary:
            return "Creating a new file in its folder";
        case FileStep::WriteTemporary:
            return "Writing the new text";
        case FileStep::FlushTemporary:
            return "Flushing the new text to the disk";
        case FileStep::KeepBackup:
            return "Keeping the previous file as the backup";
        case FileStep::ReserveSpace:
            return "Reserving space for the new text";
        case FileStep::WriteInPlace:
            return "Writing the new text over the file";
        case FileStep::PutInPlace:
            return "Putting the new file in place";
        case FileStep::FlushFolder:
            break;
    }
    return "Flushing the folder to the disk";
}

// What a written header's user should know about its backup: that it could not be made, or
// that the older one was kept on purpose; empty when all went as usual.
std::string BackupNote(const HeaderWriteReport& report) {
    switch (report.backup) {
        case HeaderWriteReport::Backup::NotMade:
            return "No backup of the previous file could be made:\n" + report.backupPath +
                   " does not hold it." +
                   (report.backupFailure ? "\n" + FileFailureText(*report.backupFailure) : "");
        case HeaderWriteReport::Backup::KeptOlder:
            return "The previous file ended early, so it was not kept as the backup:\n" +
                   report.backupPath + " still holds the header saved before it.";
        case HeaderWriteReport::Backup::NoPreviousFile:
        case HeaderWriteReport::Backup::Made:
            break;
    }
    return "";
}

// After a write in place stopped halfway, the header is damaged and its backup is what is left.
std::string WhereThePreviousHeaderIs(const HeaderWriteReport& report) {
    const bool damaged =
        report.inPlace && report.failure && report.failure->step == FileStep::WriteInPlace;
    if (!damaged) {
        return "";
    }
    return report.backup == HeaderWriteReport::Backup::Made
               ? "\nThe previous header is kept in " + report.backupPath + "."
               : "\nThe file may be incomplete now.";
}

}  // namespace

std::string DescribeReadFinding(const ReadFinding& finding) {
    const std::string table = NameTableName(finding.table);
    switch (finding.kind) {
        case ReadFinding::Kind::SkippedEnumeration:
            return "the " + table +
                   " names of this enumeration are not read (only an \"enum\" that begins its "
                   "line is)";
        case ReadFinding::Kind::NamesNotKept:
            return std::to_string(finding.count) + " " + table +
                   " name(s) from here on are beyond the table's " +
                   std::to_string(NameTableRows(finding.table)) + " rows and are not kept";
        case ReadFinding::Kind::ItemsNotChecked:
            return std::to_string(finding.count) + " " + table +
                   " name(s) from here on are beyond the first " + std::to_string(kMaxEnumItems) +
                   " and are neither kept nor checked";
        case ReadFinding::Kind::ValueNotAsWritten:
            return ValueText(finding);
        case ReadFinding::Kind::ItemNotAsWritten:
            if (finding.found.empty()) {
                return table + " entry " + std::to_string(finding.entry) +
                       " is empty: two commas in a row, or a comma alone";
            }
            return table + " entry " + std::to_string(finding.entry) + " " + Quoted(finding.found) +
                   (finding.severity == Severity::Error
                        ? " is not a C identifier, which stops the compiler, and is read as "
                        : " is more than an identifier and is read as ") +
                   Quoted(finding.kept);
        case ReadFinding::Kind::MissingComma:
            return table + " entry " + std::to_string(finding.entry) + " " + Quoted(finding.found) +
                   " has no comma before it, so the compiler takes it for part of the entry "
                   "before";
        case ReadFinding::Kind::ControlBytes:
            return "control byte(s) " + Quoted(finding.found) +
                   (finding.severity == Severity::Error
                        ? " stand in code, where they stop the compiler, and are dropped from "
                          "this line"
                        : " are dropped from this line");
        case ReadFinding::Kind::CommentTakesLine:
            return "the comment here ends in \\ (or ?\?/), so the compiler takes line " +
                   std::to_string(finding.count) + " " + Quoted(finding.found) +
                   " for part of it and skips what is read there";
        case ReadFinding::Kind::UnknownPlatform:
            return "PLATFORM " + Quoted(finding.found) + " names none of " + KnownPlatforms() +
                   ", so the platform is read as " +
                   (finding.kept.empty() ? "none" : Quoted(finding.kept));
        case ReadFinding::Kind::CommentRunsOn:
            if (finding.count == 0) {
                return "the block comment opened here is never closed, so the compiler takes the "
                       "rest of the file for a comment";
            }
            return "the block comment opened here runs to line " + std::to_string(finding.count) +
                   ": the compiler skips what is read between";
        case ReadFinding::Kind::EndsEarly:
            return "ends early, may be incomplete: the closing #endif is missing" +
                   (finding.backupPath.empty()
                        ? std::string()
                        : "; " + finding.backupPath +
                              " may hold the header as last saved whole, and a save keeps it");
        case ReadFinding::Kind::Missing:
        case ReadFinding::Kind::NotRegularFile:
        case ReadFinding::Kind::NotReadable:
        case ReadFinding::Kind::NotGenerated:
            break;
    }
    return {};
}

std::vector<Message> ReadMessages(const HeaderReadResult& result) {
    std::vector<Message> messages;
    std::string notAsWritten;
    for (const ReadFinding& finding : result.contents.findings) {
        if (std::optional<Message> message = FileMessage(finding, result.path)) {
            messages.push_back(std::move(*message));
        } else {
            notAsWritten += "- line " + std::to_string(finding.line) + ": " +
                            DescribeReadFinding(finding) + ".\n";
        }
    }
    if (!notAsWritten.empty()) {
        messages.push_back({"Some of this file is not read as it is written:\n\n" + notAsWritten +
                                "\nA save writes only what the window shows. Copy what you need "
                                "from the file first.",
                            "Warning", Buttons::Ok, Icon::Exclamation});
    }
    return messages;
}

std::string CountWarningText(const CountWarning& warning) {
    const std::string table = NameTableName(warning.table);
    std::string text = "OS_" + table + " = " + std::to_string(warning.count);
    text += ", but " + std::to_string(warning.identifiers) + " item(s) defined in ENUM_";
    return text + table;
}

std::string FileFailureText(const FileFailure& failure) {
    // Some systems end their reasons with a full stop or a line break of their own.
    std::string reason = failure.error.message();
    while (!reason.empty() &&
           (reason.back() == '.' || std::isspace(static_cast<unsigned char>(reason.back())))) {
        reason.pop_back();
    }
    return FileStepText(failure.step) + " failed: " + reason + ".";
}

Message BusyMessage(const std::string& headerPath) {
    return {"File " + headerPath +
                " is being saved by another window or program.\nNothing was written. Save "
                "again in a moment.",
            "Error", Buttons::Ok, Icon::Exclamation};
}

Message WriteMessage(const HeaderWriteReport& report) {
    // The second line, where there is one, says which step failed and why.
    const std::string why = report.failure ? "\n" + FileFailureText(*report.failure) : "";
    switch (report.outcome) {
        case HeaderWriteReport::Outcome::NotOpened:
            return {"Error opening file:\n" + report.path + why, "Error", Buttons::Ok,
                    Icon::Exclamation};
        case HeaderWriteReport::Outcome::NotWritten:
            return {"Error writing file:\n" + report.path + why + WhereThePreviousHeaderIs(report),
                    "Error", Buttons::Ok, Icon::Exclamation};
        case HeaderWriteReport::Outcome::NotRegularFile:
            return {"File " + report.path +
                        " is not a regular file (it is a folder, a pipe or a device),\nso it "
                        "was not written. Save to a header file instead.",
                    "Error", Buttons::Ok, Icon::Exclamation};
        case HeaderWriteReport::Outcome::Busy:
            return BusyMessage(report.path);
        case HeaderWriteReport::Outcome::Written:
            break;
    }
    // More identifiers than a count allows is no error, but the user is told.
    std::string warnings;
    int number = 0;
    for (const CountWarning& warning : report.countWarnings) {
        warnings += std::to_string(++number) + ". " + CountWarningText(warning) + "\n";
    }
    const std::string backupNote = BackupNote(report);
    if (warnings.empty()) {
        return {"File saved successfully:\n" + report.path + (backupNote.empty() ? "" : "\n\n") +
                    backupNote,
                "OK!", Buttons::Ok, Icon::Information};
    }
    return {"File saved:\n" + report.path + "\n\nWARNING:\n\n" + warnings +
                (backupNote.empty() ? "" : "\n") + backupNote,
            "OK!", Buttons::Ok, Icon::Exclamation};
}

HeaderReadResult ReadHeader(std::string path, Prompter& prompter) {
    HeaderReadResult result = ReadHeaderFile(std::move(path));
    for (const Message& message : ReadMessages(result)) {
        prompter.Ask(message);
    }
    return result;
}

HeaderWriteReport WriteHeader(std::string path, const Configuration& configuration,
                              const std::vector<NameEntry>& bsems,
                              const std::vector<NameEntry>& stimers, bool oldStyleNames,
                              Prompter& prompter, const WriteOptions& options) {
    HeaderWriteReport report =
        WriteHeaderFile(std::move(path), configuration, bsems, stimers, oldStyleNames, options);
    prompter.Ask(WriteMessage(report));
    return report;
}

}  // namespace zurcfg
