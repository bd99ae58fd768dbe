#pragma once

#include <array>
#include <cstdint>
#include <string>

#include "config/configuration.h"
#include "config/control_rules.h"
#include "resources/control_ids.h"

namespace zurcfg {

// Which control of the main window shows which Configuration field, and what an undo step that
// changes the field alone is called ("Undo Tasks change").
template <typename T>
struct ControlBinding {
    int controlId;
    T Configuration::*field;
    const char* stepName;
};

// Count edits, in the order the window read checks them.
inline constexpr std::array<ControlBinding<int32_t>, 3> kCountControls{{
    {kTasksEdit, &Configuration::OS_TASKS, "Tasks"},
    {kStimersEdit, &Configuration::OS_STIMERS, "Static timers"},
    {kBsemsEdit, &Configuration::OS_BSEMS, "Binary semaphores"},
}};

inline constexpr std::array<ControlBinding<uint8_t>, 15> kSwitchControls{{
    {kEnableAllCheck, &Configuration::OS_ENABLE_ALL, "Enable all"},
    {kCsemEnableCheck, &Configuration::OS_ENABLE_CSEM, "CSEM Enable"},
    {kQmsgEnableCheck, &Configuration::OS_ENABLE_QMSG, "QMSG Enable"},
    {kQsmsgEnableCheck, &Configuration::OS_ENABLE_QSMSG, "QSMSG Enable"},
    {kQueuesIdenticalCheck, &Configuration::OS_QUEUES_IDENTICAL, "Queues identical"},
    {kTaskTimersEnableCheck, &Configuration::OS_ENABLE_TTIMERS, "Task timers Enable"},
    {kDynamicTimersEnableCheck, &Configuration::OS_ENABLE_DTIMERS, "Dynamic timers Enable"},
    {kDisablePriorityCheck, &Configuration::OS_DISABLE_PRIORITY, "Disable priority"},
    {kCriticalSectionsCheck, &Configuration::OS_ENABLE_CRITICAL_SECTION, "Critical sections"},
    {kInlineTimerCheck, &Configuration::OS_USE_INLINE_TIMER, "Use in-line OS_Timer()"},
    {kIntAllCheck, &Configuration::OS_ENABLE_INT_ALL, "All used in interrupts"},
    {kCsemIsrCheck, &Configuration::OS_ENABLE_INT_CSEM, "CSEM ISR"},
    {kMsgIsrCheck, &Configuration::OS_ENABLE_INT_MSG, "MSG ISR"},
    {kSmsgIsrCheck, &Configuration::OS_ENABLE_INT_SMSG, "SMSG ISR"},
    {kQueueIsrCheck, &Configuration::OS_ENABLE_INT_QUEUE, "Queues ISR"},
}};

// Bank, size and platform lists: the field holds the position of the selected item.
inline constexpr std::array<ControlBinding<int32_t>, 10> kListControls{{
    {kSystemBankList, &Configuration::OS_BANK_OS, "ZUR variables bank"},
    {kTasksBankList, &Configuration::OS_BANK_TASKS, "Tasks bank"},
    {kBsemsBankList, &Configuration::OS_BANK_BSEMS, "Binary semaphores bank"},
    {kStimersBankList, &Configuration::OS_BANK_STIMERS, "Static timers bank"},
    {kCsemSizeList, &Configuration::OS_CSEM_SIZE, "CSEM size"},
    {kSystemTimerSizeList, &Configuration::OS_TIMER_SIZE, "System timer type"},
    {kStaticTimerSizeList, &Configuration::OS_STIMER_SIZE, "Static timer type"},
    {kDynamicTimerSizeList, &Configuration::OS_DTIMER_SIZE, "Dynamic timer type"},
    {kTaskTimerSizeList, &Configuration::OS_TTIMER_SIZE, "Task timer type"},
    {kPlatformList, &Configuration::PLATFORM, "Platform"},
}};

// Edits whose whole text is the field.
inline constexpr std::array<ControlBinding<std::string>, 3> kTextControls{{
    {kMsgTypeEdit, &Configuration::OST_MSG, "MSG type"},
    {kSmsgTypeEdit, &Configuration::OST_SMSG, "SMSG type"},
    {kProjectNameEdit, &Configuration::PROJECT_NAME, "Name"},
}};

// The control whose field a rule greys; 0 for a field no control shows.
inline int RuleControlId(const ControlRule& rule) {
    for (const auto& binding : kSwitchControls) {
        if (rule.switchField != nullptr && binding.field == rule.switchField) {
            return binding.controlId;
        }
    }
    for (const auto& binding : kListControls) {
        if (rule.listField != nullptr && binding.field == rule.listField) {
            return binding.controlId;
        }
    }
    return 0;
}

}  // namespace zurcfg
