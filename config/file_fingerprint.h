#pragma once

// What the program remembers of a file it read or wrote, to tell later whether the file on disk
// is still the same: whether it exists, its size, its modification time and a hash of its bytes.
// Two fingerprints are equal when all of these are; every missing file has the same one.

#include <cstdint>
#include <filesystem>
#include <string>

namespace zurcfg {

struct FileFingerprint {
    bool exists = false;  // a regular file stands at the path
    std::uintmax_t size = 0;
    std::filesystem::file_time_type modified{};
    std::uint64_t hash = 0;  // FNV-1a, 64 bits, over the bytes

    bool operator==(const FileFingerprint& other) const {
        return exists == other.exists && size == other.size && modified == other.modified &&
               hash == other.hash;
    }
    bool operator!=(const FileFingerprint& other) const { return !(*this == other); }
};

// The fingerprint of the file at path. Anything but a regular file there (nothing, a folder, a
// pipe) gives the fingerprint of a missing file and is not opened.
FileFingerprint TakeFingerprint(const std::string& path);

}  // namespace zurcfg
