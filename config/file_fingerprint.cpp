#include "config/file_fingerprint.h"

#include <array>
#include <fstream>
#include <system_error>

namespace zurcfg {

namespace {

constexpr std::uint64_t kFnvOffsetBasis = 14695981039346656037ull;
constexpr std::uint64_t kFnvPrime = 1099511628211ull;

}  // namespace

FileFingerprint TakeFingerprint(const std::string& path) {
    FileFingerprint fingerprint;
    std::error_code error;
    if (!std::filesystem::is_regular_file(path, error)) {
        return fingerprint;
    }
    const auto modified = std::filesystem::last_write_time(path, error);
    std::ifstream in(path, std::ios::binary);
    if (error || !in) {
        // Gone between the look and the opening.
        return fingerprint;
    }
    fingerprint.exists = true;
    fingerprint.modified = modified;
    // Size and hash both from the bytes read, so that they agree even if the file grows now.
    std::uint64_t hash = kFnvOffsetBasis;
    std::array<char, 64 * 1024> piece;
    while (in.read(piece.data(), piece.size()) || in.gcount() > 0) {
        const auto count = static_cast<std::size_t>(in.gcount());
        for (std::size_t i = 0; i < count; ++i) {
            hash = (hash ^ static_cast<unsigned char>(piece[i])) * kFnvPrime;
        }
        fingerprint.size += count;
    }
    fingerprint.hash = hash;
    return fingerprint;
}

}  // namespace zurcfg
