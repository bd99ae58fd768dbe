#pragma once

#include <optional>
#include <string>
#include <vector>

#include "cli/command.h"
#include "cli/report_format.h"
#include "config/file_lock.h"
#include "config/header_reader.h"

namespace zurcfg {

// Base of the commands that work on headers named by FILE|FOLDER arguments. A path that does
// not name a ZURcfg.h is a folder holding one, as in the window. Each header is read once, by
// the core's reader.
class HeaderCommand : public Command {
protected:
    // Declares the FILE|FOLDER... argument, at least one.
    void AddHeaderPaths(CLI::App& command);

    // Runs runOne(headerPath) for each header named, in order, and returns the worst result.
    template <typename RunOne>
    ExitCode ForEachHeader(RunOne runOne) const {
        ExitCode worst = ExitCode::Clean;
        for (const std::string& path : paths_) {
            worst = Worse(worst, runOne(HeaderFile(path)));
        }
        return worst;
    }

    // The header that a FILE|FOLDER argument names.
    static std::string HeaderFile(const std::string& path);

    // Reads the header at headerPath. Empty when there is none to read; the error stream then
    // says why and what to do.
    static std::optional<HeaderContents> ReadExistingHeader(const std::string& headerPath,
                                                            Console& console);

    // What zurcfg reports on a header read from headerPath: the reader's findings, the name
    // tables against their counts as a save would check them, and the RAM per bank.
    static HeaderReport Report(const std::string& headerPath, HeaderContents contents);

    // The header's bytes as stored; empty when they cannot be read.
    static std::string FileBytes(const std::string& headerPath);

    // The bytes that the window's save would store for the configuration and tables.
    static std::string StoredHeader(const Configuration& configuration,
                                    const HeaderContents& tables, bool oldStyleNames);

    // Whether the header's lock, taken before the header is read for a rewrite, is held; the
    // error stream says when another save kept it too long.
    static bool Locked(const FileLock& lock, const std::string& headerPath, Console& console);

    // Declares --force, which lets a header that ends early be rewritten.
    void AddForce(CLI::App& command);

    // Whether the header is refused for a rewrite because it ends early and --force was not
    // given; the error stream then says so.
    bool RefusesIncomplete(const std::string& headerPath, const HeaderContents& contents,
                           Console& console) const;

    // Writes the header as the window's save does, the previous one kept as the backup, under
    // the lock held since the header was read; the writer's report goes to the error stream.
    static ExitCode Write(const std::string& headerPath, const Configuration& configuration,
                          const HeaderContents& tables, bool oldStyleNames, const FileLock& lock,
                          Console& console);

    std::vector<std::string> paths_;
    bool force_ = false;
};

}  // namespace zurcfg
