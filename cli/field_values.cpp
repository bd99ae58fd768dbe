#include "cli/field_values.h"

#include <algorithm>
#include <charconv>
#include <cstdint>
#include <limits>

#include "config/ascii_text.h"
#include "config/c_names.h"
#include "config/control_rules.h"
#include "config/name_style.h"
#include "config/option_lists.h"
#include "config/text_field_checks.h"

namespace zurcfg {

namespace {

// The macros whose names changed with kernel version 90200, for `set` in either spelling.
struct Rename {
    std::string_view field;
    std::string_view newName;
    std::string_view oldName;
};
constexpr Rename kRenames[] = {
    {"OS_ENABLE_QMSG", "OS_ENABLE_QUEUE", "OS_ENABLE_QMSG"},
    {"OS_ENABLE_QSMSG", "OS_ENABLE_SQUEUE", "OS_ENABLE_QSMSG"},
    {"OS_QUEUES_IDENTICAL", "OS_QUEUE_SQUEUE_IDENTICAL", "OS_QUEUES_IDENTICAL"},
    {"OS_ENABLE_INT_QUEUE", "OS_ENABLE_INT_QUEUE", "OS_ENABLE_INT_QMSG"},
    {"OST_MSG", "OS_MSG_TYPE", "OST_MSG"},
    {"OST_SMSG", "OS_SMSG_TYPE", "OST_SMSG"},
};

enum class ListKind { Bank, Size, Platform };

struct ListSpec {
    ListKind kind;
    std::vector<std::string_view> captions;
};

template <std::size_t N>
ListSpec CaptionList(ListKind kind, const std::array<std::string_view, N>& captions) {
    return {kind, {captions.begin(), captions.end()}};
}

ListSpec PlatformList() {
    ListSpec list{ListKind::Platform, {}};
    for (const Platform& platform : kPlatforms) {
        list.captions.push_back(platform.caption);
    }
    return list;
}

enum class Kind { Count, Switch, List, Text };

struct FieldSpec {
    std::string_view name;     // new-style macro name
    std::string_view oldName;  // the same unless renamed
    Kind kind;
    int32_t Configuration::*number = nullptr;
    uint8_t Configuration::*flag = nullptr;
    std::string Configuration::*text = nullptr;
    ListSpec list{};
    int32_t smallestCount = 0;
};

std::string_view NewName(std::string_view field) {
    for (const Rename& rename : kRenames) {
        if (rename.field == field) {
            return rename.newName;
        }
    }
    return field;
}

std::string_view OldName(std::string_view field) {
    for (const Rename& rename : kRenames) {
        if (rename.field == field) {
            return rename.oldName;
        }
    }
    return field;
}

FieldSpec DescribeField(std::string_view field, Kind kind) {
    return {NewName(field), OldName(field), kind};
}

ListSpec SizeList(std::string_view field) {
    if (field == "OS_CSEM_SIZE") {
        return CaptionList(ListKind::Size, kCsemSizeCaptions);
    }
    if (field == "OS_TIMER_SIZE") {
        return CaptionList(ListKind::Size, kSystemTimerSizeCaptions);
    }
    return CaptionList(ListKind::Size, kTimerSizeCaptions);
}

std::vector<FieldSpec> BuildFieldSpecs() {
    std::vector<FieldSpec> specs;
    for (const auto& field : kCountFields) {
        FieldSpec described = DescribeField(field.name, Kind::Count);
        described.number = field.member;
        // The window's arrows keep at least one task.
        described.smallestCount = field.member == &Configuration::OS_TASKS ? 1 : 0;
        specs.push_back(described);
    }
    const auto addSwitches = [&specs](const auto& fields) {
        for (const auto& field : fields) {
            FieldSpec described = DescribeField(field.name, Kind::Switch);
            described.flag = field.member;
            specs.push_back(described);
        }
    };
    addSwitches(kServiceSwitchFields);
    addSwitches(kInterruptSwitchFields);
    for (const auto& field : kBankFields) {
        FieldSpec described = DescribeField(field.name, Kind::List);
        described.number = field.member;
        described.list = field.member == &Configuration::OS_BANK_OS
                             ? CaptionList(ListKind::Bank, kSystemBankCaptions)
                             : CaptionList(ListKind::Bank, kBankCaptions);
        specs.push_back(described);
    }
    for (const auto& field : kSizeFields) {
        FieldSpec described = DescribeField(field.name, Kind::List);
        described.number = field.member;
        described.list = SizeList(field.name);
        specs.push_back(described);
    }
    for (const auto& field : kMessageTypeFields) {
        FieldSpec described = DescribeField(field.name, Kind::Text);
        described.text = field.member;
        specs.push_back(described);
    }
    FieldSpec platform = DescribeField("PLATFORM", Kind::List);
    platform.number = &Configuration::PLATFORM;
    platform.list = PlatformList();
    specs.push_back(platform);
    FieldSpec projectName = DescribeField("PROJECT_NAME", Kind::Text);
    projectName.text = &Configuration::PROJECT_NAME;
    specs.push_back(projectName);
    return specs;
}

const std::vector<FieldSpec>& FieldSpecs() {
    static const std::vector<FieldSpec> specs = BuildFieldSpecs();
    return specs;
}

bool ParseNumber(std::string_view text, int32_t& number) {
    const char* end = text.data() + text.size();
    const auto [stop, error] = std::from_chars(text.data(), end, number);
    return !text.empty() && error == std::errc() && stop == end;
}

// The number a list position stands for in the header, and back.
int32_t NumberForPosition(ListKind kind, int32_t position) {
    switch (kind) {
        case ListKind::Bank:
            return position - 1;
        case ListKind::Size:
            return SizeBytes(position);
        case ListKind::Platform:
            break;
    }
    return position;
}

int32_t PositionForNumber(ListKind kind, int32_t number) {
    switch (kind) {
        case ListKind::Bank:
            return number >= 0 && number < kBankPositions - 1 ? number + 1 : -1;
        case ListKind::Size:
            return SizeIndexForBytes(number) > 0 ? SizeIndexForBytes(number) : -1;
        case ListKind::Platform:
            break;
    }
    return number >= 0 && number < kPlatformPositions ? number : -1;
}

std::string AcceptedListValues(const ListSpec& list) {
    std::string accepted;
    for (std::string_view caption : list.captions) {
        accepted += "\"" + std::string(caption) + "\", ";
    }
    switch (list.kind) {
        case ListKind::Bank:
            return accepted + "or a bank number 0 to 3";
        case ListKind::Size:
            return accepted + "or a size in bytes 1, 2 or 4";
        case ListKind::Platform:
            break;
    }
    for (const Platform& platform : kPlatforms) {
        if (!platform.headerName.empty()) {
            accepted += "\"" + std::string(platform.headerName) + "\", ";
        }
    }
    return accepted + "or a position 0 to 5";
}

// The list position that value names, -1 when none.
int32_t ListPosition(const ListSpec& list, std::string_view value) {
    const std::string lower = AsciiLower(value);
    for (std::size_t i = 0; i < list.captions.size(); ++i) {
        const bool platformNamed = list.kind == ListKind::Platform &&
                                   !kPlatforms[i].headerName.empty() &&
                                   AsciiLower(kPlatforms[i].headerName) == lower;
        if (AsciiLower(list.captions[i]) == lower || platformNamed) {
            return static_cast<int32_t>(i);
        }
    }
    int32_t number = 0;
    return ParseNumber(value, number) ? PositionForNumber(list.kind, number) : -1;
}

std::string ListText(const ListSpec& list, int32_t position) {
    if (position >= 0 && static_cast<std::size_t>(position) < list.captions.size()) {
        return std::string(list.captions[position]);
    }
    return std::to_string(NumberForPosition(list.kind, position));
}

std::string Refusal(const FieldSpec& described, std::string_view value,
                    const std::string& accepted) {
    return "\"" + std::string(value) + "\" is no value for " + std::string(described.name) +
           "; it takes " + accepted + ".";
}

std::string Assign(const FieldSpec& described, Configuration& configuration,
                   std::string_view value) {
    switch (described.kind) {
        case Kind::Count: {
            int32_t count = 0;
            if (!ParseNumber(value, count) || count < described.smallestCount) {
                return Refusal(described, value,
                               "a whole number from " + std::to_string(described.smallestCount) +
                                   " to " + std::to_string(std::numeric_limits<int32_t>::max()));
            }
            configuration.*described.number = count;
            return {};
        }
        case Kind::Switch:
            if (value != "0" && value != "1") {
                return Refusal(described, value, "0 (off) or 1 (on)");
            }
            configuration.*described.flag = value == "1" ? 1 : 0;
            return {};
        case Kind::List: {
            const int32_t position = ListPosition(described.list, value);
            if (position < 0) {
                return Refusal(described, value, AcceptedListValues(described.list));
            }
            configuration.*described.number = position;
            return {};
        }
        case Kind::Text:
            break;
    }
    // The header takes the text verbatim: it must not break the line it stands on.
    const std::string problem = described.text == &Configuration::PROJECT_NAME
                                    ? ProjectNameProblem(value)
                                    : MessageTypeProblem(value);
    if (!problem.empty()) {
        return Quoted(value) + " is no value for " + std::string(described.name) + ": " + problem +
               ".";
    }
    configuration.*described.text = std::string(value);
    return {};
}

std::string AcceptedNames() {
    std::string names;
    for (const FieldSpec& described : FieldSpecs()) {
        names += (names.empty() ? "" : ", ") + std::string(described.name);
        if (described.oldName != described.name) {
            names += " (or " + std::string(described.oldName) + ")";
        }
    }
    return names;
}

const FieldSpec* FieldNamed(std::string_view name) {
    for (const FieldSpec& described : FieldSpecs()) {
        if (name == described.name || name == described.oldName) {
            return &described;
        }
    }
    return nullptr;
}

}  // namespace

std::vector<FieldValue> FieldValues(const Configuration& configuration) {
    std::vector<FieldValue> values;
    for (const FieldSpec& described : FieldSpecs()) {
        FieldValue field{std::string(described.name), {}, false};
        switch (described.kind) {
            case Kind::Count:
                field.value = std::to_string(configuration.*described.number);
                field.isNumber = true;
                break;
            case Kind::Switch:
                field.value = std::to_string(configuration.*described.flag);
                field.isNumber = true;
                break;
            case Kind::List:
                field.value = ListText(described.list, configuration.*described.number);
                break;
            case Kind::Text:
                field.value = configuration.*described.text;
                break;
        }
        values.push_back(std::move(field));
    }
    return values;
}

std::string AssignField(Configuration& configuration, std::string_view name,
                        std::string_view value) {
    if (const FieldSpec* described = FieldNamed(name)) {
        return Assign(*described, configuration, value);
    }
    return "\"" + std::string(name) + "\" names no field; the names are " + AcceptedNames() + ".";
}

std::string GreyedRefusal(const Configuration& before, const Configuration& after,
                          std::string_view name) {
    const FieldSpec* described = FieldNamed(name);
    if (described == nullptr) {
        return {};
    }
    const ControlRule* rule = nullptr;
    bool changes = false;
    if (described->flag != nullptr) {
        rule = RuleFor(described->flag);
        changes = after.*described->flag != 0 && before.*described->flag == 0;
    } else if (described->kind == Kind::List) {
        rule = RuleFor(described->number);
        changes = after.*described->number != before.*described->number;
    }
    return rule != nullptr && changes ? rule->WhyGreyed(after) : std::string();
}

bool UsesOldStyleNames(const std::vector<std::string>& definedMacros) {
    return NameStyleOf(definedMacros) == NameStyle::Old;
}

}  // namespace zurcfg
