#pragma once

// FNV-1a, 64 bits: a quick hash of bytes, fed one byte at a time, for telling texts and files
// apart (not for security).

#include <cstdint>

namespace zurcfg {

inline constexpr std::uint64_t kFnv1aStart = 14695981039346656037ull;

constexpr std::uint64_t Fnv1aStep(std::uint64_t hash, char byte) {
    return (hash ^ static_cast<unsigned char>(byte)) * 1099511628211ull;
}

}  // namespace zurcfg
