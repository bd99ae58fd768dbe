#include "config/option_lists.h"

namespace zurcfg {

namespace {
constexpr std::array<int32_t, kSizePositions> kSizeBytes{0, 1, 2, 4};
}

int32_t SizeBytes(int32_t sizeIndex) {
    if (sizeIndex <= 0 || sizeIndex >= kSizePositions) {
        return 0;
    }
    return kSizeBytes[sizeIndex];
}

int32_t SizeIndexForBytes(int32_t bytes) {
    for (int32_t index = 1; index < kSizePositions; ++index) {
        if (kSizeBytes[index] == bytes) {
            return index;
        }
    }
    return 0;
}

std::string_view PlatformHeaderName(int32_t platform) {
    if (platform <= 0 || platform >= kPlatformPositions) {
        return {};
    }
    return kPlatforms[platform].headerName;
}

}  // namespace zurcfg
