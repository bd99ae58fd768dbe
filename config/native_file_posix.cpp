// The system calls of native_file.h on POSIX systems.
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <sys/xattr.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <vector>

#include "config/native_file.h"

namespace zurcfg::native {

namespace {

std::error_code LastError() {
    return {errno, std::generic_category()};
}

int Descriptor(Handle handle) {
    return static_cast<int>(handle);
}

// Whether this process can give a new file the owner and group of `status`. Only root gives away
// files; others may choose among their own groups.
bool MayGiveOwner(const struct stat& status) {
    if (geteuid() == 0) {
        return true;
    }
    if (status.st_uid != geteuid()) {
        return false;
    }
    if (status.st_gid == getegid()) {
        return true;
    }
    std::vector<gid_t> groups(static_cast<std::size_t>(std::max(getgroups(0, nullptr), 0)));
    const int count = getgroups(static_cast<int>(groups.size()), groups.data());
    return count > 0 &&
           std::find(groups.begin(), groups.begin() + count, status.st_gid) != groups.end();
}

// Extended attributes, ACLs among them, that a new file would not get. The labels the system
// gives every new file itself ("security.") do not count.
bool HasOwnAttributes(int descriptor) {
    const ssize_t size = flistxattr(descriptor, nullptr, 0);
    if (size <= 0) {
        return false;
    }
    std::string names(static_cast<std::size_t>(size), '\0');
    const ssize_t got = flistxattr(descriptor, names.data(), names.size());
    for (std::size_t start = 0; got > 0 && start < static_cast<std::size_t>(got);) {
        const std::string_view name(names.c_str() + start);
        if (name.rfind("security.", 0) != 0) {
            return true;
        }
        start += name.size() + 1;
    }
    return false;
}

}  // namespace

// A folder, pipe or device is told apart before it is opened; the opened file is checked again,
// in case something was swapped in meanwhile.
Found OpenPrevious(const std::string& path, PreviousFile& previous, std::error_code& error) {
    struct stat status {};
    if (stat(path.c_str(), &status) != 0) {
        error = LastError();
        return IsMissing(error) || error.value() == ENOTDIR ? Found::Nothing : Found::Failure;
    }
    if (!S_ISREG(status.st_mode)) {
        return Found::OtherThing;
    }
    const int descriptor = open(path.c_str(), O_RDWR | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
    previous.handle = descriptor;
    if (descriptor < 0 || fstat(descriptor, &status) != 0) {
        error = LastError();
        return Found::Failure;
    }
    previous.exists = true;
    if (!S_ISREG(status.st_mode)) {
        return Found::OtherThing;
    }
    previous.mode = status.st_mode & 07777;
    previous.owner = status.st_uid;
    previous.group = status.st_gid;
    previous.links = status.st_nlink;
    previous.keepsOwnerOrAttributesOnlyInPlace =
        !MayGiveOwner(status) || HasOwnAttributes(descriptor);
    return Found::RegularFile;
}

// The file is made private first and given the previous file's mode once it has its owner. The
// owner is given where this process may (see MayGiveOwner); a file that must keep one it may not
// give is rewritten in place instead, unless its caller rather has it renamed all the same.
std::error_code CreateNew(const std::string& path, const PreviousFile& previous, Handle& handle) {
    const mode_t mode = previous.exists ? S_IRUSR | S_IWUSR : 0666;
    const int descriptor =
        open(path.c_str(), O_RDWR | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, mode);
    handle = descriptor;
    if (descriptor < 0 || !previous.exists) {
        return descriptor < 0 ? LastError() : std::error_code();
    }
    const auto owner = static_cast<uid_t>(previous.owner);
    const auto group = static_cast<gid_t>(previous.group);
    struct stat created {};
    if (fstat(descriptor, &created) == 0 && (created.st_uid != owner || created.st_gid != group)) {
        [[maybe_unused]] const int given = fchown(descriptor, owner, group);
    }
    if (fchmod(descriptor, static_cast<mode_t>(previous.mode)) != 0) {
        const std::error_code error = LastError();
        Close(handle);
        unlink(path.c_str());
        return error;
    }
    return {};
}

std::error_code WriteAt(Handle handle, std::string_view bytes, std::uint64_t offset) {
    while (!bytes.empty()) {
        const ssize_t written =
            pwrite(Descriptor(handle), bytes.data(), bytes.size(), static_cast<off_t>(offset));
        if (written < 0 && errno != EINTR) {
            return LastError();
        }
        if (written > 0) {
            bytes.remove_prefix(static_cast<std::size_t>(written));
            offset += static_cast<std::uint64_t>(written);
        }
    }
    return {};
}

std::size_t ReadAt(Handle handle, char* into, std::size_t most, std::uint64_t offset,
                   std::error_code& error) {
    ssize_t got;
    do {
        got = pread(Descriptor(handle), into, most, static_cast<off_t>(offset));
    } while (got < 0 && errno == EINTR);
    if (got < 0) {
        error = LastError();
        return 0;
    }
    return static_cast<std::size_t>(got);
}

std::error_code Flush(Handle handle) {
    return fsync(Descriptor(handle)) == 0 ? std::error_code() : LastError();
}

std::error_code Close(Handle& handle) {
    const bool closed = handle == kNoHandle || close(Descriptor(handle)) == 0;
    handle = kNoHandle;
    return closed ? std::error_code() : LastError();
}

// Where the system can, the blocks are reserved without changing the file's size, so that the
// previous bytes stay exactly as they were until the writing starts.
std::error_code Reserve(Handle handle, std::uint64_t size) {
    if (size == 0) {
        return {};
    }
#ifdef FALLOC_FL_KEEP_SIZE
    if (fallocate(Descriptor(handle), FALLOC_FL_KEEP_SIZE, 0, static_cast<off_t>(size)) == 0) {
        return {};
    }
    if (errno != EOPNOTSUPP && errno != ENOSYS) {
        return LastError();
    }
#endif
    const int failure = posix_fallocate(Descriptor(handle), 0, static_cast<off_t>(size));
    return failure == 0 || failure == EINVAL || failure == EOPNOTSUPP
               ? std::error_code()
               : std::error_code(failure, std::generic_category());
}

std::error_code Truncate(Handle handle, std::uint64_t size) {
    return ftruncate(Descriptor(handle), static_cast<off_t>(size)) == 0 ? std::error_code()
                                                                        : LastError();
}

std::error_code HardLink(const std::string& existing, const std::string& link) {
    return ::link(existing.c_str(), link.c_str()) == 0 ? std::error_code() : LastError();
}

std::error_code Rename(const std::string& from, const std::string& to) {
    return std::rename(from.c_str(), to.c_str()) == 0 ? std::error_code() : LastError();
}

std::error_code PutInPlace(const std::string& replacement, const std::string& target,
                           PreviousFile&) {
    return Rename(replacement, target);
}

std::error_code FlushFolderOf(const std::string& path) {
    const std::size_t folderLength = FolderPartLength(path);
    const std::string folder = folderLength == 0 ? "." : path.substr(0, folderLength);
    Handle folderHandle = open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (folderHandle == kNoHandle) {
        return LastError();
    }
    const std::error_code error = Flush(folderHandle);
    Close(folderHandle);
    // Some file systems cannot flush a folder at all; their entries are as safe as they get.
    return error.value() == EINVAL ? std::error_code() : error;
}

// A link or a pipe left there would redirect or hold up a write, so it goes too.
void RemoveLeftover(const std::string& path) {
    struct stat status {};
    if (lstat(path.c_str(), &status) == 0 && !S_ISDIR(status.st_mode)) {
        unlink(path.c_str());
    }
}

bool IsNameOf(const std::string& path, Handle handle) {
    struct stat opened {};
    struct stat named {};
    return fstat(Descriptor(handle), &opened) == 0 && stat(path.c_str(), &named) == 0 &&
           opened.st_dev == named.st_dev && opened.st_ino == named.st_ino;
}

bool IsLink(const std::string& path) {
    struct stat status {};
    return lstat(path.c_str(), &status) == 0 && S_ISLNK(status.st_mode);
}

std::string ReadLink(const std::string& path, std::error_code& error) {
    std::string target(256, '\0');
    while (true) {
        const ssize_t length = readlink(path.c_str(), target.data(), target.size());
        if (length < 0) {
            error = LastError();
            return {};
        }
        if (static_cast<std::size_t>(length) < target.size()) {
            target.resize(static_cast<std::size_t>(length));
            return target;
        }
        target.resize(target.size() * 2);
    }
}

bool IsAbsolute(const std::string& path) {
    return !path.empty() && path.front() == '/';
}

std::size_t FolderPartLength(const std::string& path) {
    const std::size_t slash = path.rfind('/');
    return slash == std::string::npos ? 0 : slash + 1;
}

bool IsMissing(const std::error_code& error) {
    return error.value() == ENOENT;
}

bool FolderRefusesNewFile(const std::error_code& error) {
    return error.value() == EACCES || error.value() == EPERM || error.value() == EROFS;
}

bool AlreadyExists(const std::error_code& error) {
    return error.value() == EEXIST;
}

Handle OpenLockFile(const std::string& path, std::error_code& error) {
    // Reading is enough to lock; a link planted at the path is not followed.
    const int descriptor =
        open(path.c_str(), O_RDONLY | O_CREAT | O_NOFOLLOW | O_NOCTTY | O_CLOEXEC, 0666);
    if (descriptor < 0) {
        error = LastError();
    }
    return descriptor;
}

bool IsPassing(const std::error_code&, const std::string&) {
    return false;
}

Handle OpenToLock(const std::string& path) {
    const int descriptor = open(path.c_str(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
    struct stat status {};
    if (descriptor >= 0 && (fstat(descriptor, &status) != 0 || !S_ISREG(status.st_mode))) {
        close(descriptor);
        return kNoHandle;
    }
    return descriptor;
}

LockAttempt TryLock(Handle handle) {
    if (flock(Descriptor(handle), LOCK_EX | LOCK_NB) == 0) {
        return LockAttempt::Taken;
    }
    return errno == EWOULDBLOCK || errno == EINTR ? LockAttempt::Busy : LockAttempt::Unsupported;
}

bool StillNamedBy(Handle handle, const std::string& path) {
    return IsNameOf(path, handle);
}

void RemoveLockFile(const std::string& path) {
    unlink(path.c_str());
}

}  // namespace zurcfg::native
