#include "resources/main_dialog_template.h"

#include <array>

#include "config/option_lists.h"

namespace zurcfg {

namespace {

using K = ControlKind;

// The lists of the system bank, the task bank, the counting semaphore size and the four timer
// types are wider than first drawn, and the counting semaphore size starts further left, so that
// "default (near)", "default (char)" and "default (int)" are never cut.
constexpr std::array<ControlTemplate, 75> kMainDialogControls{{
    {kPathBox, K::DropDownList, "", 25, 3, 435, 338, kFixedFont | kVerticalScroll},
    {kBrowseButton, K::PushButton, "Browse...", 470, 3, 45, 15},
    {kProjectNameEdit, K::Edit, "", 55, 40, 135, 15, kLabelFont},
    {kPlatformList, K::DropDownList, "", 60, 73, 125, 69},
    {kEnableAllCheck, K::CheckBox, "Enable all", 20, 145, 47, 10},
    {kDisablePriorityCheck, K::CheckBox, "Disable priority", 20, 158, 61, 10},
    {kIntAllCheck, K::CheckBox, "All used in interrupts", 20, 171, 79, 10},
    {kCriticalSectionsCheck, K::CheckBox, "Critical sections", 20, 184, 65, 10},
    {kSystemBankList, K::DropDownList, "bank", 110, 202, 62, 60},
    {kTasksUpDown, K::UpDown, "count arrows", 80, 220, 11, 13},
    {kTasksEdit, K::Edit, "count", 55, 220, 25, 12, kDigitsOnly},
    {kTasksBankList, K::DropDownList, "bank", 110, 220, 62, 60},
    {kCsemEnableCheck, K::CheckBox, "Enable", 52, 268, 38, 10},
    {kCsemSizeList, K::DropDownList, "type", 92, 267, 60, 60},
    {kCsemIsrCheck, K::CheckBox, "ISR", 157, 270, 28, 10},
    {kMsgTypeEdit, K::Edit, "type", 45, 283, 105, 15, kFixedFont},
    {kMsgIsrCheck, K::CheckBox, "ISR", 157, 287, 28, 10},
    {kSmsgTypeEdit, K::Edit, "type", 45, 300, 105, 15, kFixedFont},
    {kSmsgIsrCheck, K::CheckBox, "ISR", 157, 304, 28, 10},
    {kQmsgEnableCheck, K::CheckBox, "Enable", 51, 318, 38, 10},
    {kQsmsgEnableCheck, K::CheckBox, "Enable", 51, 329, 38, 10},
    {kQueuesIdenticalCheck, K::CheckBox, "Queues identical", 51, 341, 69, 10},
    {kQueueIsrCheck, K::CheckBox, "ISR", 157, 325, 28, 10},
    {kInlineTimerCheck, K::CheckBox, "Use in-line OS_Timer()", 209, 38, 125, 9, kLabelFont},
    {kSystemTimerSizeList, K::DropDownList, "type", 330, 51, 55, 60},
    {kTaskTimersEnableCheck, K::CheckBox, "Enable", 280, 67, 38, 10},
    {kTaskTimerSizeList, K::DropDownList, "type", 330, 65, 55, 60},
    {kDynamicTimersEnableCheck, K::CheckBox, "Enable", 280, 81, 38, 10},
    {kDynamicTimerSizeList, K::DropDownList, "type", 330, 79, 55, 60},
    {kStimersEdit, K::Edit, "count", 280, 93, 25, 12, kDigitsOnly},
    {kStimersUpDown, K::UpDown, "count arrows", 305, 93, 11, 13},
    {kStaticTimerSizeList, K::DropDownList, "type", 330, 93, 55, 60},
    {kStimersBankList, K::DropDownList, "bank", 420, 93, 55, 60},
    {kStimersGrid, K::Grid, "table", 205, 110, 305, 79},
    {kBsemsUpDown, K::UpDown, "count arrows", 355, 215, 11, 13},
    {kBsemsEdit, K::Edit, "count", 330, 215, 25, 12, kDigitsOnly},
    {kBsemsBankList, K::DropDownList, "bank", 420, 215, 55, 60},
    {kBsemsGrid, K::Grid, "table", 205, 231, 305, 119},
    {kSaveAsDefaultButton, K::PushButton, "Save as default", 10, 370, 65, 20},
    {kRestoreDefaultButton, K::PushButton, "Restore default", 85, 370, 71, 20},
    {kSaveButton, K::PushButton, "Save", 345, 370, 53, 20},
    {kSaveAsButton, K::PushButton, "Save as...", 410, 370, 50, 20},
    {kExitButton, K::PushButton, "Exit", 470, 370, 45, 20},
    {kSystemTimerTypeLabel, K::Label, "System timer type", 209, 53, 60, 10, kLabelFont},
    {kNoId, K::Label, "TYPE", 115, 255, 20, 8},
    {kTimersGroup, K::GroupBox, "Timers", 200, 25, 315, 170, kLabelFont},
    {kBsemsGroup, K::GroupBox, "Binary semaphores", 200, 205, 315, 150, kLabelFont},
    {kRamStatisticGroup, K::GroupBox, "RAM statistic", 10, 60, 180, 70, kLabelFont},
    {kNoId, K::Label, "bank0 (near)", 20, 89, 55, 8},
    {kNoId, K::Label, "bank1", 20, 100, 55, 10},
    {kNoId, K::Label, "bank3", 20, 119, 55, 10},
    {kNoId, K::Label, "bank2", 20, 110, 55, 10},
    {kRamBank0Label, K::Label, "Static", 85, 89, 60, 8},
    {kRamBank1Label, K::Label, "Static", 85, 100, 55, 8},
    {kRamBank2Label, K::Label, "Static", 85, 110, 55, 8},
    {kRamBank3Label, K::Label, "Static", 85, 119, 60, 8},
    {kNoId, K::Label, "Platform:", 20, 76, 30, 10},
    {kNoId, K::Label, "ZUR variables bank:", 15, 205, 66, 8},
    {kNoId, K::Label, "BANK:", 390, 218, 22, 8},
    {kSystemGroup, K::GroupBox, "System", 10, 135, 180, 105, kLabelFont},
    {kTasksLabel, K::Label, "Tasks:", 15, 222, 35, 8, kLabelFont},
    {kStaticTimersLabel, K::Label, "Static timers", 209, 96, 61, 9, kLabelFont},
    {kNoId, K::Label, "BANK:", 390, 96, 22, 8},
    {kNoId, K::Label, "BANK:", 122, 192, 22, 8},
    {kTaskTimersLabel, K::Label, "Task timers", 210, 67, 61, 9, kLabelFont},
    {kDynamicTimersLabel, K::Label, "Dynamic timers", 210, 81, 61, 9, kLabelFont},
    {kNameLabel, K::Label, "Name:", 10, 40, 37, 14, kCentred | kBordered | kLabelFont},
    {kCsemLabel, K::Label, "CSEM", 16, 269, 34, 8, kLabelFont},
    {kQmsgLabel, K::Label, "QMSG", 15, 319, 30, 8, kLabelFont},
    {kQsmsgLabel, K::Label, "QSMSG", 15, 330, 35, 8, kLabelFont},
    {kNoId, K::Label, "Path:", 5, 5, 19, 8},
    {kDataServicesGroup, K::GroupBox, "Data services", 10, 245, 180, 110, kLabelFont},
    {kMsgLabel, K::Label, "MSG ", 16, 288, 29, 8, kLabelFont},
    {kSmsgLabel, K::Label, "SMSG", 15, 304, 30, 10, kLabelFont},
    {kOldStyleNamesCheck, K::CheckBox, "Save old style names (<90200)", 175, 375, 155, 10,
     kLabelFont},
}};

template <typename Captions>
std::vector<std::string_view> ItemsOf(const Captions& captions) {
    return {captions.begin(), captions.end()};
}

std::vector<std::string_view> PlatformCaptions() {
    std::vector<std::string_view> captions;
    for (const Platform& platform : kPlatforms) {
        captions.push_back(platform.caption);
    }
    return captions;
}

}  // namespace

const DialogTemplate kMainDialog{"ZURcfg_Tool", 522, 399, kMainDialogControls.data(),
                                 static_cast<int>(kMainDialogControls.size())};

std::vector<std::string_view> ListItems(int listId) {
    switch (listId) {
        case kPlatformList:
            return PlatformCaptions();
        case kSystemBankList:
            return ItemsOf(kSystemBankCaptions);
        case kTasksBankList:
        case kStimersBankList:
        case kBsemsBankList:
            return ItemsOf(kBankCaptions);
        case kCsemSizeList:
            return ItemsOf(kCsemSizeCaptions);
        case kSystemTimerSizeList:
            return ItemsOf(kSystemTimerSizeCaptions);
        case kTaskTimerSizeList:
        case kDynamicTimerSizeList:
        case kStaticTimerSizeList:
            return ItemsOf(kTimerSizeCaptions);
        case kPathBox:
            return {""};  // replaced by the recent paths when the window opens
        default:
            return {};
    }
}

const std::array<Tooltip, 42> kMainDialogTooltips{{
    {kBrowseButton, "Select file to load"},
    {kSaveButton, "Save current file"},
    {kSaveAsButton, "Save file to specified location"},
    {kSaveAsDefaultButton, "Save current configuration as default on startup"},
    {kRestoreDefaultButton, "Restore default configuration"},
    {kExitButton, "Exit ZURcfg tool"},
    {kRamStatisticGroup, "This statistic is average."},
    {kPathBox, "Select project path (location to ZURcfg.h)"},
    {kPlatformList, "Select platform (to calculate average RAM usage)"},
    {kProjectNameEdit, "Edit project name (for information purposes only)"},
    {kEnableAllCheck, "Enable/disable CSEM, QMSG, QSMSG, TTimers, DTimers and CriticalSections"},
    {kDisablePriorityCheck, "Disable priority mode. This option allows to reduce memory usage"},
    {kIntAllCheck, "Enable/disable using OS_IntXXX services within interrupts"},
    {kCriticalSectionsCheck, "Enable/disable using critical sections"},
    {kSystemBankList, "Select memory bank for ZUR system variables"},
    {kTasksEdit, "Select maximum number of tasks,\n that will work at the same time"},
    {kTasksBankList, "Select memory bank to allocate task descriptors"},
    {kCsemEnableCheck, "Enable/disable using counting semaphores"},
    {kCsemSizeList, "Select size of counting semaphores"},
    {kCsemIsrCheck, "Allows to signal counting semaphores from interrupt"},
    {kMsgTypeEdit, "Set type of pointer to messages"},
    {kSmsgTypeEdit, "Set type of simple messages"},
    {kMsgIsrCheck, "Allows to send messages from interrupt"},
    {kSmsgIsrCheck, "Allows to send simple messages from interrupt"},
    {kQmsgEnableCheck, "Enable/disable using queues of pointers to message"},
    {kQsmsgEnableCheck, "Enable/disable using queues of simple messages"},
    {kQueueIsrCheck, "Allows to send messages and simple messages through queues from interrupt"},
    {kQueuesIdenticalCheck,
     "Check this field, when both type of queues are used and sizes of MSG and SMSG are "
     "identical."},
    {kInlineTimerCheck, "Use OS_Timer() as inline macro (to reduce interrupt code)"},
    {kSystemTimerSizeList, "Select type of all timers"},
    {kTaskTimersEnableCheck,
     "Enable/disable task timers. Check it if used OS_Delay() or OS_WaitXXXTimeout()"},
    {kTaskTimerSizeList, "Select type of task timers"},
    {kDynamicTimersEnableCheck, "Enable/disable using dynamic timers"},
    {kDynamicTimerSizeList, "Select type of dynamic timers"},
    {kStimersEdit, "Set number of static timers"},
    {kStaticTimerSizeList, "Select type of static timers"},
    {kStimersBankList, "Select memory bank to allocate array of static timers"},
    {kStimersGrid, "Enter static timer's name with simple comments"},
    {kBsemsEdit, "Set number of binary semaphores"},
    {kBsemsBankList, "Select memory bank to allocate array of binary semaphores"},
    {kBsemsGrid, "Enter binary semaphore's name with simple comment"},
    {kOldStyleNamesCheck, "Format of names in saved file."},
}};

}  // namespace zurcfg
