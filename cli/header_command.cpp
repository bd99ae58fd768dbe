#include "cli/header_command.h"

#include <algorithm>
#include <fstream>
#include <iterator>

#include "cli/report_format.h"
#include "config/header_path.h"
#include "config/header_writer.h"

namespace zurcfg {

namespace {

// The reader's messages are not shown: the command line words what it finds from the result.
class SilentPrompter : public Prompter {
public:
    Answer Ask(const Message&) override { return Answer::Ok; }
};

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
    SilentPrompter silent;
    HeaderReadResult read = ReadHeader(headerPath, silent);
    if (!read.opened) {
        PrintMessage(console.err, "error",
                     headerPath + ": cannot be read; give an existing ZURcfg.h or its folder.");
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
    const std::string text =
        FormatHeader(configuration, WindowRows(tables.bsems, kBsemsEntries),
                     WindowRows(tables.stimers, kStimersEntries), oldStyleNames);
    // The writer stores each line break as CR LF.
    std::string bytes;
    bytes.reserve(text.size() + text.size() / 16);
    for (char c : text) {
        if (c == '\n') {
            bytes += '\r';
        }
        bytes += c;
    }
    return bytes;
}

ExitCode HeaderCommand::Write(const std::string& headerPath, const Configuration& configuration,
                              const HeaderContents& tables, bool oldStyleNames, Console& console) {
    ConsolePrompter prompter(console.err, Answer::No);
    const bool written =
        WriteHeader(headerPath, configuration, WindowRows(tables.bsems, kBsemsEntries),
                    WindowRows(tables.stimers, kStimersEntries), oldStyleNames, prompter);
    return written ? ExitCode::Clean : ExitCode::UsageOrFileError;
}

}  // namespace zurcfg
