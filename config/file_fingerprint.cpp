#include "config/file_fingerprint.h"

#include <array>
#include <fstream>
#include <system_error>

#include "config/fnv1a.h"

namespace zurcfg {

FileFingerprint TakeFingerprint(const std::string& path) {
    FileFingerprint fingerprint;
    std::error_code error;
    if (!std::filesystem::is_regular_file(path, error)) {
        return fingerprint;
    }
    const auto modified = std::filesystem::last_write_time(path, error);
    std::ifstream in(path, std::ios::binary);
    if (error || !in) {
        // Gone since the look, or not readable: nothing of it to compare.
        return fingerprint;
    }
    fingerprint.exists = true;
    fingerprint.modified = modified;
    // Size and hash both from the bytes read, so that they agree even if the file grows now.
    std::uint64_t hash = kFnv1aStart;
    std::array<char, 64 * 1024> piece;
    while (in.read(piece.data(), piece.size()) || in.gcount() > 0) {
        const auto count = static_cast<std::size_t>(in.gcount());
        for (std::size_t i = 0; i < count; ++i) {
            hash = Fnv1aStep(hash, piece[i]);
        }
        fingerprint.size += count;
    }
    fingerprint.hash = hash;
    return fingerprint;
}

}  // namespace zurcfg
