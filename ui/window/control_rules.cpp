#include "ui/window/control_rules.h"

#include "resources/control_ids.h"

namespace zurcfg {

namespace {

bool AllOff(const Configuration& c) {
    return c.OS_ENABLE_ALL == 0;
}

bool QueuesInUseTogether(const Configuration& c) {
    return c.OS_ENABLE_ALL != 0 || (c.OS_ENABLE_QMSG != 0 && c.OS_ENABLE_QSMSG != 0);
}

bool AnyTimerInUse(const Configuration& c) {
    return c.OS_ENABLE_ALL != 0 || c.OS_ENABLE_TTIMERS != 0 || c.OS_ENABLE_DTIMERS != 0 ||
           c.OS_STIMERS > 0;
}

bool CsemInUse(const Configuration& c) {
    return c.OS_ENABLE_ALL != 0 || c.OS_ENABLE_CSEM != 0;
}

bool QueuesInUse(const Configuration& c) {
    return c.OS_ENABLE_ALL != 0 || c.OS_ENABLE_QMSG != 0 || c.OS_ENABLE_QSMSG != 0;
}

// Each "ISR" box is moot while every service may be used in interrupts anyway.
bool IsrChoiceOpen(const Configuration& c) {
    return c.OS_ENABLE_INT_ALL == 0;
}

bool CsemIsrChoiceOpen(const Configuration& c) {
    return IsrChoiceOpen(c) && CsemInUse(c);
}

bool QueueIsrChoiceOpen(const Configuration& c) {
    return IsrChoiceOpen(c) && QueuesInUse(c);
}

bool BsemsInUse(const Configuration& c) {
    return c.OS_BSEMS > 0;
}

bool StimersInUse(const Configuration& c) {
    return c.OS_STIMERS > 0;
}

bool TaskTimersInUse(const Configuration& c) {
    return c.OS_ENABLE_ALL != 0 || c.OS_ENABLE_TTIMERS != 0;
}

bool DynamicTimersInUse(const Configuration& c) {
    return c.OS_ENABLE_ALL != 0 || c.OS_ENABLE_DTIMERS != 0;
}

}  // namespace

// The system timer type matters for every timer kind, static timers included: their "(system)"
// type takes its size from it.
const std::array<ControlRule, 19> kControlRules{{
    {kCriticalSectionsCheck, AllOff},
    {kCsemEnableCheck, AllOff},
    {kQmsgEnableCheck, AllOff},
    {kQsmsgEnableCheck, AllOff},
    {kQueuesIdenticalCheck, QueuesInUseTogether},
    {kTaskTimersEnableCheck, AllOff},
    {kDynamicTimersEnableCheck, AllOff},
    {kInlineTimerCheck, AnyTimerInUse},
    {kCsemIsrCheck, CsemIsrChoiceOpen},
    {kMsgIsrCheck, IsrChoiceOpen},
    {kSmsgIsrCheck, IsrChoiceOpen},
    {kQueueIsrCheck, QueueIsrChoiceOpen},
    {kBsemsBankList, BsemsInUse},
    {kStimersBankList, StimersInUse},
    {kCsemSizeList, CsemInUse},
    {kSystemTimerSizeList, AnyTimerInUse},
    {kTaskTimerSizeList, TaskTimersInUse},
    {kStaticTimerSizeList, StimersInUse},
    {kDynamicTimerSizeList, DynamicTimersInUse},
}};

std::string WindowTitle(const std::string& documentPath, bool modified) {
    std::string title =
        documentPath.empty() ? "ZURcfg: nofile" : "ZURcfg: \"" + documentPath + "\"";
    if (modified) {
        title += " (*)";
    }
    return title;
}

}  // namespace zurcfg
