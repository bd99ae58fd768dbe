#include "config/name_style.h"

#include <algorithm>
#include <array>

#include "config/regular_file.h"

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

// The name a line that begins with "#define" defines; empty for any other line.
std::string_view DefinedName(std::string_view line) {
    constexpr std::string_view kDefine = "#define";
    if (line.substr(0, kDefine.size()) != kDefine) {
        return {};
    }
    line.remove_prefix(kDefine.size());
    const std::size_t start = line.find_first_not_of(" \t");
    if (start == 0 || start == std::string_view::npos) {
        return {};
    }
    line.remove_prefix(start);
    return line.substr(0, line.find_first_of(" \t\r/"));
}

template <std::size_t N>
bool Contains(const std::array<std::string_view, N>& names, std::string_view name) {
    return std::find(names.begin(), names.end(), name) != names.end();
}

}  // namespace

NameStyle NameStyleOf(std::string_view headerText) {
    bool oldSwitch = false;
    bool newSwitch = false;
    bool oldMessageType = false;
    bool newMessageType = false;
    while (!headerText.empty()) {
        const std::size_t end = headerText.find('\n');
        const std::string_view name = DefinedName(headerText.substr(0, end));
        headerText.remove_prefix(end == std::string_view::npos ? headerText.size() : end + 1);
        oldSwitch = oldSwitch || Contains(kOldSwitches, name);
        newSwitch = newSwitch || Contains(kNewSwitches, name);
        oldMessageType = oldMessageType || Contains(kOldMessageTypes, name);
        newMessageType = newMessageType || Contains(kNewMessageTypes, name);
    }
    const bool oldName = oldSwitch || oldMessageType;
    const bool newName = newSwitch || (newMessageType && !oldMessageType);
    if (oldName == newName) {
        return NameStyle::Neither;
    }
    return oldName ? NameStyle::Old : NameStyle::New;
}

NameStyle NameStyleOfFile(const std::string& path) {
    RegularFile file(path);
    std::string text;
    std::array<char, 64 * 1024> piece;
    while (const std::size_t got = file.Read(piece.data(), piece.size())) {
        text.append(piece.data(), got);
    }
    return NameStyleOf(text);
}

}  // namespace zurcfg
