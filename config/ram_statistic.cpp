#include "config/ram_statistic.h"

#include <limits>

#include "config/option_lists.h"

namespace zurcfg {

namespace {

struct PlatformRam {
    int32_t base;             // always, in bank 0
    int32_t systemVariables;  // in the system variables bank
    int32_t prioritySaving;   // added to the system variables while priorities are off
    int32_t taskDescriptor;   // per task, without its timer
    int32_t dynamicTimers;    // in bank 0 while dynamic timers are in use
    int32_t bsemsPerByte;     // binary semaphores packed into one allocation unit
};

// Indexed by platform position 1 to 5; position 0 has no figures.
constexpr std::array<PlatformRam, 5> kPlatformRam{{
    {9, 3, -3, 2, 2, 8},
    {6, 3, -3, 3, 3, 8},
    {8, 3, -3, 4, 4, 8},
    {8, 3, -3, 4, 4, 8},
    {16, 0, -6, 20, 6, 16},
}};

constexpr int32_t kPic18First = 3;
constexpr int32_t kPic18Last = 4;
constexpr int32_t kPic24 = 5;

// RAM bank 0 to 3 of a bank position 1 to 4; empty for "not stated" and for positions beyond
// the list.
std::optional<int32_t> StatedBank(int32_t bankIndex) {
    if (bankIndex >= 1 && bankIndex < kBankPositions) {
        return bankIndex - 1;
    }
    return std::nullopt;
}

// Bytes of a timer of the given size position, falling back on the system timer size and then
// on 2 bytes.
int32_t TimerBytes(int32_t sizeIndex, int32_t systemSizeIndex) {
    if (const int32_t bytes = SizeBytes(sizeIndex); bytes > 0) {
        return bytes;
    }
    if (const int32_t bytes = SizeBytes(systemSizeIndex); bytes > 0) {
        return bytes;
    }
    return 2;
}

bool On(uint8_t flag) {
    return flag != 0;
}

// The figure as a label shows it; beyond the 32-bit range the label says so instead.
std::string FigureText(int64_t bytes) {
    constexpr int64_t kLargest = std::numeric_limits<int32_t>::max();
    constexpr int64_t kSmallest = std::numeric_limits<int32_t>::min();
    if (bytes > kLargest) {
        return "> " + std::to_string(kLargest);
    }
    if (bytes < kSmallest) {
        return "< " + std::to_string(kSmallest);
    }
    return std::to_string(bytes);
}

}  // namespace

std::optional<std::array<int64_t, 4>> ComputeRamUsage(const Configuration& c) {
    if (c.PLATFORM < 1 || c.PLATFORM > static_cast<int32_t>(kPlatformRam.size())) {
        return std::nullopt;
    }
    const PlatformRam& ram = kPlatformRam[c.PLATFORM - 1];
    const int32_t systemBank = StatedBank(c.OS_BANK_OS).value_or(0);
    const auto bankOf = [systemBank](int32_t bankIndex) {
        return StatedBank(bankIndex).value_or(systemBank);
    };
    const bool all = On(c.OS_ENABLE_ALL);

    std::array<int64_t, 4> banks{};
    banks[0] += ram.base;
    banks[systemBank] += ram.systemVariables + (On(c.OS_DISABLE_PRIORITY) ? ram.prioritySaving : 0);

    int64_t perTask = ram.taskDescriptor;
    if (all || On(c.OS_ENABLE_TTIMERS)) {
        perTask += TimerBytes(c.OS_TTIMER_SIZE, c.OS_TIMER_SIZE);
    }
    banks[bankOf(c.OS_BANK_TASKS)] += perTask * c.OS_TASKS;

    if (all || On(c.OS_ENABLE_DTIMERS)) {
        banks[0] += ram.dynamicTimers;
    }
    // The header declares the static timers whenever their count is positive, so they take RAM
    // whether or not "Enable all" is on.
    if (c.OS_STIMERS > 0) {
        banks[bankOf(c.OS_BANK_STIMERS)] +=
            int64_t{c.OS_STIMERS} * TimerBytes(c.OS_STIMER_SIZE, c.OS_TIMER_SIZE);
    }
    if (const int64_t bsemBytes = (int64_t{c.OS_BSEMS} + ram.bsemsPerByte - 1) / ram.bsemsPerByte;
        bsemBytes != 0) {
        banks[bankOf(c.OS_BANK_BSEMS)] += bsemBytes;
    }

    // Platforms with fewer banks hold the figures of the missing ones in the last bank they have.
    if (c.PLATFORM >= kPic18First && c.PLATFORM <= kPic18Last) {
        banks = {banks[0], banks[1] + banks[2] + banks[3], 0, 0};
    } else if (c.PLATFORM == kPic24) {
        banks = {banks[0] + banks[1] + banks[2] + banks[3], 0, 0, 0};
    }
    return banks;
}

std::array<RamFigure, 4> RamFigures(const Configuration& c) {
    const std::optional<std::array<int64_t, 4>> usage = ComputeRamUsage(c);
    if (!usage) {
        return {{{"? (select platform)", true}, {"?", true}, {"?", true}, {"?", true}}};
    }
    // The merge has put the figures of the banks a platform lacks into bank 0 or 1.
    const int lastBank = c.PLATFORM == kPic24 ? 0 : c.PLATFORM >= kPic18First ? 1 : 3;
    std::array<RamFigure, 4> figures;
    for (int bank = 0; bank < 4; ++bank) {
        figures[bank] = {FigureText((*usage)[bank]), bank <= lastBank, {}};
        if (bank > lastBank) {
            figures[bank].whyGreyed = "Greyed: platform " +
                                      std::string(kPlatforms[c.PLATFORM].caption) + " has no bank" +
                                      std::to_string(bank) + "; its variables count in bank" +
                                      std::to_string(lastBank);
        }
    }
    return figures;
}

}  // namespace zurcfg
