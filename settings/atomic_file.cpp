#include "settings/atomic_file.h"

#include <filesystem>
#include <fstream>
#include <optional>
#include <system_error>

namespace zurcfg {

namespace fs = std::filesystem;

namespace {

// As many links as the system itself follows before it gives up on a chain as a loop.
constexpr int kMaxLinksFollowed = 40;

// The name at the end of the chain of symbolic links that starts at path; nullopt when the
// chain loops or a link cannot be read.
std::optional<fs::path> EndOfLinkChain(fs::path path) {
    for (int followed = 0; followed <= kMaxLinksFollowed; ++followed) {
        std::error_code error;
        if (!fs::is_symlink(path, error)) {
            return path;
        }
        const fs::path target = fs::read_symlink(path, error);
        if (error) {
            return std::nullopt;
        }
        path = target.is_absolute() ? target : path.parent_path() / target;
    }
    return std::nullopt;
}

// Opening for appending changes no byte and asks the system exactly what writing in place
// would: the file's permission bits or read-only attribute, as they apply to this process.
bool OpensForWriting(const fs::path& file) {
    return std::ofstream(file, std::ios::binary | std::ios::app).is_open();
}

// Whether the file at target may be replaced: a regular file that this process may write, or
// nothing yet.
bool MayReplace(const fs::path& target) {
    std::error_code error;
    const fs::file_status existing = fs::symlink_status(target, error);
    if (existing.type() == fs::file_type::not_found) {
        return true;
    }
    return fs::is_regular_file(existing) && OpensForWriting(target);
}

bool WriteFile(const fs::path& path, std::string_view bytes) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    out.close();
    return !out.fail();
}

// Removes a temporary file, or one left by an earlier run whatever it is (a link or a FIFO
// would redirect or hold up the write), but never a folder that stands in its way.
void RemoveTemporary(const fs::path& temporary) {
    std::error_code error;
    const fs::file_status status = fs::symlink_status(temporary, error);
    if (fs::is_regular_file(status)) {
        // It may have taken on a read-only attribute, and Windows removes no read-only file.
        fs::permissions(temporary, fs::perms::owner_write, fs::perm_options::add, error);
    }
    if (fs::exists(status) && !fs::is_directory(status)) {
        fs::remove(temporary, error);
    }
}

}  // namespace

bool ReplaceFileAtomically(const std::string& path, std::string_view bytes) {
    const std::optional<fs::path> target = EndOfLinkChain(path);
    if (!target || !MayReplace(*target)) {
        return false;
    }
    std::error_code error;
    if (target->has_parent_path()) {
        fs::create_directories(target->parent_path(), error);
        if (error) {
            return false;
        }
    }
    fs::path temporary = *target;
    temporary += ".tmp";
    RemoveTemporary(temporary);
    if (!WriteFile(temporary, bytes)) {
        RemoveTemporary(temporary);
        return false;
    }
    // The replacement keeps the permissions of the file it replaces.
    const fs::file_status old = fs::status(*target, error);
    if (fs::is_regular_file(old)) {
        fs::permissions(temporary, old.permissions(), error);
    }
    fs::rename(temporary, *target, error);
    if (error) {
        RemoveTemporary(temporary);
        return false;
    }
    return true;
}

}  // namespace zurcfg
