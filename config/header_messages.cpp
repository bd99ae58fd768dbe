#include "config/header_messages.h"

#include <filesystem>
#include <optional>
#include <string>
#include <system_error>
#include <utility>

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
            return Message{"File " + path + " does not exist.\nIt will be created after saving.",
                           "Error", Buttons::Ok, Icon::Information};
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

Message WriteMessage(const HeaderWriteReport& report) {
    switch (report.outcome) {
        case HeaderWriteReport::Outcome::NotOpened:
            return {"Error opening file:\n" + report.path, "Error", Buttons::Ok, Icon::Exclamation};
        case HeaderWriteReport::Outcome::NotWritten:
            return {"Error writing file:\n" + report.path, "Error", Buttons::Ok, Icon::Exclamation};
        case HeaderWriteReport::Outcome::Written:
            break;
    }
    // More identifiers than a count allows is no error, but the user is told.
    std::string warnings;
    int number = 0;
    for (const CountWarning& warning : report.countWarnings) {
        warnings += std::to_string(++number) + ". " + CountWarningText(warning) + "\n";
    }
    // The header is written all the same; the user should know the backup is stale.
    const std::string noBackup = report.backup == HeaderWriteReport::Backup::NotMade
                                     ? "No backup of the previous file could be made:\n" +
                                           report.backupPath + " does not hold it."
                                     : "";
    if (warnings.empty()) {
        return {"File saved successfully:\n" + report.path + (noBackup.empty() ? "" : "\n\n") +
                    noBackup,
                "OK!", Buttons::Ok, Icon::Information};
    }
    return {"File saved:\n" + report.path + "\n\nWARNING:\n\n" + warnings +
                (noBackup.empty() ? "" : "\n") + noBackup,
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
                              Prompter& prompter) {
    HeaderWriteReport report =
        WriteHeaderFile(std::move(path), configuration, bsems, stimers, oldStyleNames);
    prompter.Ask(WriteMessage(report));
    return report;
}

}  // namespace zurcfg
