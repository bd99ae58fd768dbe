#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <tuple>

namespace zurcfg {

// One kernel configuration: every option value that a ZURcfg.h carries. Bank, size and platform
// fields hold the position of the chosen entry in the window's list (0 = first entry, -1 = none
// selected); option_lists.h translates positions into header values.
struct Configuration {
    int32_t OS_TASKS = 0;
    int32_t OS_BSEMS = 0;
    int32_t OS_STIMERS = 0;
    uint8_t OS_ENABLE_ALL = 0;
    uint8_t OS_ENABLE_CSEM = 0;
    uint8_t OS_ENABLE_QMSG = 0;
    uint8_t OS_ENABLE_QSMSG = 0;
    uint8_t OS_QUEUES_IDENTICAL = 0;
    uint8_t OS_ENABLE_TTIMERS = 0;
    uint8_t OS_ENABLE_DTIMERS = 0;
    uint8_t OS_DISABLE_PRIORITY = 0;
    uint8_t OS_ENABLE_CRITICAL_SECTION = 0;
    uint8_t OS_USE_INLINE_TIMER = 0;
    uint8_t OS_ENABLE_INT_ALL = 0;
    uint8_t OS_ENABLE_INT_CSEM = 0;
    uint8_t OS_ENABLE_INT_MSG = 0;
    uint8_t OS_ENABLE_INT_SMSG = 0;
    uint8_t OS_ENABLE_INT_QUEUE = 0;
    int32_t OS_BANK_OS = 0;
    int32_t OS_BANK_TASKS = 0;
    int32_t OS_BANK_BSEMS = 0;
    int32_t OS_BANK_STIMERS = 0;
    int32_t OS_CSEM_SIZE = 0;
    int32_t OS_TIMER_SIZE = 0;
    int32_t OS_STIMER_SIZE = 0;
    int32_t OS_DTIMER_SIZE = 0;
    int32_t OS_TTIMER_SIZE = 0;
    std::string OST_MSG;
    std::string OST_SMSG;
    int32_t PLATFORM = 0;
    std::string PROJECT_NAME;

    // True when any field differs; texts compare byte for byte, letter case included.
    bool IsDifferent(const Configuration& other) const;

private:
    auto Fields() const {
        return std::tie(OS_TASKS, OS_BSEMS, OS_STIMERS, OS_ENABLE_ALL, OS_ENABLE_CSEM,
                        OS_ENABLE_QMSG, OS_ENABLE_QSMSG, OS_QUEUES_IDENTICAL, OS_ENABLE_TTIMERS,
                        OS_ENABLE_DTIMERS, OS_DISABLE_PRIORITY, OS_ENABLE_CRITICAL_SECTION,
                        OS_USE_INLINE_TIMER, OS_ENABLE_INT_ALL, OS_ENABLE_INT_CSEM,
                        OS_ENABLE_INT_MSG, OS_ENABLE_INT_SMSG, OS_ENABLE_INT_QUEUE, OS_BANK_OS,
                        OS_BANK_TASKS, OS_BANK_BSEMS, OS_BANK_STIMERS, OS_CSEM_SIZE, OS_TIMER_SIZE,
                        OS_STIMER_SIZE, OS_DTIMER_SIZE, OS_TTIMER_SIZE, OST_MSG, OST_SMSG, PLATFORM,
                        PROJECT_NAME);
    }
};

// One row of a name table: the identifier goes into the header's enum, the comment behind it.
struct NameEntry {
    std::string identifier;
    std::string comment;

    bool operator==(const NameEntry& other) const {
        return identifier == other.identifier && comment == other.comment;
    }
    bool operator!=(const NameEntry& other) const { return !(*this == other); }
};

// The two name tables: binary semaphores and static timers.
enum class NameTableId { Bsems, Stimers };

// Rows of the two name tables.
inline constexpr int kBsemsEntries = 200;
inline constexpr int kStimersEntries = 64;

// A table's name as the header's macros spell it: "BSEMS" or "STIMERS".
inline const char* NameTableName(NameTableId table) {
    return table == NameTableId::Bsems ? "BSEMS" : "STIMERS";
}

inline int NameTableRows(NameTableId table) {
    return table == NameTableId::Bsems ? kBsemsEntries : kStimersEntries;
}

// The fields by name, in record order, for code that walks them (settings keys, window
// controls). Each group is in the order in which the settings file stores it.
template <typename T>
struct Field {
    const char* name;
    T Configuration::*member;
};

inline constexpr std::array<Field<int32_t>, 3> kCountFields{{
    {"OS_TASKS", &Configuration::OS_TASKS},
    {"OS_BSEMS", &Configuration::OS_BSEMS},
    {"OS_STIMERS", &Configuration::OS_STIMERS},
}};

// Service switches (settings section SERVICES).
inline constexpr std::array<Field<uint8_t>, 10> kServiceSwitchFields{{
    {"OS_ENABLE_ALL", &Configuration::OS_ENABLE_ALL},
    {"OS_ENABLE_CSEM", &Configuration::OS_ENABLE_CSEM},
    {"OS_ENABLE_QMSG", &Configuration::OS_ENABLE_QMSG},
    {"OS_ENABLE_QSMSG", &Configuration::OS_ENABLE_QSMSG},
    {"OS_QUEUES_IDENTICAL", &Configuration::OS_QUEUES_IDENTICAL},
    {"OS_ENABLE_TTIMERS", &Configuration::OS_ENABLE_TTIMERS},
    {"OS_ENABLE_DTIMERS", &Configuration::OS_ENABLE_DTIMERS},
    {"OS_DISABLE_PRIORITY", &Configuration::OS_DISABLE_PRIORITY},
    {"OS_ENABLE_CRITICAL_SECTION", &Configuration::OS_ENABLE_CRITICAL_SECTION},
    {"OS_USE_INLINE_TIMER", &Configuration::OS_USE_INLINE_TIMER},
}};

// Interrupt switches (settings section INTERRUPTS).
inline constexpr std::array<Field<uint8_t>, 5> kInterruptSwitchFields{{
    {"OS_ENABLE_INT_ALL", &Configuration::OS_ENABLE_INT_ALL},
    {"OS_ENABLE_INT_CSEM", &Configuration::OS_ENABLE_INT_CSEM},
    {"OS_ENABLE_INT_MSG", &Configuration::OS_ENABLE_INT_MSG},
    {"OS_ENABLE_INT_SMSG", &Configuration::OS_ENABLE_INT_SMSG},
    {"OS_ENABLE_INT_QUEUE", &Configuration::OS_ENABLE_INT_QUEUE},
}};

inline constexpr std::array<Field<int32_t>, 4> kBankFields{{
    {"OS_BANK_OS", &Configuration::OS_BANK_OS},
    {"OS_BANK_TASKS", &Configuration::OS_BANK_TASKS},
    {"OS_BANK_BSEMS", &Configuration::OS_BANK_BSEMS},
    {"OS_BANK_STIMERS", &Configuration::OS_BANK_STIMERS},
}};

inline constexpr std::array<Field<int32_t>, 5> kSizeFields{{
    {"OS_CSEM_SIZE", &Configuration::OS_CSEM_SIZE},
    {"OS_TIMER_SIZE", &Configuration::OS_TIMER_SIZE},
    {"OS_STIMER_SIZE", &Configuration::OS_STIMER_SIZE},
    {"OS_DTIMER_SIZE", &Configuration::OS_DTIMER_SIZE},
    {"OS_TTIMER_SIZE", &Configuration::OS_TTIMER_SIZE},
}};

inline constexpr std::array<Field<std::string>, 2> kMessageTypeFields{{
    {"OST_MSG", &Configuration::OST_MSG},
    {"OST_SMSG", &Configuration::OST_SMSG},
}};

}  // namespace zurcfg
