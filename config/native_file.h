#pragma once

// The few system calls that replacing and locking a file need, one small function each, over
// POSIX (native_file_posix.cpp) or Windows (native_file_windows.cpp). Each answers with the
// system's error, so that a caller can tell the user which step failed and why. Paths are bytes
// of the system's 8-bit encoding.

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <system_error>

namespace zurcfg::native {

// A file descriptor, or a Windows HANDLE; both systems use -1 for none.
using Handle = std::intptr_t;
inline constexpr Handle kNoHandle = -1;

// What a replace learns of the file it replaces, opened once for reading and writing so that
// every later check, the backup and an in-place write concern that very file.
struct PreviousFile {
    bool exists = false;
    std::uint64_t links = 1;  // its names: hard links
    // A new file could not take its place unchanged: it has an owner or group this process
    // cannot give a new file, or extended attributes.
    bool keepsOwnerOrAttributesOnlyInPlace = false;
    Handle handle = kNoHandle;
    // What a new file takes over from it where the system has these (POSIX).
    unsigned mode = 0;
    std::int64_t owner = -1;
    std::int64_t group = -1;
};

enum class Found {
    Nothing,      // nothing stands at the path
    RegularFile,  // opened
    OtherThing,   // a folder, pipe, device or socket: not opened, or closed again
    Failure,      // something is there that could not be opened for writing
};

// Opens the file at path for reading and writing when it is a regular file. Nothing but a
// regular file is ever opened, so that opening has no effect on a device.
Found OpenPrevious(const std::string& path, PreviousFile& previous, std::error_code& error);

// Creates a new file at path, failing when anything stands there, with the previous file's mode,
// owner and group when there is one.
std::error_code CreateNew(const std::string& path, const PreviousFile& previous, Handle& handle);

std::error_code WriteAt(Handle handle, std::string_view bytes, std::uint64_t offset);
// The number of bytes read into `into`; 0 at the end of the file or on a failure, which sets
// error.
std::size_t ReadAt(Handle handle, char* into, std::size_t most, std::uint64_t offset,
                   std::error_code& error);
std::error_code Flush(Handle handle);
// Closes and forgets the handle; a close may report a write that failed late.
std::error_code Close(Handle& handle);

// Reserves the blocks of a file of the given size, without changing its bytes where the system
// can. Only a full disk or quota fails; a file system that cannot reserve is let through.
std::error_code Reserve(Handle handle, std::uint64_t size);
std::error_code Truncate(Handle handle, std::uint64_t size);

std::error_code HardLink(const std::string& existing, const std::string& link);
// Renames, replacing whatever file stands at `to`.
std::error_code Rename(const std::string& from, const std::string& to);
// Renames the new file over the previous one, which keeps what the system can carry over (its
// ACLs and attributes on Windows). The previous file's handle may be closed for that.
std::error_code PutInPlace(const std::string& replacement, const std::string& target,
                           PreviousFile& previous);
// Flushes the folder's entry of the file at path, where the system needs that done apart.
std::error_code FlushFolderOf(const std::string& path);
// Removes what an earlier run may have left at path, whatever it is, but never a folder.
void RemoveLeftover(const std::string& path);

// Whether path names the file open at handle.
bool IsNameOf(const std::string& path, Handle handle);
bool IsLink(const std::string& path);
std::string ReadLink(const std::string& path, std::error_code& error);
bool IsAbsolute(const std::string& path);
// Where the folder part of path ends: the position behind its last separator, 0 for none.
std::size_t FolderPartLength(const std::string& path);

bool IsMissing(const std::error_code& error);
// Whether a failure to create a file says that the folder takes no new file.
bool FolderRefusesNewFile(const std::error_code& error);
bool AlreadyExists(const std::error_code& error);

// Locking. Opens, creating it where missing, the lock file at path.
Handle OpenLockFile(const std::string& path, std::error_code& error);
// Whether the failure to open a lock file at path passes: on Windows a lock file is removed when
// its last holder closes it, and cannot be opened while that happens.
bool IsPassing(const std::error_code& error, const std::string& path);
// Opens a regular file at path for nothing but its lock; kNoHandle when there is none.
Handle OpenToLock(const std::string& path);
enum class LockAttempt {
    Taken,
    Busy,         // another holds it
    Unsupported,  // the file system keeps no locks
};
// Tries once to take the exclusive lock of the file open at handle; closing it releases the lock.
LockAttempt TryLock(Handle handle);
// Whether path still names the file open at handle, which a lock file removed and made anew
// since does not.
bool StillNamedBy(Handle handle, const std::string& path);
// Removes a lock file its holder is done with, where closing it does not.
void RemoveLockFile(const std::string& path);

}  // namespace zurcfg::native
