// The system calls of native_file.h on Windows, through the 8-bit ("A") functions, as the rest of
// the program names files.
#include <windows.h>

#include <algorithm>
#include <filesystem>

#include "config/native_file.h"

namespace zurcfg::native {

namespace {

std::error_code LastError() {
    return {static_cast<int>(GetLastError()), std::system_category()};
}

HANDLE Native(Handle handle) {
    return reinterpret_cast<HANDLE>(handle);
}

Handle Wrapped(HANDLE handle) {
    return reinterpret_cast<Handle>(handle);
}

std::error_code Seek(Handle handle, std::uint64_t offset) {
    LARGE_INTEGER position;
    position.QuadPart = static_cast<LONGLONG>(offset);
    return SetFilePointerEx(Native(handle), position, nullptr, FILE_BEGIN) ? std::error_code()
                                                                           : LastError();
}

bool Exists(const std::string& path) {
    if (GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES) {
        return true;
    }
    return !IsMissing(LastError());
}

constexpr DWORD kShareAll = FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE;

// Windows locks byte ranges for every writer, so the lock sits far beyond any header's end, where
// it keeps no write out.
constexpr DWORD kLockOffsetHigh = 0x7FFFFFFF;

}  // namespace

// Attributes and ACLs travel with ReplaceFile; only further hard links keep a file in place.
Found OpenPrevious(const std::string& path, PreviousFile& previous, std::error_code& error) {
    const DWORD attributes = GetFileAttributesA(path.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES) {
        error = LastError();
        return IsMissing(error) ? Found::Nothing : Found::Failure;
    }
    if (attributes & FILE_ATTRIBUTE_DIRECTORY) {
        return Found::OtherThing;
    }
    // Asking to delete it as well tells at once when another program holds it open so that it
    // cannot be replaced; a file only its folder keeps from being deleted is written in place.
    const DWORD accesses[] = {GENERIC_READ | GENERIC_WRITE | DELETE, GENERIC_READ | GENERIC_WRITE};
    for (const DWORD access : accesses) {
        previous.handle = Wrapped(CreateFileA(path.c_str(), access, kShareAll, nullptr,
                                              OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
        if (previous.handle != kNoHandle || GetLastError() != ERROR_ACCESS_DENIED) {
            break;
        }
    }
    if (previous.handle == kNoHandle) {
        error = LastError();
        return Found::Failure;
    }
    previous.exists = true;
    if (GetFileType(Native(previous.handle)) != FILE_TYPE_DISK) {
        return Found::OtherThing;
    }
    BY_HANDLE_FILE_INFORMATION information{};
    if (GetFileInformationByHandle(Native(previous.handle), &information)) {
        previous.links = information.nNumberOfLinks;
    }
    return Found::RegularFile;
}

std::error_code CreateNew(const std::string& path, const PreviousFile&, Handle& handle) {
    handle = Wrapped(CreateFileA(path.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                                 FILE_ATTRIBUTE_NORMAL, nullptr));
    return handle == kNoHandle ? LastError() : std::error_code();
}

std::error_code WriteAt(Handle handle, std::string_view bytes, std::uint64_t offset) {
    if (const std::error_code error = Seek(handle, offset)) {
        return error;
    }
    while (!bytes.empty()) {
        DWORD written = 0;
        const auto piece = static_cast<DWORD>(std::min<std::size_t>(bytes.size(), 1 << 30));
        if (!WriteFile(Native(handle), bytes.data(), piece, &written, nullptr)) {
            return LastError();
        }
        bytes.remove_prefix(written);
    }
    return {};
}

std::size_t ReadAt(Handle handle, char* into, std::size_t most, std::uint64_t offset,
                   std::error_code& error) {
    DWORD got = 0;
    if ((error = Seek(handle, offset))) {
        return 0;
    }
    const auto piece = static_cast<DWORD>(std::min<std::size_t>(most, 1 << 30));
    if (!ReadFile(Native(handle), into, piece, &got, nullptr)) {
        error = LastError();
        return 0;
    }
    return got;
}

std::error_code Flush(Handle handle) {
    return FlushFileBuffers(Native(handle)) ? std::error_code() : LastError();
}

std::error_code Close(Handle& handle) {
    const bool closed = handle == kNoHandle || CloseHandle(Native(handle));
    handle = kNoHandle;
    return closed ? std::error_code() : LastError();
}

std::error_code Reserve(Handle handle, std::uint64_t size) {
    FILE_ALLOCATION_INFO allocation{};
    allocation.AllocationSize.QuadPart = static_cast<LONGLONG>(size);
    if (SetFileInformationByHandle(Native(handle), FileAllocationInfo, &allocation,
                                   sizeof allocation)) {
        return {};
    }
    const std::error_code error = LastError();
    const bool full = error.value() == ERROR_DISK_FULL || error.value() == ERROR_HANDLE_DISK_FULL;
    return full ? error : std::error_code();
}

std::error_code Truncate(Handle handle, std::uint64_t size) {
    if (const std::error_code error = Seek(handle, size)) {
        return error;
    }
    return SetEndOfFile(Native(handle)) ? std::error_code() : LastError();
}

std::error_code HardLink(const std::string& existing, const std::string& link) {
    return CreateHardLinkA(link.c_str(), existing.c_str(), nullptr) ? std::error_code()
                                                                    : LastError();
}

std::error_code Rename(const std::string& from, const std::string& to) {
    return MoveFileExA(from.c_str(), to.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)
               ? std::error_code()
               : LastError();
}

// The handle to the previous file is closed first, so that nothing of ours holds it open.
std::error_code PutInPlace(const std::string& replacement, const std::string& target,
                           PreviousFile& previous) {
    if (!previous.exists) {
        return Rename(replacement, target);
    }
    Close(previous.handle);
    if (ReplaceFileA(target.c_str(), replacement.c_str(), nullptr,
                     REPLACEFILE_IGNORE_MERGE_ERRORS | REPLACEFILE_IGNORE_ACL_ERRORS, nullptr,
                     nullptr)) {
        return {};
    }
    return Rename(replacement, target);
}

// MOVEFILE_WRITE_THROUGH has flushed the folder's entry with each rename.
std::error_code FlushFolderOf(const std::string&) {
    return {};
}

// A leftover may have taken on a read-only attribute, and Windows removes no read-only file.
void RemoveLeftover(const std::string& path) {
    const DWORD attributes = GetFileAttributesA(path.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES || (attributes & FILE_ATTRIBUTE_DIRECTORY)) {
        return;
    }
    SetFileAttributesA(path.c_str(), attributes & ~DWORD{FILE_ATTRIBUTE_READONLY});
    DeleteFileA(path.c_str());
}

bool IsNameOf(const std::string& path, Handle handle) {
    const HANDLE named = CreateFileA(path.c_str(), 0, kShareAll, nullptr, OPEN_EXISTING,
                                     FILE_FLAG_BACKUP_SEMANTICS, nullptr);
    if (named == INVALID_HANDLE_VALUE) {
        return false;
    }
    BY_HANDLE_FILE_INFORMATION first{};
    BY_HANDLE_FILE_INFORMATION second{};
    const bool same = GetFileInformationByHandle(Native(handle), &first) &&
                      GetFileInformationByHandle(named, &second) &&
                      first.dwVolumeSerialNumber == second.dwVolumeSerialNumber &&
                      first.nFileIndexHigh == second.nFileIndexHigh &&
                      first.nFileIndexLow == second.nFileIndexLow;
    CloseHandle(named);
    return same;
}

// Other reparse points, such as files kept in the cloud, are files as any other.
bool IsLink(const std::string& path) {
    const DWORD attributes = GetFileAttributesA(path.c_str());
    std::error_code error;
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_REPARSE_POINT) &&
           std::filesystem::is_symlink(path, error);
}

std::string ReadLink(const std::string& path, std::error_code& error) {
    return std::filesystem::read_symlink(path, error).string();
}

bool IsAbsolute(const std::string& path) {
    return std::filesystem::path(path).is_absolute();
}

std::size_t FolderPartLength(const std::string& path) {
    const std::size_t separator = path.find_last_of("\\/:");
    return separator == std::string::npos ? 0 : separator + 1;
}

bool IsMissing(const std::error_code& error) {
    return error.value() == ERROR_FILE_NOT_FOUND || error.value() == ERROR_PATH_NOT_FOUND;
}

bool FolderRefusesNewFile(const std::error_code& error) {
    return error.value() == ERROR_ACCESS_DENIED || error.value() == ERROR_WRITE_PROTECT;
}

bool AlreadyExists(const std::error_code& error) {
    return error.value() == ERROR_FILE_EXISTS || error.value() == ERROR_ALREADY_EXISTS;
}

// The lock file goes when its last holder closes it.
Handle OpenLockFile(const std::string& path, std::error_code& error) {
    const Handle handle = Wrapped(
        CreateFileA(path.c_str(), GENERIC_READ | GENERIC_WRITE, kShareAll, nullptr, OPEN_ALWAYS,
                    FILE_ATTRIBUTE_HIDDEN | FILE_FLAG_DELETE_ON_CLOSE, nullptr));
    if (handle == kNoHandle) {
        error = LastError();
    }
    return handle;
}

bool IsPassing(const std::error_code& error, const std::string& path) {
    return error.value() == ERROR_ACCESS_DENIED && Exists(path);
}

Handle OpenToLock(const std::string& path) {
    const HANDLE handle = CreateFileA(path.c_str(), GENERIC_READ, kShareAll, nullptr, OPEN_EXISTING,
                                      FILE_ATTRIBUTE_NORMAL, nullptr);
    if (handle != INVALID_HANDLE_VALUE && GetFileType(handle) != FILE_TYPE_DISK) {
        CloseHandle(handle);
        return kNoHandle;
    }
    return Wrapped(handle);
}

LockAttempt TryLock(Handle handle) {
    OVERLAPPED where{};
    where.OffsetHigh = kLockOffsetHigh;
    if (LockFileEx(Native(handle), LOCKFILE_EXCLUSIVE_LOCK | LOCKFILE_FAIL_IMMEDIATELY, 0, 1, 0,
                   &where)) {
        return LockAttempt::Taken;
    }
    return GetLastError() == ERROR_LOCK_VIOLATION ? LockAttempt::Busy : LockAttempt::Unsupported;
}

// A lock file is removed only when the last of its holders closes it, so it is never replaced
// under one of them.
bool StillNamedBy(Handle, const std::string&) {
    return true;
}

void RemoveLockFile(const std::string&) {}

}  // namespace zurcfg::native
