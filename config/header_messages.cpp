#include "config/header_messages.h"

#include <cctype>
#include <optional>
#include <string>
#include <utility>

namespace zurcfg {

namespace {

// The box for a finding about the file itself; none for findings about names.
std::optional<Message> FileMessage(const ReadFinding& finding, const std::string& path) {
    switch (finding.kind) {
        case ReadFinding::Kind::Missing:
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
        case ReadFinding::Kind::SkippedEnumeration:
        case ReadFinding::Kind::NamesNotKept:
            break;
    }
    return std::nullopt;
}

// One line of the box about names that a save would lose.
std::string NamesLine(const ReadFinding& finding) {
    const std::string table = NameTableName(finding.table);
    if (finding.kind == ReadFinding::Kind::SkippedEnumeration) {
        return "- line " + std::to_string(finding.line) + ": the " + table +
               " names of this enumeration are not read (only an \"enum\" that begins its line "
               "is).\n";
    }
    return "- " + std::to_string(finding.count) + " " + table + " name(s) beyond the table's " +
           std::to_string(NameTableRows(finding.table)) + " rows, from line " +
           std::to_string(finding.line) + ", are not kept.\n";
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

std::vector<Message> ReadMessages(const HeaderReadResult& result) {
    std::vector<Message> messages;
    std::string names;
    for (const ReadFinding& finding : result.contents.findings) {
        if (std::optional<Message> message = FileMessage(finding, result.path)) {
            messages.push_back(std::move(*message));
        } else {
            names += NamesLine(finding);
        }
    }
    if (!names.empty()) {
        messages.push_back({"Some names in this file are not in the name tables:\n\n" + names +
                                "\nThey will not be written when you save. Copy them from the "
                                "file first if you need them.",
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
