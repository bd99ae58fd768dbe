#include "config/control_rules.h"

#include <gtest/gtest.h>

#include <stdexcept>
#include <string>
#include <vector>

namespace zurcfg {
namespace {

// Every setting a rule looks at, each once.
std::vector<RuleTerm> DistinctSettings(const ControlRule& rule) {
    std::vector<RuleTerm> settings;
    for (const auto& clause : rule.enabledWhenAnyOf) {
        for (const RuleTerm& term : clause) {
            bool known = false;
            for (const RuleTerm& setting : settings) {
                known |= setting.switchField == term.switchField &&
                         setting.countField == term.countField;
            }
            if (!known) {
                settings.push_back(term);
            }
        }
    }
    return settings;
}

// The configuration with the rule's settings on (1) or off (0) as the bits of `mask` say.
Configuration WithSettings(const std::vector<RuleTerm>& settings, unsigned mask) {
    Configuration configuration;
    for (std::size_t i = 0; i < settings.size(); ++i) {
        const bool on = (mask >> i) & 1u;
        if (settings[i].countField != nullptr) {
            configuration.*settings[i].countField = on ? 1 : 0;
        } else {
            configuration.*settings[i].switchField = on ? 1 : 0;
        }
    }
    return configuration;
}

bool Names(const std::string& text, const RuleTerm& term) {
    return text.find(term.setting) != std::string::npos;
}

// Over every combination of the settings a rule reads: the reason is there exactly while the
// control is greyed, names only settings that stand in the way, and addresses each way of
// enabling the control.
TEST(ControlRulesTest, TheGreyedReasonFollowsEachRulesOwnTerms) {
    for (const ControlRule& rule : kControlRules) {
        const std::vector<RuleTerm> settings = DistinctSettings(rule);
        bool seenEnabled = false;
        bool seenGreyed = false;
        for (unsigned mask = 0; mask < (1u << settings.size()); ++mask) {
            const Configuration configuration = WithSettings(settings, mask);
            const std::string reason = rule.WhyGreyed(configuration);
            const bool enabled = rule.Enabled(configuration);
            seenEnabled |= enabled;
            seenGreyed |= !enabled;
            SCOPED_TRACE(reason);
            ASSERT_EQ(reason.empty(), enabled);
            if (enabled) {
                continue;
            }
            EXPECT_EQ(reason.rfind("Greyed: ", 0), 0u);
            for (const RuleTerm& setting : settings) {
                if (setting.Holds(configuration)) {
                    EXPECT_FALSE(Names(reason, setting)) << setting.setting;
                }
            }
            for (const auto& clause : rule.enabledWhenAnyOf) {
                bool addressed = false;
                for (const RuleTerm& term : clause) {
                    addressed |= !term.Holds(configuration) && Names(reason, term);
                }
                EXPECT_TRUE(addressed);
            }
        }
        EXPECT_TRUE(seenEnabled && seenGreyed);
    }
}

template <typename Field>
const ControlRule& RuleOf(Field Configuration::*field) {
    const ControlRule* rule = RuleFor(field);
    if (rule == nullptr) {
        throw std::out_of_range("no rule");
    }
    return *rule;
}

TEST(ControlRulesTest, ReasonsReadAsSentences) {
    Configuration all;
    all.OS_ENABLE_ALL = 1;
    EXPECT_EQ(RuleOf(&Configuration::OS_ENABLE_CSEM).WhyGreyed(all),
              "Greyed: 'Enable all' is checked");

    Configuration none;
    EXPECT_EQ(RuleOf(&Configuration::OS_QUEUES_IDENTICAL).WhyGreyed(none),
              "Greyed: needs 'Enable all' checked or QMSG 'Enable' checked and QSMSG 'Enable' "
              "checked");
    EXPECT_EQ(RuleOf(&Configuration::OS_BANK_STIMERS).WhyGreyed(none),
              "Greyed: the static timer count is 0");

    Configuration interrupts;
    interrupts.OS_ENABLE_INT_ALL = 1;
    EXPECT_EQ(RuleOf(&Configuration::OS_ENABLE_INT_CSEM).WhyGreyed(interrupts),
              "Greyed: 'All used in interrupts' is checked; needs 'Enable all' checked or CSEM "
              "'Enable' checked");
    interrupts.OS_ENABLE_CSEM = 1;
    EXPECT_EQ(RuleOf(&Configuration::OS_ENABLE_INT_CSEM).WhyGreyed(interrupts),
              "Greyed: 'All used in interrupts' is checked");
}

}  // namespace
}  // namespace zurcfg
