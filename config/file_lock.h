#pragma once

#include <chrono>
#include <string>

#include "config/native_file.h"

namespace zurcfg {

// One writer at a time for a file, among every window and zurcfg process: an advisory lock on a
// lock file beside it, named as the file (links followed) plus ".lock", taken before the file is
// read for a save and held until the new file is in place, so that no save works from a version
// another one is replacing. The lock file goes with the last holder. Where no lock file can be
// made (a folder that takes no new file), the file itself is locked: a save there rewrites it in
// place, so it stays the same file. A file system that keeps no locks lets every save through.
//
// Taking the lock waits a few seconds at most; a save that cannot have it by then writes nothing
// and says so. The lock is released when the object goes.
class FileLock {
public:
    static constexpr std::chrono::milliseconds kWait{5000};

    explicit FileLock(const std::string& path, std::chrono::milliseconds wait = kWait);
    ~FileLock();
    FileLock(const FileLock&) = delete;
    FileLock& operator=(const FileLock&) = delete;

    // False when another held the lock for all of the wait.
    bool Held() const { return held_; }

private:
    enum class Wait { Taken, TimedOut, NoLocks };

    Wait WaitForLock(std::chrono::steady_clock::time_point deadline) const;
    void LockTheFileItself(const std::string& target,
                           std::chrono::steady_clock::time_point deadline);

    std::string lockPath_;  // empty when no lock file of ours is held
    native::Handle handle_ = native::kNoHandle;
    bool held_ = false;
};

}  // namespace zurcfg
