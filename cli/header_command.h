#pragma once

#include <string>
#include <vector>

#include "cli/command.h"
#include "cli/report_format.h"
#include "config/file_lock.h"
#include "config/header_reader.h"

namespace zurcfg {

// Base of the commands that work on headers named by FILE|FOLDER arguments. An existing regular
// file is the header whatever its name; any other path that does not name a ZURcfg.h is a
// folder holding one, as in the window. Each header is read once, by the core's reader.
class HeaderCommand : public Command {
protected:
    // The argument that names standard input, for the commands that read it.
    static constexpr char kStandardInput[] = "-";

    // Declares the FILE|FOLDER... argument, at least one.
    void AddHeaderPaths(CLI::App& command, const char* description);

    // Runs runOne(argument) for each FILE|FOLDER argument, in order, and returns the worst
    // result.
    template <typename RunOne>
    ExitCode ForEachHeader(RunOne runOne) const {
        ExitCode worst = ExitCode::Clean;
        for (const std::string& path : paths_) {
            worst = Worse(worst, runOne(path));
        }
        return worst;
    }

    // The header that a FILE|FOLDER argument names.
    static std::string HeaderFile(const std::string& path);

    // Reads the header at headerPath and checks it as zurcfg check does: what the reader found,
    // the name checks over every item read, message types that would break the header, and the
    // RAM per bank. A header that could not be read has the reason in the report.
    static HeaderReport Inspect(const std::string& headerPath);

    // The same for the header on standard input, which messages call "<stdin>".
    static HeaderReport InspectStandardInput(Console& console);

    // The header's bytes as stored; empty when they cannot be read.
    static std::string FileBytes(const std::string& headerPath);

    // The bytes that the window's save would store for the configuration and tables of a
    // header, with the header's own line ends.
    static std::string StoredHeader(const Configuration& configuration,
                                    const HeaderContents& header, bool oldStyleNames);

    // Whether the header's lock, taken before the header is read for a rewrite, is held; the
    // error stream says when another save kept it too long.
    static bool Locked(const FileLock& lock, const std::string& headerPath, Console& console);

    // Whether the header may be rewritten: when no finding says a rewrite would not keep what
    // it holds (an error, text not read as written, or an early end), or when `force` says to
    // all the same. Otherwise the error stream says why and what to do.
    static bool MayRewrite(const HeaderReport& report, bool force, Console& console);

    // Writes the header as the window's save does, with its own line ends, the previous one
    // kept as the backup, under the lock held since the header was read; the writer's report
    // goes to the error stream, when quiet only if the write failed.
    static ExitCode Write(const std::string& headerPath, const Configuration& configuration,
                          const HeaderContents& header, bool oldStyleNames, bool quiet,
                          const FileLock& lock, Console& console);

    std::vector<std::string> paths_;
};

}  // namespace zurcfg
