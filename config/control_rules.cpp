#include "config/control_rules.h"

#include <algorithm>
#include <iterator>
#include <utility>

namespace zurcfg {

namespace {

using Needs = RuleTerm::Needs;
using C = Configuration;

const RuleTerm kAllOn{"'Enable all'", Needs::Checked, &C::OS_ENABLE_ALL};
const RuleTerm kAllOff{"'Enable all'", Needs::Unchecked, &C::OS_ENABLE_ALL};
const RuleTerm kIntAllOff{"'All used in interrupts'", Needs::Unchecked, &C::OS_ENABLE_INT_ALL};
const RuleTerm kCsemOn{"CSEM 'Enable'", Needs::Checked, &C::OS_ENABLE_CSEM};
const RuleTerm kQmsgOn{"QMSG 'Enable'", Needs::Checked, &C::OS_ENABLE_QMSG};
const RuleTerm kQsmsgOn{"QSMSG 'Enable'", Needs::Checked, &C::OS_ENABLE_QSMSG};
const RuleTerm kTaskTimersOn{"Task timers 'Enable'", Needs::Checked, &C::OS_ENABLE_TTIMERS};
const RuleTerm kDynamicTimersOn{"Dynamic timers 'Enable'", Needs::Checked, &C::OS_ENABLE_DTIMERS};
const RuleTerm kStimersUsed{"the static timer count", Needs::AboveZero, nullptr, &C::OS_STIMERS};
const RuleTerm kBsemsUsed{"the binary semaphore count", Needs::AboveZero, nullptr, &C::OS_BSEMS};

// A clause for each way a timer comes into use. The system timer type matters for every timer
// kind, static timers included: their "(system)" type takes its size from it.
const std::vector<std::vector<RuleTerm>> kAnyTimerInUse{
    {kAllOn}, {kTaskTimersOn}, {kDynamicTimersOn}, {kStimersUsed}};

// What a term's setting is now, said when it blocks the control.
std::string StateOf(const RuleTerm& term, const Configuration& configuration) {
    if (term.countField != nullptr) {
        return std::string(term.setting) + " is " + std::to_string(configuration.*term.countField);
    }
    return std::string(term.setting) +
           (term.needs == Needs::Unchecked ? " is checked" : " is clear");
}

// What a term asks for, said when the control needs it.
std::string Requirement(const RuleTerm& term) {
    switch (term.needs) {
        case Needs::Checked:
            return std::string(term.setting) + " checked";
        case Needs::Unchecked:
            return std::string(term.setting) + " clear";
        case Needs::AboveZero:
            break;
    }
    return std::string(term.setting) + " above 0";
}

bool SameTerm(const RuleTerm& a, const RuleTerm& b) {
    return a.switchField == b.switchField && a.countField == b.countField && a.needs == b.needs;
}

bool Contains(const std::vector<RuleTerm>& terms, const RuleTerm& term) {
    return std::any_of(terms.begin(), terms.end(),
                       [&](const RuleTerm& other) { return SameTerm(other, term); });
}

// "a, b or c" with joiner " or ", "a and b" with " and ".
std::string Join(const std::vector<std::string>& items, const char* lastJoiner) {
    std::string text;
    for (std::size_t i = 0; i < items.size(); ++i) {
        if (i > 0) {
            text += i + 1 == items.size() ? lastJoiner : ", ";
        }
        text += items[i];
    }
    return text;
}

// A rule greying a switch, and one greying a list.
ControlRule Switch(uint8_t C::*field, std::vector<std::vector<RuleTerm>> enabledWhenAnyOf) {
    return {field, nullptr, std::move(enabledWhenAnyOf)};
}
ControlRule List(int32_t C::*field, std::vector<std::vector<RuleTerm>> enabledWhenAnyOf) {
    return {nullptr, field, std::move(enabledWhenAnyOf)};
}

}  // namespace

bool RuleTerm::Holds(const Configuration& configuration) const {
    if (countField != nullptr) {
        return configuration.*countField > 0;
    }
    const bool checked = configuration.*switchField != 0;
    return needs == Needs::Checked ? checked : !checked;
}

bool ControlRule::Enabled(const Configuration& configuration) const {
    return std::any_of(
        enabledWhenAnyOf.begin(), enabledWhenAnyOf.end(), [&](const std::vector<RuleTerm>& clause) {
            return std::all_of(clause.begin(), clause.end(),
                               [&](const RuleTerm& term) { return term.Holds(configuration); });
        });
}

std::string ControlRule::WhyGreyed(const Configuration& configuration) const {
    if (Enabled(configuration)) {
        return {};
    }
    std::vector<std::vector<RuleTerm>> failing;
    for (const std::vector<RuleTerm>& clause : enabledWhenAnyOf) {
        std::vector<RuleTerm>& unmet = failing.emplace_back();
        std::copy_if(clause.begin(), clause.end(), std::back_inserter(unmet),
                     [&](const RuleTerm& term) { return !term.Holds(configuration); });
    }
    // A term that fails in every clause blocks the control whatever else is set.
    std::vector<std::string> blockers;
    const std::vector<RuleTerm> candidates = failing.front();
    for (const RuleTerm& term : candidates) {
        const bool everywhere =
            std::all_of(failing.begin(), failing.end(),
                        [&](const std::vector<RuleTerm>& unmet) { return Contains(unmet, term); });
        if (everywhere) {
            blockers.push_back(StateOf(term, configuration));
            for (std::vector<RuleTerm>& unmet : failing) {
                unmet.erase(std::remove_if(unmet.begin(), unmet.end(),
                                           [&](const RuleTerm& t) { return SameTerm(t, term); }),
                            unmet.end());
            }
        }
    }
    std::vector<std::string> ways;
    for (const std::vector<RuleTerm>& unmet : failing) {
        std::vector<std::string> requirements;
        requirements.reserve(unmet.size());
        for (const RuleTerm& term : unmet) {
            requirements.push_back(Requirement(term));
        }
        if (requirements.empty()) {
            ways.clear();  // clearing the blockers alone enables the control
            break;
        }
        ways.push_back(Join(requirements, " and "));
    }
    std::string text = "Greyed: " + Join(blockers, " and ");
    if (!ways.empty()) {
        text += (blockers.empty() ? "needs " : "; needs ") + Join(ways, " or ");
    }
    return text;
}

const std::array<ControlRule, 19> kControlRules{{
    Switch(&C::OS_ENABLE_CRITICAL_SECTION, {{kAllOff}}),
    Switch(&C::OS_ENABLE_CSEM, {{kAllOff}}),
    Switch(&C::OS_ENABLE_QMSG, {{kAllOff}}),
    Switch(&C::OS_ENABLE_QSMSG, {{kAllOff}}),
    Switch(&C::OS_QUEUES_IDENTICAL, {{kAllOn}, {kQmsgOn, kQsmsgOn}}),
    Switch(&C::OS_ENABLE_TTIMERS, {{kAllOff}}),
    Switch(&C::OS_ENABLE_DTIMERS, {{kAllOff}}),
    Switch(&C::OS_USE_INLINE_TIMER, kAnyTimerInUse),
    // Each "ISR" box is moot while every service may be used in interrupts anyway.
    Switch(&C::OS_ENABLE_INT_CSEM, {{kIntAllOff, kAllOn}, {kIntAllOff, kCsemOn}}),
    Switch(&C::OS_ENABLE_INT_MSG, {{kIntAllOff}}),
    Switch(&C::OS_ENABLE_INT_SMSG, {{kIntAllOff}}),
    Switch(&C::OS_ENABLE_INT_QUEUE,
           {{kIntAllOff, kAllOn}, {kIntAllOff, kQmsgOn}, {kIntAllOff, kQsmsgOn}}),
    List(&C::OS_BANK_BSEMS, {{kBsemsUsed}}),
    List(&C::OS_BANK_STIMERS, {{kStimersUsed}}),
    List(&C::OS_CSEM_SIZE, {{kAllOn}, {kCsemOn}}),
    List(&C::OS_TIMER_SIZE, kAnyTimerInUse),
    List(&C::OS_TTIMER_SIZE, {{kAllOn}, {kTaskTimersOn}}),
    List(&C::OS_STIMER_SIZE, {{kStimersUsed}}),
    List(&C::OS_DTIMER_SIZE, {{kAllOn}, {kDynamicTimersOn}}),
}};

const ControlRule* RuleFor(uint8_t Configuration::*switchField) {
    const auto rule =
        std::find_if(kControlRules.begin(), kControlRules.end(),
                     [&](const ControlRule& r) { return r.switchField == switchField; });
    return rule == kControlRules.end() ? nullptr : &*rule;
}

const ControlRule* RuleFor(int32_t Configuration::*listField) {
    const auto rule = std::find_if(kControlRules.begin(), kControlRules.end(),
                                   [&](const ControlRule& r) { return r.listField == listField; });
    return rule == kControlRules.end() ? nullptr : &*rule;
}

}  // namespace zurcfg
