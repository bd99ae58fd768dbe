#pragma once

#include <vector>

#include "config/header_reader.h"
#include "config/header_writer.h"
#include "config/prompter.h"

namespace zurcfg {

// The message boxes in which the window tells what reading or writing a header found. Every
// text the user has always seen stays word for word; the reader's and the writer's findings
// are worded here and nowhere else.

// What a finding about the text of a header says, on one line without its place; empty for the
// findings about the file as a whole (missing, not a regular file, not readable, foreign).
std::string DescribeReadFinding(const ReadFinding& finding);

// The boxes for a header just read, in the order to show them: one per finding about the file,
// then one for all it does not read as written, names it will not keep among them. None for a
// clean header.
std::vector<Message> ReadMessages(const HeaderReadResult& result);

// "OS_BSEMS = 2, but 3 item(s) defined in ENUM_BSEMS": a table holding more names than its count.
std::string CountWarningText(const CountWarning& warning);

// "Writing the new text failed: No space left on device.": the step of a save that failed, and
// the system's reason.
std::string FileFailureText(const FileFailure& failure);

// The box for a save that could not have the header's lock within FileLock::kWait.
Message BusyMessage(const std::string& headerPath);

// The one box that reports a write.
Message WriteMessage(const HeaderWriteReport& report);

// ReadHeaderFile, with the findings told to the user through `prompter`.
HeaderReadResult ReadHeader(std::string path, Prompter& prompter);

// WriteHeaderFile, with the outcome told to the user through `prompter`, including name tables
// holding more identifiers than their counts.
HeaderWriteReport WriteHeader(std::string path, const Configuration& configuration,
                              const std::vector<NameEntry>& bsems,
                              const std::vector<NameEntry>& stimers, bool oldStyleNames,
                              Prompter& prompter, const WriteOptions& options = {});

}  // namespace zurcfg
