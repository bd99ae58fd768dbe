#include "settings/atomic_file.h"

#include <filesystem>
#include <fstream>
#include <system_error>

namespace zurcfg {

namespace fs = std::filesystem;

namespace {

// The file that path names, following one symbolic link.
fs::path LinkTarget(const fs::path& path) {
    std::error_code error;
    if (!fs::is_symlink(path, error)) {
        return path;
    }
    const fs::path target = fs::read_symlink(path, error);
    return target.is_absolute() ? target : path.parent_path() / target;
}

bool WriteFile(const fs::path& path, std::string_view bytes) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    out.close();
    return !out.fail();
}

// Removes what is left of a failed replacement, but never a folder that stood in its way.
void RemoveTemporary(const fs::path& temporary) {
    std::error_code error;
    if (fs::is_regular_file(temporary, error)) {
        // It may have taken on a read-only attribute, and Windows removes no read-only file.
        fs::permissions(temporary, fs::perms::owner_write, fs::perm_options::add, error);
        fs::remove(temporary, error);
    }
}

}  // namespace

bool ReplaceFileAtomically(const std::string& path, std::string_view bytes) {
    const fs::path target = LinkTarget(path);
    std::error_code error;
    if (target.has_parent_path()) {
        fs::create_directories(target.parent_path(), error);
        if (error) {
            return false;
        }
    }
    fs::path temporary = target;
    temporary += ".tmp";
    if (!WriteFile(temporary, bytes)) {
        RemoveTemporary(temporary);
        return false;
    }
    // The replacement keeps the permissions of the file it replaces.
    const fs::file_status old = fs::status(target, error);
    if (fs::is_regular_file(old)) {
        fs::permissions(temporary, old.permissions(), error);
    }
    fs::rename(temporary, target, error);
    if (error) {
        RemoveTemporary(temporary);
        return false;
    }
    return true;
}

}  // namespace zurcfg
