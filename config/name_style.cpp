#include "config/name_style.h"

#include <algorithm>
#include <array>
#include <functional>
#include <string_view>

#include "config/header_reader.h"

namespace zurcfg {

namespace {

// The switches renamed with 90200, in each style.
constexpr std::array<std::string_view, 4> kOldSwitches{"OS_ENABLE_QMSG", "OS_ENABLE_QSMSG",
                                                       "OS_QUEUES_IDENTICAL", "OS_ENABLE_INT_QMSG"};
constexpr std::array<std::string_view, 4> kNewSwitches{
    "OS_ENABLE_QUEUE", "OS_ENABLE_SQUEUE", "OS_QUEUE_SQUEUE_IDENTICAL", "OS_ENABLE_INT_QUEUE"};
// The message types: an old-style header defines the new names too, for newer kernels.
constexpr std::array<std::string_view, 2> kOldMessageTypes{"OST_MSG", "OST_SMSG"};
constexpr std::array<std::string_view, 2> kNewMessageTypes{"OS_MSG_TYPE", "OS_SMSG_TYPE"};

}  // namespace

NameStyle NameStyleOf(const std::vector<std::string>& definedMacros) {
    const auto definesAny = [&definedMacros](const auto& names) {
        return std::any_of(names.begin(), names.end(), [&definedMacros](std::string_view name) {
            return std::binary_search(definedMacros.begin(), definedMacros.end(), name,
                                      std::less<>());
        });
    };
    const bool oldMessageType = definesAny(kOldMessageTypes);
    const bool oldName = definesAny(kOldSwitches) || oldMessageType;
    const bool newName =
        definesAny(kNewSwitches) || (definesAny(kNewMessageTypes) && !oldMessageType);
    if (oldName == newName) {
        return NameStyle::Neither;
    }
    return oldName ? NameStyle::Old : NameStyle::New;
}

NameStyle NameStyleOfFile(const std::string& path) {
    const HeaderReadResult read = ReadHeaderFileAt(path);
    return read.opened ? NameStyleOf(read.contents.definedMacros) : NameStyle::Neither;
}

}  // namespace zurcfg
