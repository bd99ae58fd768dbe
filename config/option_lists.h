#pragma once

#include <array>
#include <cstdint>
#include <string_view>

namespace zurcfg {

// The entries of the window's lists. A bank, size or platform field of Configuration holds the
// position of its entry here; these tables are the one place that translates positions into
// header values and byte counts.

// Bank lists: position 0 states no bank; positions 1 to 4 are RAM banks 0 to 3.
inline constexpr std::array<std::string_view, 5> kSystemBankCaptions{"default (near)", "near",
                                                                     "bank1", "bank2", "bank3"};
inline constexpr std::array<std::string_view, 5> kBankCaptions{"BANK_OS", "near", "bank1", "bank2",
                                                               "bank3"};

// Size lists: position 0 states no size; positions 1 to 3 are counters of 1, 2 and 4 bytes.
inline constexpr std::array<std::string_view, 4> kCsemSizeCaptions{"default (char)", "char", "int",
                                                                   "long"};
inline constexpr std::array<std::string_view, 4> kSystemTimerSizeCaptions{"default (int)", "char",
                                                                          "int", "long"};
inline constexpr std::array<std::string_view, 4> kTimerSizeCaptions{"(system)", "char", "int",
                                                                    "long"};

struct Platform {
    std::string_view caption;     // what the platform list shows
    std::string_view headerName;  // what the header's comment block names; empty for none
};

// Platform list: position 0 selects no platform.
inline constexpr std::array<Platform, 6> kPlatforms{{
    {"(not selected)", ""},
    {"12-bit (PIC10, PIC12) (ht-picc)", "HT-PICC 12-bit"},
    {"14-bit (PIC12, PIC16) (ht-picc)", "HT-PICC 14-bit"},
    {"PIC18 (ht-picc18)", "HT-PICC18"},
    {"PIC18 (Microchip C18)", "Microchip C18"},
    {"PIC24, dsPIC (Microchip C30)", "Microchip C30"},
}};

inline constexpr int32_t kBankPositions = 5;
inline constexpr int32_t kSizePositions = 4;
inline constexpr int32_t kPlatformPositions = 6;

// Bytes of a counter for a size position: 1, 2 or 4 for positions 1 to 3, else 0 (not stated).
int32_t SizeBytes(int32_t sizeIndex);

// The size position for a byte count read from a header: 1, 2 or 4 give 1, 2 or 3; anything
// else gives 0.
int32_t SizeIndexForBytes(int32_t bytes);

// The platform's name in the header's comment block; empty for positions that name none.
std::string_view PlatformHeaderName(int32_t platform);

}  // namespace zurcfg
