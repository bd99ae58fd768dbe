#include "config/file_lock.h"

#include <algorithm>
#include <thread>

#include "config/file_replace.h"

namespace zurcfg {

namespace {

using Clock = std::chrono::steady_clock;

// Saves take milliseconds; looking again this often keeps a waiting save from lagging behind.
constexpr std::chrono::milliseconds kFirstPause{2};
constexpr std::chrono::milliseconds kLongestPause{50};

// Sleeps a little longer each time, never past the deadline; false once it has passed.
bool PauseBefore(Clock::time_point deadline, std::chrono::milliseconds& pause) {
    const Clock::time_point now = Clock::now();
    if (now >= deadline) {
        return false;
    }
    std::this_thread::sleep_for(std::min<Clock::duration>(pause, deadline - now));
    pause = std::min(pause * 2, kLongestPause);
    return true;
}

}  // namespace

FileLock::FileLock(const std::string& path, std::chrono::milliseconds wait) {
    const Clock::time_point deadline = Clock::now() + wait;
    std::error_code linkError;
    const std::string target = FollowLinks(path, linkError);
    const std::string lockPath = target + ".lock";
    std::chrono::milliseconds pause = kFirstPause;
    while (true) {
        std::error_code error;
        handle_ = native::OpenLockFile(lockPath, error);
        if (handle_ == native::kNoHandle) {
            if (native::IsPassing(error, lockPath)) {
                if (PauseBefore(deadline, pause)) {
                    continue;
                }
                return;
            }
            LockTheFileItself(target, deadline);
            return;
        }
        const Wait wait = WaitForLock(deadline);
        // A holder that was done removed the file this one waited on: the lock is the new one's.
        if (wait == Wait::Taken && !native::StillNamedBy(handle_, lockPath)) {
            native::Close(handle_);
            continue;
        }
        held_ = wait != Wait::TimedOut;
        if (held_) {
            lockPath_ = lockPath;
        } else {
            native::Close(handle_);
        }
        return;
    }
}

FileLock::~FileLock() {
    // Removed while still held, so that nobody takes the lock of a file about to go.
    if (!lockPath_.empty()) {
        native::RemoveLockFile(lockPath_);
    }
    native::Close(handle_);
}

FileLock::Wait FileLock::WaitForLock(Clock::time_point deadline) const {
    std::chrono::milliseconds pause = kFirstPause;
    while (true) {
        switch (native::TryLock(handle_)) {
            case native::LockAttempt::Taken:
                return Wait::Taken;
            case native::LockAttempt::Unsupported:
                return Wait::NoLocks;
            case native::LockAttempt::Busy:
                break;
        }
        if (!PauseBefore(deadline, pause)) {
            return Wait::TimedOut;
        }
    }
}

// Nothing to lock means nothing to write over; a save there fails or creates the file alone.
void FileLock::LockTheFileItself(const std::string& target, Clock::time_point deadline) {
    handle_ = native::OpenToLock(target);
    held_ = handle_ == native::kNoHandle || WaitForLock(deadline) != Wait::TimedOut;
    if (!held_) {
        native::Close(handle_);
    }
}

}  // namespace zurcfg
