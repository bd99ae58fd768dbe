#pragma once

// The recovery files of the window program: one per running window, in the user's state folder,
// holding that window's unsaved work (see recovery_record.h). Each is named for the process that
// writes it and for that run, "recovery-<process id>-<run>.txt", so that windows open at the same
// time never write over each other's, and a later run can tell which files were left by a process
// that has ended. Before a run offers such a file it renames it to a name of its own, so that two
// windows starting together never both offer the same work.

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "config/document.h"

namespace zurcfg {

// The id of this process.
std::int64_t CurrentProcessId();
// Whether a process with this id is running, whoever owns it.
bool ProcessRunning(std::int64_t processId);

class RecoveryFiles {
public:
    using ProcessCheck = std::function<bool(std::int64_t processId)>;

    // The files in `folder`, which is made when this run first writes its file. `running` and
    // `ownProcess` stand in for the system's in tests.
    explicit RecoveryFiles(std::string folder, ProcessCheck running = ProcessRunning,
                           std::int64_t ownProcess = CurrentProcessId());

    const std::string& Folder() const { return folder_; }
    // The file of this run; it exists only while this run keeps unsaved work.
    const std::string& OwnFile() const { return ownFile_; }

    // Replaces this run's file with `record`, so that the file never holds half of one. False
    // when it could not be written; the file is then as it was.
    bool Write(std::string_view record) const;
    // Removes this run's file, if there is one.
    void Remove() const;

    // The files that runs whose process has ended left behind, newest first, each renamed for
    // this run before it is listed. A file that another window renames first is not listed; a
    // listed one that is neither read back nor removed is offered again once this run has ended.
    std::vector<std::string> ClaimLeftBehind();

private:
    // Whether the file named `name` belongs to a run that has ended.
    bool LeftBehind(const std::string& name) const;

    std::string folder_;
    ProcessCheck running_;
    std::int64_t ownProcess_;
    std::string ownRun_;
    std::string ownFile_;
    int claimed_ = 0;
};

// The unsaved work that the file at `path` holds. Only a regular file of a size a record can have
// is read; nothing when there is none or it holds no complete record.
std::optional<Document> ReadRecoveryFile(const std::string& path);

// Removes a file that ClaimLeftBehind listed, once its work is back or was discarded.
void RemoveRecoveryFile(const std::string& path);

}  // namespace zurcfg
