#pragma once

#include <array>
#include <cstdint>
#include <string>

#include "config/configuration.h"
#include "resources/control_ids.h"

namespace zurcfg {

// Which control of the main window shows which Configuration field.
template <typename T>
struct ControlBinding {
    int controlId;
    T Configuration::*field;
};

// Count edits, in the order the window read checks them.
inline constexpr std::array<ControlBinding<int32_t>, 3> kCountControls{{
    {kTasksEdit, &Configuration::OS_TASKS},
    {kStimersEdit, &Configuration::OS_STIMERS},
    {kBsemsEdit, &Configuration::OS_BSEMS},
}};

inline constexpr std::array<ControlBinding<uint8_t>, 15> kSwitchControls{{
    {kEnableAllCheck, &Configuration::OS_ENABLE_ALL},
    {kCsemEnableCheck, &Configuration::OS_ENABLE_CSEM},
    {kQmsgEnableCheck, &Configuration::OS_ENABLE_QMSG},
    {kQsmsgEnableCheck, &Configuration::OS_ENABLE_QSMSG},
    {kQueuesIdenticalCheck, &Configuration::OS_QUEUES_IDENTICAL},
    {kTaskTimersEnableCheck, &Configuration::OS_ENABLE_TTIMERS},
    {kDynamicTimersEnableCheck, &Configuration::OS_ENABLE_DTIMERS},
    {kDisablePriorityCheck, &Configuration::OS_DISABLE_PRIORITY},
    {kCriticalSectionsCheck, &Configuration::OS_ENABLE_CRITICAL_SECTION},
    {kInlineTimerCheck, &Configuration::OS_USE_INLINE_TIMER},
    {kIntAllCheck, &Configuration::OS_ENABLE_INT_ALL},
    {kCsemIsrCheck, &Configuration::OS_ENABLE_INT_CSEM},
    {kMsgIsrCheck, &Configuration::OS_ENABLE_INT_MSG},
    {kSmsgIsrCheck, &Configuration::OS_ENABLE_INT_SMSG},
    {kQueueIsrCheck, &Configuration::OS_ENABLE_INT_QUEUE},
}};

// Bank, size and platform lists: the field holds the position of the selected item.
inline constexpr std::array<ControlBinding<int32_t>, 10> kListControls{{
    {kSystemBankList, &Configuration::OS_BANK_OS},
    {kTasksBankList, &Configuration::OS_BANK_TASKS},
    {kBsemsBankList, &Configuration::OS_BANK_BSEMS},
    {kStimersBankList, &Configuration::OS_BANK_STIMERS},
    {kCsemSizeList, &Configuration::OS_CSEM_SIZE},
    {kSystemTimerSizeList, &Configuration::OS_TIMER_SIZE},
    {kStaticTimerSizeList, &Configuration::OS_STIMER_SIZE},
    {kDynamicTimerSizeList, &Configuration::OS_DTIMER_SIZE},
    {kTaskTimerSizeList, &Configuration::OS_TTIMER_SIZE},
    {kPlatformList, &Configuration::PLATFORM},
}};

// Edits whose whole text is the field.
inline constexpr std::array<ControlBinding<std::string>, 3> kTextControls{{
    {kMsgTypeEdit, &Configuration::OST_MSG},
    {kSmsgTypeEdit, &Configuration::OST_SMSG},
    {kProjectNameEdit, &Configuration::PROJECT_NAME},
}};

}  // namespace zurcfg
