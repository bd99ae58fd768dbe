#include "config/document.h"

#include <algorithm>
#include <atomic>

#include "config/header_writer.h"

namespace zurcfg {

namespace {

void FillRows(std::vector<NameEntry>& rows, const std::vector<NameEntry>& items) {
    const std::size_t shown = std::min(rows.size(), items.size());
    std::copy_n(items.begin(), shown, rows.begin());
    std::fill(rows.begin() + static_cast<std::ptrdiff_t>(shown), rows.end(), NameEntry{});
}

}  // namespace

bool Document::operator==(const Document& other) const {
    return !configuration.IsDifferent(other.configuration) && bsems == other.bsems &&
           stimers == other.stimers && tablesEdit == other.tablesEdit && path == other.path &&
           onDisk == other.onDisk && lineEnding == other.lineEnding;
}

bool Document::IsChangedFrom(const Document& saved) const {
    return configuration.IsDifferent(saved.configuration) || tablesEdit != saved.tablesEdit;
}

void Document::StampTablesEdit() {
    static std::atomic<std::uint64_t> lastStamp{0};
    tablesEdit = ++lastStamp;
}

void Document::SetTables(const std::vector<NameEntry>& bsemsItems,
                         const std::vector<NameEntry>& stimersItems) {
    FillRows(bsems, bsemsItems);
    FillRows(stimers, stimersItems);
}

void Document::ClearTables() {
    SetTables({}, {});
}

std::string Document::HeaderText(bool oldStyleNames) const {
    return FormatHeader(configuration, bsems, stimers, oldStyleNames);
}

}  // namespace zurcfg
